#pragma once
// The printing glue of the chart window: the application's printer settings,
// the print dialog with its page range, the preview dialog, and the pages of
// a print job sent to a printer. The pages themselves come from kurvex_render
// (ChartPrintJob, ReportPrintJob), the same pages kurvex-cli writes as PDF.

#include "chart/ViewCommands.h"
#include "chart/ui/ViewContext.h"
#include "render/A4Sheets.h"

#include <QString>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace kurvex {

inline constexpr const char* kPrintFailedMessage = "Der Druck konnte nicht gestartet werden.";
inline constexpr const char* kNoChartPagesMessage = "Das Diagramm hat keine Seite: der Lauf hat keine Messpunkte.";
inline constexpr const char* kNoReportPagesMessage = "Die Auswertung hat keine Seite: der Lauf hat keinen Abschnitt.";

// Printer settings as a new application has them: A4, 5 mm margins,
// landscape, high resolution. With these a print or preview shows exactly the
// sheets of the PDF files.
void InitPrinterSettings(QPrinter& printer);

// The pages a confirmed print dialog chose among 1..maxPage: all, a range or
// the current page.
PageSpan ChosenPages(const QPrinter& printer, int maxPage, int currentPage);

// What a print or preview produces is named in its dialog's title and in the
// status prompt of the print command, since "Drucken..." prints whichever was
// chosen last.
QString PrintDialogTitle(bool evaluation);    // "Drucken – Diagramm" / "Drucken – Auswertung"
QString PreviewDialogTitle(bool evaluation);  // "Seitenansicht – Diagramm" / "… – Auswertung"
QString PrintStatusTip(bool evaluation);
// The file a print to a file proposes: beside the run, named after it.
QString ProposedPrintFile(const QString& runPath, bool evaluation);
// Puts the proposal into the printer for the print dialog without changing
// where the printer prints.
void ProposeOutputFile(QPrinter& printer, const QString& path);
// After a confirmed dialog: a printer that prints on paper keeps no file name.
void DropOutputFileUnlessPrintingToFile(QPrinter& printer);
// Before a preview: no file of an earlier print is left in the printer. The
// preview's own print asks for the file of a print to a file, and writes the
// printer's file even when that question is cancelled.
void ForgetOutputFile(QPrinter& printer);
// The file the printer writes, or empty when it prints on paper.
QString PrintOutputFile(const QPrinter& printer);

// The real dialogs, used where a PrintDialogs member is empty.
bool ExecPrintDialog(QPrinter& printer, const PrintRequest& request, QWidget* parent);
void ExecPreviewDialog(QPrintPreviewDialog& dialog);
void ShowPrintFailure(const QString& message, QWidget* parent);
// Asks before a print replaces an existing file, as the save dialogs do.
bool ConfirmReplaceFile(const QString& path, const QString& title, QWidget* parent);
// Qt's own print dialog (Linux and the other Unix desktops) asks that itself
// before it accepts a print to an existing file; the native dialogs of Windows
// and macOS do not.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
inline constexpr bool kPrintDialogAsksBeforeReplacing = false;
#else
inline constexpr bool kPrintDialogAsksBeforeReplacing = true;
#endif

// The sheets keep their 5 mm margins on whichever printer prints them: Qt
// gives a printer newly chosen in its dialog that printer's smallest margins,
// which would move every page and change its printable area. Margins the
// user set in the dialog's page settings stay, and so do those of a printer
// that cannot print as close to the edge as 5 mm.
void KeepSheetMargins(QPrinter& printer);

// Sends pages first..last of the job to the printer; false when the printer
// (or its output file) cannot be opened.
bool PrintJobPages(QPrinter& printer, const SheetJob& job, int first, int last);

// Makes the preview draw the job's pages (those of the printer's range when
// the preview's own print button chose some, all pages otherwise) and open at
// currentPage.
void SetUpPreview(QPrintPreviewDialog& dialog, const SheetJob& job, int currentPage, const QString& title);

}  // namespace kurvex
