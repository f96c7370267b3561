#include "chart/ui/ChartPrinting.h"

#include "common/ui/WaitCursor.h"

#include <QMessageBox>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace kurvex {

namespace {

PrintRangeKind RangeKindOf(QPrinter::PrintRange range)
{
    switch (range) {
    case QPrinter::PageRange: return PrintRangeKind::Pages;
    case QPrinter::CurrentPage: return PrintRangeKind::Current;
    case QPrinter::AllPages:
    case QPrinter::Selection: break;
    }
    return PrintRangeKind::All;
}

}  // namespace

void InitPrinterSettings(QPrinter& printer)
{
    printer.setPageLayout(A4Layout(SheetOrientation::Landscape));
}

PageSpan ChosenPages(const QPrinter& printer, int maxPage, int currentPage)
{
    return PrintedPages(RangeKindOf(printer.printRange()), printer.fromPage(), printer.toPage(), maxPage, currentPage);
}

bool ExecPrintDialog(QPrinter& printer, int minPage, int maxPage, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(minPage, maxPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

void ExecPreviewDialog(QPrintPreviewDialog& dialog)
{
    dialog.exec();
}

void ShowPrintFailure(const QString& message, QWidget* parent)
{
    QMessageBox::warning(parent, QStringLiteral("Kurvex"), message);
}

namespace {

// Sheets onto a printer; printed into a PDF file, they become an archival PDF like
// every PDF Kurvex writes. A preview paints through its own engine and writes no file.
bool PrintSheetsOnto(QPrinter& printer, const SheetJob& job, int first, int last)
{
    const bool pdfFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
                         printer.paintEngine() != nullptr && printer.paintEngine()->type() == QPaintEngine::Pdf;
    const PdfDocumentInfo info = CompletedPdfDocumentInfo(job.info, printer.outputFileName());
    if (pdfFile) {
        printer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        printer.setDocName(info.title);
        printer.setCreator(info.creator);
    }
    if (!PrintSheets(printer, first, last, job.draw))
        return false;
    return !pdfFile || AddPdfDocumentInfoToFile(printer.outputFileName(), info);
}

}  // namespace

bool PrintJobPages(QPrinter& printer, const SheetJob& job, int first, int last)
{
    const WaitCursor busy;
    return PrintSheetsOnto(printer, job, first, last);
}

void SetUpPreview(QPrintPreviewDialog& dialog, const SheetJob& job, int currentPage)
{
    dialog.setWindowTitle(QStringLiteral("Seitenansicht"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [job, currentPage](QPrinter* printer) {
        // The preview itself shows every page; its print button may have chosen a range.
        const PageSpan span = ChosenPages(*printer, job.pageCount, currentPage);
        const WaitCursor busy;
        PrintSheetsOnto(*printer, job, span.first, span.last);
    });
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
        // The pages exist only once the preview has drawn them.
        QObject::connect(
            widget, &QPrintPreviewWidget::previewChanged, widget,
            [widget, currentPage] { widget->setCurrentPage(currentPage); }, Qt::SingleShotConnection);
    }
}

}  // namespace kurvex
