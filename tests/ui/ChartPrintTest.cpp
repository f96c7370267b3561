// Printing and preview of the chart window through the print path the
// commands use, with the dialogs answered by the test: the pages are those
// kurvex-cli writes (WriteChartPdf, WriteReportPdf), byte for byte apart from
// the creation date.

#include "chart/ui/ChartPrinting.h"
#include "chart/ui/KurvexView.h"

#include "chart/LabelTable.h"
#include "chart/ChartGeometry.h"
#include "chart/PageFrame.h"
#include "common/Version.h"
#include "document/MemorySettingsStore.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMarginsF>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kurvex {
namespace {

// The PDF without its creation dates (information dictionary and XMP packets) and
// its document ID, the things that differ between two writes.
QByteArray PdfWithoutDate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray bytes = file.readAll();
    static const QRegularExpression date(QStringLiteral("/CreationDate \\(D:[0-9Z+'-]*\\)"));
    static const QRegularExpression xmpDate(QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d[^<\"]*"));
    static const QRegularExpression id(QStringLiteral("/ID \\[[^\\]]*\\]"));
    return QString::fromLatin1(bytes).remove(date).remove(xmpDate).remove(id).toLatin1();
}

using test::PdfPageCount;

std::string Today()
{
    const QDate today = QDate::currentDate();
    return FormatEditingDate(today.day(), today.month(), today.year());
}

class ChartPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(test::OpenSample(*doc, "pm01bs02_sample.pbs"), OpenResult::Opened);
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkdir(QStringLiteral("view"));
        QDir(folder.path()).mkdir(QStringLiteral("cli"));
        // What the PDF writer of kurvex-cli uses, so both files can be compared byte for byte.
        InitPrinterSettings(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setResolution(600);
    }

    // The printed file is named like the document, as the PDF writer titles its files.
    QString ViewPdf() const { return folder.filePath(QStringLiteral("view/pm01bs02_sample.pbs.pdf")); }
    QString CliPdf() const { return folder.filePath(QStringLiteral("cli/pm01bs02_sample.pbs.pdf")); }

    ViewContext Context()
    {
        ViewContext context = test::MakeViewContext(settings, labels, pageFlag, printer);
        context.printDialogs.print = [this](QPrinter& p, const PrintRequest& request, QWidget*) {
            dialogPages.emplace_back(request.minPage, request.maxPage);
            dialogWhilePrinting.push_back(view->Printing());
            dialogRequests.push_back(request);
            proposedFiles.push_back(p.outputFileName());
            p.setOutputFileName(outputFile.isEmpty() ? ViewPdf() : outputFile);
            p.setPrintRange(range);
            p.setFromTo(from, to);
            dialogChanges(p);
            if (confirmations >= 0 && confirmations-- == 0)
                return false;
            return confirm;
        };
        context.printDialogs.preview = [this](QPrintPreviewDialog& dialog) { previewHook(dialog); };
        context.printDialogs.failure = [this](const QString& message, QWidget*) { failures.push_back(message); };
        context.printDialogs.confirmReplace = [this](const QString& path, const QString&, QWidget*) {
            replaceQuestions.push_back(path);
            return replaceAnswers.empty() ? true : replaceAnswers.takeFirst();
        };
        return context;
    }

    void MakeView()
    {
        view = std::make_unique<CKurvexView>(doc, Context());
        QObject::connect(view.get(), &CKurvexView::printingChanged, [this](bool printing) {
            printingEvents.push_back(printing);
            titlesAtPrintingChange.push_back(view->windowTitle());
        });
        view->resize(1200, 800);
        view->show();
        QApplication::processEvents();
    }

    ChartRenderSettings CliSettings(int strips, bool grid) const
    {
        ChartRenderSettings cli;
        cli.stripsPerPage = strips;
        cli.twoMetreGrid = grid;
        cli.editingDate = Today();
        cli.versionText = kVersionText;
        return cli;
    }

    void ExpectSamePdf(int pages)
    {
        const QByteArray printed = PdfWithoutDate(ViewPdf());
        const QByteArray written = PdfWithoutDate(CliPdf());
        ASSERT_FALSE(printed.isEmpty());
        EXPECT_EQ(PdfPageCount(printed), pages);
        EXPECT_EQ(PdfPageCount(written), pages);
        EXPECT_TRUE(printed == written) << "the printed pages differ from kurvex-cli's";
        // Both archival PDFs (the CLI tests check those with qpdf and poppler).
        EXPECT_TRUE(printed.contains("<pdfaid:conformance>B</pdfaid:conformance>"));
    }

    std::shared_ptr<CKurvexDoc> doc = std::make_shared<CKurvexDoc>();
    QTemporaryDir folder;
    MemorySettingsStore settings;
    CLabelTable labels;
    ExceedancePageFlag pageFlag;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<CKurvexView> view;

    // The print dialog's answer.
    bool confirm = true;
    QPrinter::PrintRange range = QPrinter::AllPages;
    int from = 0;
    int to = 0;
    std::function<void(QPrintPreviewDialog&)> previewHook = [](QPrintPreviewDialog&) {};
    std::function<void(QPrinter&)> dialogChanges = [](QPrinter&) {};  // what else the dialog changed

    QString outputFile;          // the file the dialog chooses; empty: ViewPdf()
    QList<bool> replaceAnswers;  // answers to "replace the file?", then yes
    int confirmations = -1;      // dialogs confirmed before one is cancelled; -1: all

    std::vector<std::pair<int, int>> dialogPages;
    std::vector<PrintRequest> dialogRequests;
    std::vector<QString> proposedFiles;
    std::vector<QString> replaceQuestions;
    std::vector<bool> dialogWhilePrinting;
    std::vector<bool> printingEvents;
    std::vector<QString> titlesAtPrintingChange;
    std::vector<QString> failures;
};

