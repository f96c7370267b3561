// Printing through a real print server: a private cupsd with a PDF printer
// and a file printer that keeps the PDF Kurvex sends. The chart window prints
// through Qt's own print dialog, answered by the test, onto a native printer
// (QPrinter's native format), exactly as a user prints. What arrives is checked
// as paper: A4, the orientation of the form, the pages chosen, the pages
// placed as kurvex-cli writes them, and the length scale true on paper.

#include "chart/LabelTable.h"
#include "chart/PageFrame.h"
#include "chart/ui/ChartPrinting.h"
#include "chart/ui/KurvexView.h"
#include "common/Version.h"
#include "document/MemorySettingsStore.h"
#include "print/support/PrivateCupsServer.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <memory>
#include <tuple>
#include <vector>

namespace kurvex {
namespace {

constexpr int kJobTimeoutMs = 90000;
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kA4ShortPt = 595.276;
constexpr double kA4LongPt = 841.89;
constexpr int kImageDpi = 200;

// --- What a printed PDF shows, read with poppler's tools ----------------------

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Sheet {
    double width = 0;  // points, as the page is shown (its rotation applied)
    double height = 0;
    bool IsA4() const
    {
        const double shortSide = std::min(width, height);
        const double longSide = std::max(width, height);
        return std::abs(shortSide - kA4ShortPt) < 1.0 && std::abs(longSide - kA4LongPt) < 1.0;
    }
    bool Landscape() const { return width > height; }
};

std::vector<Sheet> Sheets(const QString& pdf)
{
    const QString info = RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                             QStringLiteral("-l"), QStringLiteral("9999"), pdf});
    static const QRegularExpression size(QStringLiteral("^Page +(\\d+) size: +([0-9.]+) x ([0-9.]+) pts"),
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression rotation(QStringLiteral("^Page +(\\d+) rot: +(\\d+)"),
                                             QRegularExpression::MultilineOption);
    std::vector<Sheet> sheets;
    for (auto match = size.globalMatch(info); match.hasNext();) {
        const auto found = match.next();
        sheets.push_back(Sheet{found.captured(2).toDouble(), found.captured(3).toDouble()});
    }
    for (auto match = rotation.globalMatch(info); match.hasNext();) {
        const auto found = match.next();
        const std::size_t page = found.captured(1).toUInt();
        if (page >= 1 && page <= sheets.size() && found.captured(2).toInt() % 180 == 90)
            std::swap(sheets[page - 1].width, sheets[page - 1].height);
    }
    return sheets;
}

struct Word {
    QString text;
    double xMin = 0;
    double yMin = 0;
    double xMax = 0;
};

// The words of one page with their boxes (points from the top-left corner).
std::vector<Word> Words(const QString& pdf, int page)
{
    const QString html =
        RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                              QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    std::vector<Word> words;
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto found = match.next();
        words.push_back(Word{found.captured(4), found.captured(1).toDouble(), found.captured(2).toDouble(),
                             found.captured(3).toDouble()});
    }
    return words;
}

// The words of a page in an order that does not depend on how a tool reads them.
std::vector<Word> SortedWords(const QString& pdf, int page)
{
    std::vector<Word> words = Words(pdf, page);
    std::sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        return std::tie(a.text, a.yMin, a.xMin) < std::tie(b.text, b.yMin, b.xMin);
    });
    return words;
}

// Text set at a printer's resolution runs a little longer or shorter than in
// a file written at 600 dpi (glyph advances fall on the device's pixels); a
// page placed wrongly on the sheet is off by millimetres.
constexpr double kWordPlacementPt = 2.5;

