#pragma once
// A list inside the main window keeps its own moving keys. The main window's
// page commands have Page Up and Page Down as window shortcuts, which would
// otherwise page the chart while the list has the focus.

class QAbstractItemView;

namespace kurvex {

// Page Up/Down, Home and End (alone, with Shift or Ctrl) move in the view
// while it has the focus, whatever shortcuts its window has for them.
void KeepMovingKeys(QAbstractItemView& view);

}  // namespace kurvex
