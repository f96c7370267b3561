#pragma once
// Helpers shared by the window tests.

#include <QString>
#include <QTimer>

#include <functional>

class QByteArray;
class QDialog;
class QPrinter;

namespace kurvex {
class CLabelTable;
class SettingsStore;
struct ExceedancePageFlag;
struct ViewContext;
}  // namespace kurvex

namespace kurvex::test {

// The temporary folder that holds the tests' settings store.
QString SettingsFolder();
// Empties the settings store (the "Ostwerk GmbH"/"Kurvex" QSettings).
void ClearSettings();

// A file of the samples folder.
QString Sample(const char* name);

// Pages of a PDF document, from its bytes or its file (-1 when the file cannot be read).
int PdfPageCount(const QByteArray& pdf);
int PdfPageCount(const QString& path);

// A modal window that nobody answers would keep its event loop running for
// ever; this many milliseconds after the guard starts it is closed and the test fails.
inline constexpr int kModalGuardMs = 10000;

// Closes a modal window still open when its time runs out and fails the test,
// for tests that answer their dialogs themselves.
class ModalGuard {
public:
    explicit ModalGuard(int milliseconds = kModalGuardMs);

private:
    QTimer m_timer;
};

// Answers the next modal dialog as soon as it runs, so exec() returns at once.
// A dialog that has not appeared, or is still open, when the guard time runs
// out fails the test and is closed.
void AnswerNextModal(std::function<void(QDialog&)> answer);

// The context of a chart window over the test's settings, labels, page flag
// and printer, with the program's version text; opening a file in the editor does nothing.
ViewContext MakeViewContext(SettingsStore& settings, const CLabelTable& labels, ExceedancePageFlag& pageFlag,
                            QPrinter& printer);

}  // namespace kurvex::test