TEST_F(ChartPrintTest, PrintedChartPagesAreTheCliPages)
{
    MakeView();
    view->ZoomStep();  // the screen zoom does not matter on paper
    view->PrintChart();
    ASSERT_EQ(dialogPages.size(), 1u);
    EXPECT_EQ(dialogPages[0], std::make_pair(1, 2));
    EXPECT_EQ(dialogWhilePrinting, std::vector<bool>{false});
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    QString error;
    ASSERT_TRUE(WriteChartPdf(*doc, labels, pageFlag, CliPdf(), 1, 2, CliSettings(3, false), error)) << error.toStdString();
    ExpectSamePdf(2);
    EXPECT_TRUE(failures.empty());
}

TEST_F(ChartPrintTest, APageRangeOfTwoStripPagesWithTheGrid)
{
    MakeView();
    view->ToggleStrips();
    view->ToggleTwoMetreGrid();
    range = QPrinter::PageRange;
    from = 2;
    to = 3;
    view->PrintChart();

    QString error;
    ASSERT_TRUE(WriteChartPdf(*doc, labels, pageFlag, CliPdf(), 2, 3, CliSettings(2, true), error));
    ExpectSamePdf(2);
}

TEST_F(ChartPrintTest, TheCurrentPageAlone)
{
    MakeView();
    view->PageForward();
    range = QPrinter::CurrentPage;
    view->PrintChart();

    QString error;
    // One page, and the enclosure counts to it: "Anlage 2.2".
    ASSERT_TRUE(WriteChartPdf(*doc, labels, pageFlag, CliPdf(), 2, 2, CliSettings(3, false), error));
    ExpectSamePdf(1);
}

