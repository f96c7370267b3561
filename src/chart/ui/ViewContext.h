#pragma once
// What every chart window shares with the application: the settings store,
// the label table of the printed pages, the process-wide exceedance page flag,
// the printer settings and the version text.

#include <QString>

#include <functional>
#include <string>

class QPrinter;

namespace kurvex {

class SettingsStore;
class CLabelTable;
struct ExceedancePageFlag;

struct ViewContext {
    SettingsStore* settings = nullptr;
    const CLabelTable* labels = nullptr;
    ExceedancePageFlag* pageFlag = nullptr;
    QPrinter* printer = nullptr;  // the application's default printer settings
    std::string versionText;      // "4.5.49.0"
    // Opens a file in the user's text editor (Scroll Lock on the side file).
    // Replaced by a recorder in tests.
    std::function<void(const QString& path)> openInEditor;
};

}  // namespace kurvex
