#pragma once
// Helpers shared by the window tests.

#include <QString>

namespace kurvex::test {

// The temporary folder that holds the tests' settings store.
QString SettingsFolder();
// Empties the settings store (the "Ostwerk GmbH"/"Kurvex" QSettings).
void ClearSettings();

}  // namespace kurvex::test