TEST_F(ChartPrintTest, PrintedEvaluationIsTheCliReport)
{
    MakeView();
    view->PrintEvaluation();
    EXPECT_TRUE(view->EvaluationPrint());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    ASSERT_EQ(dialogPages.size(), 1u);
    const int reportPages = PrepareReport(*doc);
    EXPECT_EQ(dialogPages[0], std::make_pair(1, reportPages));

    QString error;
    ASSERT_TRUE(WriteReportPdf(*doc, CliPdf(), kVersionText, error)) << error.toStdString();
    ExpectSamePdf(reportPages);

    // Print keeps the evaluation flag; the chart commands clear it again.
    QFile::remove(ViewPdf());
    view->Print();
    ExpectSamePdf(reportPages);
    view->PrintChart();
    EXPECT_FALSE(view->EvaluationPrint());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(ChartPrintTest, TheEvaluationPrintsPortraitWhateverTheLastPrintLeft)
{
    MakeView();
    view->PrintEvaluation();
    printer.setPageOrientation(QPageLayout::Landscape);  // another window printed its chart
    QFile::remove(ViewPdf());
    view->Print();
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    QString error;
    ASSERT_TRUE(WriteReportPdf(*doc, CliPdf(), kVersionText, error));
    ExpectSamePdf(PrepareReport(*doc));
}

// A printer newly chosen in the print dialog comes with its smallest margins;
// the pages keep their 5 mm and stand on the sheet as in the files.
TEST_F(ChartPrintTest, ThePagesKeepTheirMarginsOnAPrinterThatCameWithOthers)
{
    dialogChanges = [](QPrinter& p) { p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter); };
    MakeView();
    view->PrintChart();
    QString error;
    ASSERT_TRUE(WriteChartPdf(*doc, labels, pageFlag, CliPdf(), 1, 2, CliSettings(3, false), error));
    ExpectSamePdf(2);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(5, 5, 5, 5));

    QFile::remove(ViewPdf());
    view->PrintEvaluation();
    ASSERT_TRUE(WriteReportPdf(*doc, CliPdf(), kVersionText, error));
    ExpectSamePdf(PrepareReport(*doc));
}

// Margins the user typed into the dialog's page settings are printed with.
TEST_F(ChartPrintTest, MarginsSetInTheDialogStay)
{
    const QMarginsF chosen(12, 8, 12, 8);
    dialogChanges = [chosen](QPrinter& p) { p.setPageMargins(chosen, QPageLayout::Millimeter); };
    MakeView();
    view->PrintChart();
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), chosen);
    EXPECT_EQ(PdfPageCount(ViewPdf()), 2);
}

TEST_F(ChartPrintTest, AnUnknownLengthScaleIsSettledAt400AlsoWhenThePrintComesFirst)
{
    // The sample with the scale 1:300, which no chart is drawn at.
    const QString copy = folder.filePath(QStringLiteral("pm01bs02_sample.pbs"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(doc->FullPath()), copy));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(doc->FullPath() + ".zi4"), copy + QStringLiteral(".zi4")));
    {
        QFile side(copy + QStringLiteral(".zi4"));
        ASSERT_TRUE(side.open(QIODevice::Append));
        side.write("MASSSTAB_DER_LAENGE=300\r\n");
    }
    doc = std::make_shared<CKurvexDoc>();
    test::ScriptedInteraction interaction;
    ASSERT_EQ(doc->Open(copy.toStdString(), CEinstellungen(), interaction), OpenResult::Opened);
    ASSERT_EQ(doc->State().LengthScale(), 300);

    view = std::make_unique<CKurvexView>(doc, Context());  // never shown, never painted
    view->PrintEvaluation();
    EXPECT_EQ(doc->State().LengthScale(), 400);
    QString error;
    ASSERT_TRUE(WriteReportPdf(*doc, CliPdf(), kVersionText, error));
    ExpectSamePdf(PrepareReport(*doc));
}

TEST_F(ChartPrintTest, BeginAndEndOfAPrint)
{
    MakeView();
    EXPECT_EQ(view->ZoomLevel(), 4);
    view->PrintChart();
    EXPECT_EQ(printingEvents, (std::vector<bool>{true, false}));
    ASSERT_EQ(titlesAtPrintingChange.size(), 2u);
    EXPECT_EQ(titlesAtPrintingChange[0], QStringLiteral("pm01bs02_sample.pbs"));
    EXPECT_EQ(titlesAtPrintingChange[1], QStringLiteral("pm01bs02_sample.pbs   Seite 1 von 2"));
    EXPECT_FALSE(view->Printing());
    EXPECT_EQ(view->windowTitle(), QStringLiteral("pm01bs02_sample.pbs   Seite 1 von 2"));
}