// Every word of the printed page stands where the PDF file of kurvex-cli has it.
void ExpectSamePlacedWords(const QString& printed, int printedPage, const QString& written, int writtenPage)
{
    const std::vector<Word> got = SortedWords(printed, printedPage);
    const std::vector<Word> expected = SortedWords(written, writtenPage);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(got.size(), expected.size()) << "printed page " << printedPage;
    int misplaced = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        const Word& a = got[i];
        const Word& b = expected[i];
        if (a.text == b.text && std::abs(a.xMin - b.xMin) <= kWordPlacementPt &&
            std::abs(a.yMin - b.yMin) <= kWordPlacementPt)
            continue;
        // One line per word would drown the first: a few tell the story.
        if (++misplaced <= 5) {
            ADD_FAILURE() << "printed page " << printedPage << ": \"" << a.text.toStdString() << "\" at (" << a.xMin
                          << ", " << a.yMin << ") where the file has \"" << b.text.toStdString() << "\" at (" << b.xMin
                          << ", " << b.yMin << ")";
        }
    }
    EXPECT_EQ(misplaced, 0) << "of " << got.size() << " words on printed page " << printedPage;
}

// The station labels of a chart page ("12,4400", km) 100 m apart in one strip
// stand 250 mm apart at the length scale 1:400. Returns how many pairs it measured.
int ExpectHundredMetresAre250Mm(const QString& pdf, int page)
{
    static const QRegularExpression station(QStringLiteral("^\\d+,\\d{4}$"));
    std::vector<Word> labels;
    for (const Word& word : Words(pdf, page)) {
        if (station.match(word.text).hasMatch())
            labels.push_back(word);
    }
    int pairs = 0;
    for (const Word& a : labels) {
        for (const Word& b : labels) {
            const double metres = (QString(b.text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble() -
                                   QString(a.text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble()) *
                                  1000.0;
            if (std::abs(a.yMin - b.yMin) > 0.5 || std::abs(metres - 100.0) > 1e-6)
                continue;
            const double mm = ((b.xMin + b.xMax) - (a.xMin + a.xMax)) / 2.0 * kMmPerPoint;
            EXPECT_NEAR(mm, 250.0, 0.5) << a.text.toStdString() << " to " << b.text.toStdString() << " on page "
                                        << page;
            ++pairs;
        }
    }
    return pairs;
}

// The longest straight dark line of a page rendered at kImageDpi, along the
// rows and along the columns, in millimetres.
struct Lines {
    double alongRows = 0;
    double alongColumns = 0;
    bool imageLandscape = false;
};

Lines LongestLines(const QString& pdf, int page, const QString& folder)
{
    const QString prefix = folder + QStringLiteral("/page%1").arg(page);
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-q"), QStringLiteral("-r"), QString::number(kImageDpi), QStringLiteral("-gray"),
             QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), pdf, prefix});
    const QImage image = QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    Lines lines;
    if (image.isNull())
        return lines;
    lines.imageLandscape = image.width() > image.height();
    int bestRow = 0;
    std::vector<int> columnRuns(image.width(), 0);
    std::vector<int> bestColumns(image.width(), 0);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const bool dark = row[x] < 128;
            run = dark ? run + 1 : 0;
            bestRow = std::max(bestRow, run);
            columnRuns[x] = dark ? columnRuns[x] + 1 : 0;
            bestColumns[x] = std::max(bestColumns[x], columnRuns[x]);
        }
    }
    const int bestColumn = *std::max_element(bestColumns.begin(), bestColumns.end());
    lines.alongRows = bestRow * 25.4 / kImageDpi;
    lines.alongColumns = bestColumn * 25.4 / kImageDpi;
    return lines;
}

// --- Answering Qt's print dialog ----------------------------------------------

struct DialogAnswer {
    QString queue;  // empty: the printer the dialog proposes
    int from = 0;   // a page range from..to, 0: all pages
    int to = 0;
};

struct DialogSeen {
    bool answered = false;
    QStringList queues;  // the printers the dialog offers
    QString proposed;    // the printer it proposed
};

