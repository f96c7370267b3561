#pragma once
// The buttons in a dock's title bar, named in the program's language for
// screen readers (Qt names them in English).

class QDockWidget;

namespace kurvex {

void NameDockButtons(QDockWidget& dock);

}  // namespace kurvex