// The print zoom is the printer's: after a print, a preview or a cancelled
// dialog the window is back at the user's zoom level and scroll place.
TEST_F(ChartPrintTest, PrintAndPreviewLeaveTheScreensZoomAndScrollPlace)
{
    MakeView();
    view->ZoomIn();
    view->ZoomIn();
    ASSERT_EQ(view->ZoomLevel(), 2);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum() / 2);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 3);
    const QPoint scrolled(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
    const int horizontalMaximum = view->horizontalScrollBar()->maximum();
    ASSERT_GT(scrolled.x(), 0);

    const struct {
        const char* what;
        std::function<void()> run;
    } runs[] = {
        {"print", [this] { view->PrintChart(); }},
        {"cancelled print", [this] { confirm = false; view->PrintChart(); confirm = true; }},
        {"preview", [this] { view->PreviewChart(); }},
        {"evaluation preview", [this] { view->PreviewEvaluation(); }},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        run.run();
        EXPECT_EQ(view->ZoomLevel(), 2);
        EXPECT_EQ(view->horizontalScrollBar()->maximum(), horizontalMaximum);
        EXPECT_EQ(QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()), scrolled);
    }
}

// The print dialog and the preview say what they print, and so does the prompt
// of "Drucken...", which prints whichever was chosen last.
TEST_F(ChartPrintTest, DialogsNameWhatIsPrinted)
{
    MakeView();
    QString previewTitle;
    QStringList fieldNames;
    previewHook = [&](QPrintPreviewDialog& dialog) {
        previewTitle = dialog.windowTitle();
        fieldNames.clear();
        for (const QLineEdit* field : dialog.findChildren<QLineEdit*>())
            fieldNames.append(field->accessibleName());
    };
    view->PrintChart();
    view->PreviewEvaluation();
    EXPECT_EQ(previewTitle, QStringLiteral("Seitenansicht – Auswertung"));
    fieldNames.sort();
    EXPECT_EQ(fieldNames, (QStringList{QStringLiteral("Seite"), QStringLiteral("Zoom")}));  // for screen readers
    view->Print();  // Ctrl+P after the evaluation preview
    view->PreviewChart();
    EXPECT_EQ(previewTitle, QStringLiteral("Seitenansicht – Diagramm"));
    view->Print();
    ASSERT_EQ(dialogRequests.size(), 3u);
    EXPECT_EQ(dialogRequests[0].title, QStringLiteral("Drucken – Diagramm"));
    EXPECT_TRUE(dialogRequests[0].offerCurrentPage);
    EXPECT_EQ(dialogRequests[1].title, QStringLiteral("Drucken – Auswertung"));
    EXPECT_FALSE(dialogRequests[1].offerCurrentPage);  // the report has no page on screen
    EXPECT_EQ(dialogRequests[2].title, QStringLiteral("Drucken – Diagramm"));
    EXPECT_EQ(PrintStatusTip(true), QStringLiteral("Druckt die Auswertung."));
    EXPECT_EQ(PrintStatusTip(false), QStringLiteral("Druckt das Diagramm."));
}