void AnswerPrintDialog(const DialogAnswer& answer, DialogSeen& seen)
{
    test::AnswerNextModal([answer, &seen](QDialog& modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << "not the print dialog: " << modal.windowTitle().toStdString();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        ASSERT_NE(printers, nullptr);
        for (int i = 0; i < printers->count(); ++i)
            seen.queues << printers->itemText(i);
        seen.proposed = printers->currentText();
        if (!answer.queue.isEmpty()) {
            const int index = printers->findText(answer.queue);
            ASSERT_GE(index, 0) << answer.queue.toStdString() << " is not offered";
            printers->setCurrentIndex(index);
        }
        if (answer.from > 0) {
            auto* range = dialog->findChild<QRadioButton*>(QStringLiteral("printRange"));
            auto* from = dialog->findChild<QSpinBox*>(QStringLiteral("from"));
            auto* to = dialog->findChild<QSpinBox*>(QStringLiteral("to"));
            ASSERT_TRUE(range && from && to);
            range->setChecked(true);
            from->setValue(answer.from);
            to->setValue(answer.to);
        }
        seen.answered = true;
        dialog->accept();
    });
}

std::string Today()
{
    const QDate today = QDate::currentDate();
    return FormatEditingDate(today.day(), today.month(), today.year());
}

// --- One server for all tests of the process ---------------------------------

// Started once before the first test and stopped after the last: the print
// clients of a process keep the server they first talked to.
class CupsEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        skipReason = test::PrivateCupsServer::MissingPrerequisite();
        for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
            if (skipReason.isEmpty() && QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                skipReason = QStringLiteral("%1 is missing (package poppler-utils)").arg(QString::fromLatin1(tool));
        }
        if (!skipReason.isEmpty())
            return;
        server = std::make_unique<test::PrivateCupsServer>();
        if (!server->Start(startError))
            std::cerr << "cupsd error log:\n" << server->ErrorLogExcerpt().toStdString() << std::endl;
    }
    void TearDown() override { server.reset(); }

    QString skipReason;
    QString startError;
    std::unique_ptr<test::PrivateCupsServer> server;
};

// gtest owns its environments.
CupsEnvironment* const g_cups = static_cast<CupsEnvironment*>(::testing::AddGlobalTestEnvironment(new CupsEnvironment));

class CupsPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_cups->skipReason.isEmpty())
            GTEST_SKIP() << g_cups->skipReason.toStdString();
        ASSERT_TRUE(g_cups->startError.isEmpty()) << g_cups->startError.toStdString();
        ASSERT_TRUE(m_folder.isValid());
    }
    void TearDown() override
    {
        if (HasFailure() && g_cups->server)
            std::cerr << "cupsd error log:\n" << g_cups->server->ErrorLogExcerpt().toStdString() << std::endl;
    }

    test::PrivateCupsServer& Server() { return *g_cups->server; }

    // Waits for the next job of the queue; false (and a failure) when it did not finish.
    bool WaitForJob(const QString& queue, int finishedBefore)
    {
        QString error;
        const bool finished = Server().WaitForFinishedJobs(queue, finishedBefore + 1, kJobTimeoutMs, error);
        EXPECT_TRUE(finished) << error.toStdString();
        return finished;
    }

    // What the file printer wrote, kept apart before its next job overwrites it.
    QString KeepFileQueueOutput(const QString& name)
    {
        const QString kept = m_folder.filePath(name);
        QFile::remove(kept);
        EXPECT_TRUE(QFile::copy(Server().FileQueueOutput(), kept)) << "the file printer wrote nothing";
        return kept;
    }

    QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_folder;
};

// A chart window over the sample, printing with the real dialogs onto the
// printer settings a new application has.
class CupsViewPrintTest : public CupsPrintTest {
protected:
    void SetUp() override
    {
        CupsPrintTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_EQ(test::OpenSample(*m_doc, "pm01bs02_sample.pbs"), OpenResult::Opened);
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        InitPrinterSettings(*m_printer);
        ViewContext context = test::MakeViewContext(m_settings, m_labels, m_pageFlag, *m_printer);
        context.printDialogs.failure = [this](const QString& message, QWidget*) { m_failures << message; };
        m_view = std::make_unique<CKurvexView>(m_doc, context);
        m_view->resize(1200, 800);
        m_view->show();
        QApplication::processEvents();
    }

    ChartRenderSettings CliSettings(int strips) const
    {
        ChartRenderSettings settings;
        settings.stripsPerPage = strips;
        settings.editingDate = Today();
        settings.versionText = kVersionText;
        return settings;
    }

