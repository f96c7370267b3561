#pragma once
// A tool bar as a screen reader meets it: buttons named after their commands,
// not by the menu text with its shortcut.

#include <QString>

class QAction;
class QToolBar;

namespace kurvex {

// The name of a command's button: its tooltip, or else its menu text without
// the mnemonic, the shortcut after the tab and a trailing ellipsis
// ("Ö&ffnen...\tStrg+O" is "Öffnen").
QString AccessibleNameOfAction(const QAction& action);

// Names every button of the bar after its command, also those added or
// changed later, and the button for those a narrow window has no room for.
void MakeToolBarAccessible(QToolBar& bar);

}  // namespace kurvex