// A print to a file proposes a file beside the run being printed, not the file
// another run was printed to, and replaces an existing file only when asked.
TEST_F(ChartPrintTest, PrintToAFileProposesTheRunsFileAndAsksBeforeReplacing)
{
    const QString runFolder = folder.filePath(QStringLiteral("run"));
    QDir().mkpath(runFolder);
    for (const char* name : {"pm01bs02_sample.pbs", "pm01bs02_sample.pbs.zi4"})
        ASSERT_TRUE(QFile::copy(QString::fromStdString(test::SamplePath(name)),
                                QDir(runFolder).filePath(QString::fromLatin1(name))));
    doc = std::make_shared<CKurvexDoc>();
    test::ScriptedInteraction interaction;
    ASSERT_EQ(doc->Open(QDir(runFolder).filePath(QStringLiteral("pm01bs02_sample.pbs")).toStdString(), CEinstellungen(),
                        interaction),
              OpenResult::Opened);
    const QString chartFile = QDir(runFolder).filePath(QStringLiteral("pm01bs02_sample.pbs-Diagramm.pdf"));
    const QString reportFile = QDir(runFolder).filePath(QStringLiteral("pm01bs02_sample.pbs-Auswertung.pdf"));
    EXPECT_EQ(ProposedPrintFile(QDir(runFolder).filePath(QStringLiteral("pm01bs02_sample.pbs")), true), reportFile);

    // The last print went into another run's file.
    const QString otherRun = folder.filePath(QStringLiteral("a100km.pbs-Diagramm.pdf"));
    printer.setOutputFileName(otherRun);
    MakeView();
    outputFile = chartFile;
    view->PrintChart();
    ASSERT_EQ(proposedFiles.size(), 1u);
    EXPECT_EQ(proposedFiles[0], chartFile);
    EXPECT_TRUE(replaceQuestions.empty());
    ASSERT_TRUE(QFile::exists(chartFile));
    const QByteArray firstPrint = PdfWithoutDate(chartFile);

    // Printing it again: the existing file is kept unless the user agrees. After
    // "no" the dialog comes back; here it is cancelled then.
    QFile(chartFile).resize(0);
    replaceAnswers = {false};
    confirmations = 1;
    view->PrintChart();
    ASSERT_EQ(replaceQuestions.size(), 1u);
    EXPECT_EQ(replaceQuestions[0], chartFile);
    EXPECT_EQ(proposedFiles.size(), 3u);
    EXPECT_EQ(QFileInfo(chartFile).size(), 0);

    replaceAnswers = {true};
    confirmations = -1;
    view->PrintChart();
    EXPECT_EQ(replaceQuestions.size(), 2u);
    EXPECT_EQ(PdfWithoutDate(chartFile), firstPrint);

    // The evaluation proposes its own file.
    outputFile = reportFile;
    view->PrintEvaluation();
    EXPECT_EQ(proposedFiles.back(), reportFile);
    EXPECT_TRUE(QFile::exists(reportFile));

    // A preview keeps no file of the last print: its own print would write it
    // even when its question for the file is cancelled.
    QString previewFile = QStringLiteral("<not shown>");
    previewHook = [&](QPrintPreviewDialog& dialog) { previewFile = dialog.printer()->outputFileName(); };
    view->PreviewChart();
    EXPECT_TRUE(previewFile.isEmpty()) << previewFile.toStdString();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
}

TEST_F(ChartPrintTest, ACancelledDialogPrintsNothing)
{
    MakeView();
    confirm = false;
    view->PrintChart();
    EXPECT_TRUE(printingEvents.empty());
    EXPECT_FALSE(QFile::exists(ViewPdf()));
    EXPECT_EQ(view->ZoomLevel(), 4);  // prepared, then back at the screen's level
    EXPECT_TRUE(failures.empty());
}

TEST_F(ChartPrintTest, APrinterThatCannotBeOpenedIsReported)
{
    ViewContext context = Context();
    const QString unwritable = folder.filePath(QStringLiteral("missing/x.pdf"));
    context.printDialogs.print = [unwritable](QPrinter& p, const PrintRequest&, QWidget*) {
        p.setOutputFileName(unwritable);
        return true;
    };
    CKurvexView unlucky(doc, context);
    unlucky.show();
    unlucky.PrintChart();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], QString::fromUtf8(kPrintFailedMessage));
    EXPECT_FALSE(unlucky.Printing());
    EXPECT_FALSE(QFile::exists(unwritable));
}

// Drawing the sheets of a long run takes a while: the hourglass shows meanwhile,
// and is gone afterwards, also when the printer could not be opened.
TEST_F(ChartPrintTest, TheWaitCursorShowsWhileSheetsAreDrawn)
{
    std::vector<Qt::CursorShape> shapes;
    SheetJob job;
    job.pageCount = 2;
    job.draw = [&shapes](Surface&, int, const Rect&) {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapes.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    };
    for (const QString& output : {folder.filePath(QStringLiteral("sheets.pdf")),
                                  folder.filePath(QStringLiteral("missing/sheets.pdf"))}) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);
        PrintJobPages(printer, job, 1, 2);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << output.toStdString();
    }
    EXPECT_EQ(shapes, (std::vector<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor}));
}