    std::shared_ptr<CKurvexDoc> m_doc = std::make_shared<CKurvexDoc>();
    MemorySettingsStore m_settings;
    CLabelTable m_labels;
    ExceedancePageFlag m_pageFlag;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<CKurvexView> m_view;
    QStringList m_failures;
};

// A page range of the chart, two strips a page, onto the file printer chosen
// in the dialog: the sheets are A4 landscape, the two pages of the range,
// placed as kurvex-cli writes them, 100 m of a strip 250 mm long on paper.
TEST_F(CupsViewPrintTest, AChartPageRangeArrivesTrueToScale)
{
    m_view->ToggleStrips();
    const int before = Server().FinishedJobs(Server().FileQueue());
    DialogSeen seen;
    AnswerPrintDialog({Server().FileQueue(), 2, 3}, seen);
    m_view->PrintChart();
    ASSERT_TRUE(seen.answered);
    EXPECT_TRUE(m_failures.isEmpty()) << m_failures.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(WaitForJob(Server().FileQueue(), before));
    const QString printed = KeepFileQueueOutput(QStringLiteral("chart-2-3.pdf"));

    const std::vector<Sheet> sheets = Sheets(printed);
    ASSERT_EQ(sheets.size(), 2u);
    for (const Sheet& sheet : sheets) {
        EXPECT_TRUE(sheet.IsA4()) << sheet.width << " x " << sheet.height;
        EXPECT_TRUE(sheet.Landscape());
    }
    QString error;
    ASSERT_TRUE(WriteChartPdf(*m_doc, m_labels, m_pageFlag, Path("cli.pdf"), 2, 3, CliSettings(2), error))
        << error.toStdString();
    for (int page = 1; page <= 2; ++page) {
        ExpectSamePlacedWords(printed, page, Path("cli.pdf"), page);
        EXPECT_GE(ExpectHundredMetresAre250Mm(printed, page), 1) << "page " << page;
    }
}

// "Auswertung drucken": the report onto the file printer, all its sheets A4
// portrait and as kurvex-cli writes them.
TEST_F(CupsViewPrintTest, TheEvaluationReportArrivesOnPortraitSheets)
{
    const int before = Server().FinishedJobs(Server().FileQueue());
    DialogSeen seen;
    AnswerPrintDialog({Server().FileQueue()}, seen);
    m_view->PrintEvaluation();
    ASSERT_TRUE(seen.answered);
    EXPECT_TRUE(m_failures.isEmpty()) << m_failures.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(WaitForJob(Server().FileQueue(), before));
    const QString printed = KeepFileQueueOutput(QStringLiteral("report.pdf"));

    QString error;
    ASSERT_TRUE(WriteReportPdf(*m_doc, Path("cli-report.pdf"), kVersionText, error)) << error.toStdString();
    const std::vector<Sheet> expected = Sheets(Path("cli-report.pdf"));
    const std::vector<Sheet> sheets = Sheets(printed);
    ASSERT_GT(expected.size(), 1u);
    ASSERT_EQ(sheets.size(), expected.size());
    for (std::size_t page = 1; page <= sheets.size(); ++page) {
        EXPECT_TRUE(sheets[page - 1].IsA4());
        EXPECT_FALSE(sheets[page - 1].Landscape()) << "page " << page;
        ExpectSamePlacedWords(printed, static_cast<int>(page), Path("cli-report.pdf"), static_cast<int>(page));
    }
}

