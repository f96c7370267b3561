#pragma once
// What every chart window shares with the application: the settings store,
// the label table of the printed pages, the process-wide exceedance page flag,
// the printer settings and the version text.

#include <QString>

#include <functional>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace kurvex {

class SettingsStore;
class CLabelTable;
struct ExceedancePageFlag;

// The modal dialogs of printing. Empty members show the real dialogs; tests
// put in functions that answer at once.
struct PrintDialogs {
    // The print dialog for pages minPage..maxPage: true when the user chose to
    // print. The choice is left in the printer (print range, from and to page,
    // output file).
    std::function<bool(QPrinter& printer, int minPage, int maxPage, QWidget* parent)> print;
    // Shows the preview, already set up to draw its pages, until it is closed.
    std::function<void(QPrintPreviewDialog& dialog)> preview;
    // Tells the user why nothing was printed.
    std::function<void(const QString& message, QWidget* parent)> failure;
};

struct ViewContext {
    SettingsStore* settings = nullptr;
    const CLabelTable* labels = nullptr;
    ExceedancePageFlag* pageFlag = nullptr;
    QPrinter* printer = nullptr;  // the application's default printer settings
    std::string versionText;      // "4.5.49.0"
    // Opens a file in the user's text editor (Scroll Lock on the side file).
    // Replaced by a recorder in tests.
    std::function<void(const QString& path)> openInEditor;
    PrintDialogs printDialogs;
};

}  // namespace kurvex
