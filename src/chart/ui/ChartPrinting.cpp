#include "chart/ui/ChartPrinting.h"

#include "common/ui/AccessibleToolBar.h"
#include "common/ui/WaitCursor.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMarginsF>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPrintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScrollBar>
#include <QToolBar>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <cmath>

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

QString PrintDialogTitle(bool evaluation)
{
    return evaluation ? QStringLiteral("Drucken – Auswertung") : QStringLiteral("Drucken – Diagramm");
}

QString PreviewDialogTitle(bool evaluation)
{
    return evaluation ? QStringLiteral("Seitenansicht – Auswertung") : QStringLiteral("Seitenansicht – Diagramm");
}

QString PrintStatusTip(bool evaluation)
{
    return evaluation ? QStringLiteral("Druckt die Auswertung.") : QStringLiteral("Druckt das Diagramm.");
}

QString ProposedPrintFile(const QString& runPath, bool evaluation)
{
    const QFileInfo run(runPath);
    const QString name = run.fileName() + (evaluation ? QStringLiteral("-Auswertung.pdf") : QStringLiteral("-Diagramm.pdf"));
    return QDir(run.absolutePath()).filePath(name);
}

void ProposeOutputFile(QPrinter& printer, const QString& path)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(path);
        return;
    }
    // Setting the name through the printer would switch it to writing a PDF;
    // the engine keeps it only as the dialog's proposal.
    if (QPrintEngine* engine = printer.printEngine())
        engine->setProperty(QPrintEngine::PPK_OutputFileName, path);
}

void ForgetOutputFile(QPrinter& printer)
{
    // Through the engine, so that the printer stays the kind it is.
    if (QPrintEngine* engine = printer.printEngine())
        engine->setProperty(QPrintEngine::PPK_OutputFileName, QString());
}

void DropOutputFileUnlessPrintingToFile(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat)
        ForgetOutputFile(printer);
}

QString PrintOutputFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
}

bool ExecPrintDialog(QPrinter& printer, const PrintRequest& request, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(request.title);
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile |
                                                       QAbstractPrintDialog::PrintPageRange |
                                                       QAbstractPrintDialog::PrintShowPageSize;
    if (request.offerCurrentPage)
        options |= QAbstractPrintDialog::PrintCurrentPage;
    dialog.setOptions(options);
    dialog.setMinMax(request.minPage, request.maxPage);
    dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
}

bool ConfirmReplaceFile(const QString& path, const QString& title, QWidget* parent)
{
    const QString text = QStringLiteral("%1 existiert bereits.\nSoll sie ersetzt werden?").arg(QFileInfo(path).fileName());
    return QMessageBox::warning(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void ExecPreviewDialog(QPrintPreviewDialog& dialog)
{
    dialog.exec();
}

void ShowPrintFailure(const QString& message, QWidget* parent)
{
    QMessageBox::warning(parent, QStringLiteral("Kurvex"), message);
}

void KeepSheetMargins(QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    const QMarginsF margins = layout.margins();
    const QMarginsF smallest = layout.minimumMargins();
    const auto same = [](qreal a, qreal b) { return std::abs(a - b) < 0.01; };
    // Margins typed into the dialog's page settings are the user's.
    if (!same(margins.left(), smallest.left()) || !same(margins.top(), smallest.top()) ||
        !same(margins.right(), smallest.right()) || !same(margins.bottom(), smallest.bottom()))
        return;
    printer.setPageMargins(QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                           QPageLayout::Millimeter);
}

namespace {

// Sheets onto a printer; printed into a PDF file, they become an archival PDF like
// every PDF Kurvex writes. A preview paints through its own engine and writes no file.
bool PrintSheetsOnto(QPrinter& printer, const SheetJob& job, int first, int last)
{
    KeepSheetMargins(printer);
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

// The scroll bars of the preview's pages have no name either, nor the button
// of its tool bar for the buttons a narrow window has no room for.
void NamePreviewControls(QPrintPreviewDialog& dialog)
{
    for (QToolBar* bar : dialog.findChildren<QToolBar*>())
        MakeToolBarAccessible(*bar);
    for (QScrollBar* bar : dialog.findChildren<QScrollBar*>()) {
        if (bar->accessibleName().isEmpty())
            bar->setAccessibleName(bar->orientation() == Qt::Horizontal
                                       ? QStringLiteral("Seiten waagerecht verschieben")
                                       : QStringLiteral("Seiten senkrecht verschieben"));
    }
}

}  // namespace

bool PrintJobPages(QPrinter& printer, const SheetJob& job, int first, int last)
{
    const WaitCursor busy;
    return PrintSheetsOnto(printer, job, first, last);
}

void SetUpPreview(QPrintPreviewDialog& dialog, const SheetJob& job, int currentPage, const QString& title)
{
    dialog.setWindowTitle(title);
    // Qt leaves the preview's two entry fields without a name for screen readers.
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
        if (field->accessibleName().isEmpty())
            field->setAccessibleName(qobject_cast<QComboBox*>(field->parentWidget()) ? QStringLiteral("Zoom")
                                                                                      : QStringLiteral("Seite"));
    }
    NamePreviewControls(dialog);
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
