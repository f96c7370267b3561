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

// The real dialogs, used where a PrintDialogs member is empty.
bool ExecPrintDialog(QPrinter& printer, int minPage, int maxPage, QWidget* parent);
void ExecPreviewDialog(QPrintPreviewDialog& dialog);
void ShowPrintFailure(const QString& message, QWidget* parent);

// Sends pages first..last of the job to the printer; false when the printer
// (or its output file) cannot be opened.
bool PrintJobPages(QPrinter& printer, const SheetJob& job, int first, int last);

// Makes the preview draw the job's pages (those of the printer's range when
// the preview's own print button chose some, all pages otherwise) and open at
// currentPage.
void SetUpPreview(QPrintPreviewDialog& dialog, const SheetJob& job, int currentPage);

}  // namespace kurvex