// The PDF printer as a desktop has it: the dialog offers the server's queues
// and proposes its default; the job goes through the print filters and lands
// as a PDF. The landscape chart may arrive turned onto portrait sheets; its
// strips still run along the long side of the sheet, as long as in the file.
TEST_F(CupsViewPrintTest, TheChartPrintsOnThePdfPrinterTheDialogProposes)
{
    const int before = Server().FinishedJobs(Server().PdfQueue());
    const int outputsBefore = Server().PdfOutputs().size();
    DialogSeen seen;
    AnswerPrintDialog({QString(), 2, 2}, seen);
    m_view->PrintChart();
    ASSERT_TRUE(seen.answered);
    EXPECT_TRUE(seen.queues.contains(Server().PdfQueue())) << seen.queues.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(seen.queues.contains(Server().FileQueue()));
    EXPECT_EQ(seen.proposed, Server().PdfQueue());
    EXPECT_TRUE(m_failures.isEmpty()) << m_failures.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(WaitForJob(Server().PdfQueue(), before));
    const QStringList outputs = Server().PdfOutputs();
    ASSERT_EQ(outputs.size(), outputsBefore + 1) << "the PDF printer wrote no file";

    const std::vector<Sheet> sheets = Sheets(outputs.last());
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_TRUE(sheets[0].IsA4()) << sheets[0].width << " x " << sheets[0].height;

    QString error;
    ASSERT_TRUE(WriteChartPdf(*m_doc, m_labels, m_pageFlag, Path("cli.pdf"), 2, 2, CliSettings(3), error));
    const Lines file = LongestLines(Path("cli.pdf"), 1, m_folder.path());
    const Lines paper = LongestLines(outputs.last(), 1, m_folder.path());
    // The longest line of a chart page is a strip's frame, along the sheet's long side.
    ASSERT_TRUE(file.imageLandscape);
    ASSERT_GT(file.alongRows, 250.0);
    const double strip = paper.imageLandscape ? paper.alongRows : paper.alongColumns;
    const double across = paper.imageLandscape ? paper.alongColumns : paper.alongRows;
    EXPECT_NEAR(strip, file.alongRows, 0.5);
    EXPECT_LT(across, 200.0) << "the strips run across the sheet";
}

// "Drucker&einrichtung..." chooses the printer of the session: the next
// "Drucken..." and "Auswertung drucken" start from it and print there.
TEST_F(CupsPrintTest, ThePrinterChosenInPrintSetupPrintsTheNextPrints)
{
    test::ScriptedInteraction interaction;
    StartOptions options;
    options.instanceFolder = m_folder.path();
    options.userFolder = m_folder.path();
    auto app = std::make_unique<CKurvexApp>();
    ASSERT_TRUE(app->InitInstance(options));
    CMainFrame& frame = *app->MainFrame();
    frame.SetInteractionFactory(
        [&interaction](QWidget*) { return std::make_unique<test::ForwardingInteraction>(interaction); });
    QStringList failures;
    app->SetViewContextHook([&failures](ViewContext& context) {
        context.printDialogs.failure = [&failures](const QString& message, QWidget*) { failures << message; };
    });

    DialogSeen setup;
    AnswerPrintDialog({Server().FileQueue()}, setup);
    frame.Action(Command::PrintSetup)->trigger();
    ASSERT_TRUE(setup.answered);
    EXPECT_EQ(setup.proposed, Server().PdfQueue());  // the server's default, before anyone chose

    ASSERT_NE(frame.OpenDocumentFile(test::Sample("pm01bs02_sample.pbs")), nullptr);
    QApplication::processEvents();

    struct Print {
        Command command;
        bool landscape;
        const char* kept;
    };
    for (const Print& print :
         {Print{Command::Print, true, "chart.pdf"}, Print{Command::PrintEvaluation, false, "report.pdf"}}) {
        SCOPED_TRACE(print.kept);
        const int before = Server().FinishedJobs(Server().FileQueue());
        DialogSeen seen;
        AnswerPrintDialog({}, seen);
        frame.Action(print.command)->trigger();
        ASSERT_TRUE(seen.answered);
        EXPECT_EQ(seen.proposed, Server().FileQueue());
        ASSERT_TRUE(WaitForJob(Server().FileQueue(), before));
        const std::vector<Sheet> sheets = Sheets(KeepFileQueueOutput(QString::fromLatin1(print.kept)));
        ASSERT_FALSE(sheets.empty());
        for (const Sheet& sheet : sheets) {
            EXPECT_TRUE(sheet.IsA4());
            EXPECT_EQ(sheet.Landscape(), print.landscape);
        }
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
}  // namespace kurvex