TEST_F(ChartPrintTest, PreviewShowsTheCliPagesAndOpensAtTheViewsPage)
{
    MakeView();
    doc->PickedStations().Push("123500");
    doc->PickedStations().Push("123735");
    view->PageForward();
    int previewPages = 0;
    int previewCurrent = 0;
    bool printingInside = false;
    QString titleInside;
    QImage screenInside;
    previewHook = [&](QPrintPreviewDialog& dialog) {
        printingInside = view->Printing();
        titleInside = view->windowTitle();
        screenInside = view->viewport()->grab().toImage();
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        dialog.show();
        QApplication::processEvents();
        previewPages = widget->pageCount();
        previewCurrent = widget->currentPage();
        EXPECT_EQ(dialog.printer()->pageLayout().orientation(), QPageLayout::Landscape);
        // The preview's pages onto a PDF: what it draws is what the CLI writes.
        QPrinter pdf(QPrinter::HighResolution);
        InitPrinterSettings(pdf);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setResolution(600);
        pdf.setCreator(QStringLiteral("Kurvex"));
        pdf.setDocName(QStringLiteral("pm01bs02_sample.pbs"));
        pdf.setOutputFileName(ViewPdf());
        Q_EMIT dialog.paintRequested(&pdf);
        dialog.close();
    };
    view->PreviewChart();

    EXPECT_TRUE(printingInside);
    EXPECT_EQ(titleInside, QStringLiteral("pm01bs02_sample.pbs"));
    EXPECT_EQ(previewPages, 2);
    EXPECT_EQ(previewCurrent, 2);
    EXPECT_TRUE(dialogPages.empty());  // no print dialog before a preview
    EXPECT_EQ(printingEvents, (std::vector<bool>{true, false}));
    EXPECT_FALSE(view->Printing());
    EXPECT_EQ(view->windowTitle(), QStringLiteral("pm01bs02_sample.pbs   Seite 2 von 2"));

    // The marked range is hidden on screen while the preview is open.
    int yellow = 0;
    for (int y = 0; y < screenInside.height(); ++y)
        for (int x = 0; x < screenInside.width(); ++x) {
            const QRgb p = screenInside.pixel(x, y);
            yellow += (qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 100 && qBlue(p) < 160) ? 1 : 0;
        }
    EXPECT_EQ(yellow, 0);

    QString error;
    ASSERT_TRUE(WriteChartPdf(*doc, labels, pageFlag, CliPdf(), 1, 2, CliSettings(3, false), error));
    ExpectSamePdf(2);
}

TEST_F(ChartPrintTest, EvaluationPreviewShowsEveryReportPagePortrait)
{
    MakeView();
    view->PageForward();  // the chart's page says nothing about the report's
    int previewPages = 0;
    int previewCurrent = 0;
    previewHook = [&](QPrintPreviewDialog& dialog) {
        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        dialog.show();
        QApplication::processEvents();
        previewPages = widget->pageCount();
        previewCurrent = widget->currentPage();
        EXPECT_EQ(dialog.printer()->pageLayout().orientation(), QPageLayout::Portrait);
        dialog.close();
    };
    view->PreviewEvaluation();
    EXPECT_EQ(previewCurrent, 1);
    EXPECT_EQ(previewPages, PrepareReport(*doc));
    EXPECT_GE(previewPages, 1);
    EXPECT_TRUE(view->EvaluationPrint());
    EXPECT_EQ(view->ZoomLevel(), 4);  // the report leaves the chart's zoom alone
}

TEST_F(ChartPrintTest, NewPrinterSettingsAreTheSheetsOfThePdfFiles)
{
    QPrinter fresh(QPrinter::HighResolution);
    InitPrinterSettings(fresh);
    EXPECT_EQ(PrintableRect(fresh.pageLayout()), A4Printable(SheetOrientation::Landscape));
    EXPECT_EQ(fresh.pageLayout().orientation(), QPageLayout::Landscape);
    fresh.setPageOrientation(QPageLayout::Portrait);
    EXPECT_EQ(PrintableRect(fresh.pageLayout()), A4Printable(SheetOrientation::Portrait));
    EXPECT_EQ(A4Printable(SheetOrientation::Landscape), (Rect{0, 0, 28700, -20000}));
}

}  // namespace
}  // namespace kurvex
