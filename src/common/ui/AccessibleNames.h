#pragma once
// Names for screen readers where Qt would take a text meant for the eye.

#include <QString>

class QAction;
class QToolBar;

namespace kurvex {

// The name of a command's button: its tooltip, or else its menu text without
// the mnemonic, the shortcut after the tab and a trailing ellipsis
// ("Ö&ffnen...\tStrg+O" is "Öffnen").
QString AccessibleNameOfAction(const QAction& action);

// Names every button of the bar after its command, also those added or
// changed later: a screen reader would otherwise read the menu text with its
// shortcut.
void NameToolBarButtons(QToolBar& bar);

}  // namespace kurvex
