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

// What the print dialog shows.
struct PrintRequest {
    QString title;            // names what is printed: chart or evaluation
    int minPage = 1;
    int maxPage = 1;
    bool offerCurrentPage = true;  // the report has no page on screen
};

// The modal dialogs of printing. Empty members show the real dialogs; tests
// put in functions that answer at once.
struct PrintDialogs {
    // The print dialog: true when the user chose to print. The choice is left
    // in the printer (print range, from and to page, output file); the printer
    // holds the proposed output file when the dialog opens.
    std::function<bool(QPrinter& printer, const PrintRequest& request, QWidget* parent)> print;
    // Shows the preview, already set up to draw its pages, until it is closed.
    std::function<void(QPrintPreviewDialog& dialog)> preview;
    // Tells the user why nothing was printed.
    std::function<void(const QString& message, QWidget* parent)> failure;
    // Whether a print may replace the existing file at path.
    std::function<bool(const QString& path, const QString& title, QWidget* parent)> confirmReplace;
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
