// kurvex-cli render: chart pages as the printer prints them (PDF) or one page
// as an image, printed or as the screen shows it.

#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>

#include <cstdlib>

#include "chart/LabelTable.h"
#include "chart/PageFrame.h"
#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "common/Numbers.h"
#include "common/Version.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"

namespace kurvex::cli {

namespace {

struct PageRange {
    int from = 1;
    int to = 0;  // 0: to the last page
};

PageRange PagesOption(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d+)?\\s*(-)?\\s*(\\d+)?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (text.trimmed().isEmpty() || !match.hasMatch())
        throw CliError{QStringLiteral("Seitenbereich wie 2-5, 3 oder 2- angeben: %1").arg(text)};
    PageRange range;
    if (match.hasCaptured(1))
        range.from = std::max(1, match.captured(1).toInt());
    if (match.hasCaptured(3))
        range.to = std::max(1, match.captured(3).toInt());
    else if (!match.hasCaptured(2))
        range.to = range.from;  // a single page
    if (range.to != 0 && range.to < range.from)
        throw CliError{QStringLiteral("Seitenbereich verkehrt herum: %1").arg(text)};
    return range;
}

// A range beyond the chart's pages would silently print other pages than asked for.
void CheckPagesExist(const PageRange& range, int pageCount, const QString& text)
{
    if (range.from > pageCount || range.to > pageCount)
        throw CliError{QStringLiteral("Das Diagramm hat %1 Seite(n); --pages %2 liegt außerhalb.").arg(pageCount).arg(text)};
}

int PositiveOption(const QString& text, const QString& what)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1)
        throw CliError{QStringLiteral("%1 muss eine Zahl ab 1 sein: %2").arg(what, text)};
    return value;
}

int StationOption(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw CliError{QStringLiteral("--pick nimmt eine Station in dm: %1").arg(text)};
    return value;
}

// The labels of the printed pages as the viewer has them: the German ones, or
// those of a label file "lang.txt" in the current directory.
CLabelTable WorkingDirectoryLabels()
{
    CLabelTable labels;
    labels.LoadLabelFile(kLabelFileName);
    return labels;
}

// The whole report as PDF, or one page as PNG.
int WriteReport(CKurvexDoc& doc, const QString& outPath, bool pdf, int pageNumber)
{
    if (pdf) {
        QString error;
        if (!WriteReportPdf(doc, outPath, kVersionText, error))
            throw CliError{error};
        return kExitOk;
    }
    const QImage image = RenderReportPage(doc, pageNumber, kVersionText);
    if (image.isNull())
        throw CliError{QStringLiteral("Das Protokoll hat keine Seite %1.").arg(pageNumber)};
    if (!image.save(outPath, "PNG"))
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(outPath)};
    return kExitOk;
}

}  // namespace

ChartRenderSettings PrintedChartSettings(const QCommandLineParser& parser, const QCommandLineOption& strips,
                                         const QCommandLineOption& grid)
{
    ChartLayout layout;
    if (parser.isSet(strips)) {
        const QString value = parser.value(strips);
        if (value != QStringLiteral("2") && value != QStringLiteral("3"))
            throw CliError{QStringLiteral("--strips nimmt 2 oder 3.")};
        layout.stripsPerPage = value.toInt();
    }
    layout.twoMetreGrid = parser.isSet(grid);
    return PrintedChartSettingsFor(layout, kVersionText);
}

std::unique_ptr<QCoreApplication> MakeGuiApplication(int& argc, char** argv)
{
    // Rendering needs fonts and painting, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunRender(const QStringList& arguments)
{
    if (WantsOutputFolder(arguments))
        return RunRenderToFolder(arguments);
    SingleRunCommandLine commandLine;
    QCommandLineParser& parser = commandLine.Parser();
    const QCommandLineOption chart(QStringLiteral("chart"), QStringLiteral("Diagrammseiten ausgeben."));
    const QCommandLineOption report(QStringLiteral("report"),
                                    QStringLiteral("Überschreitungsprotokoll ausgeben (A4 hoch)."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Ausgabedatei: .pdf (alle Seiten wie gedruckt) oder .png (eine Seite)."),
                                    QStringLiteral("AUSGABE"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Seite des PNG (Vorgabe 1)."), QStringLiteral("N"));
    const QCommandLineOption pages(QStringLiteral("pages"), QStringLiteral("Seiten des PDF, z. B. 2-4."), QStringLiteral("A-B"));
    const QCommandLineOption screen(QStringLiteral("screen"), QStringLiteral("PNG wie am Bildschirm statt wie gedruckt."));
    const QCommandLineOption pick(QStringLiteral("pick"),
                                  QStringLiteral("Angeklickte Station in dm (ein- oder zweimal, nur mit --screen)."),
                                  QStringLiteral("STATION"));
    const QCommandLineOption strips(QStringLiteral("strips"), QStringLiteral("Streifen je Seite: 2 oder 3 (Vorgabe 3)."),
                                    QStringLiteral("2|3"));
    const QCommandLineOption grid(QStringLiteral("grid"), QStringLiteral("2m-Raster einblenden."));
    // Named for the help only: with it, render takes many files (RunRenderToFolder).
    const QCommandLineOption outDir(QStringLiteral("out-dir"),
                                    QStringLiteral("Diagramm und Protokoll jeder Messfahrt als PDF in ORDNER (auch "
                                                   "für viele Dateien und Ordner)."),
                                    QStringLiteral("ORDNER"));
    parser.addOptions({chart, report, output, page, pages, screen, pick, strips, grid, outDir});
    if (!commandLine.Parse(arguments, QStringLiteral("Gibt die Diagrammseiten einer Messdatei als PDF oder PNG aus.")))
        return kExitOk;
    if (parser.isSet(chart) == parser.isSet(report))
        throw CliError{QStringLiteral("Bitte --chart oder --report angeben.")};
    const QString outPath = parser.value(output);
    const bool pdf = outPath.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
    const bool png = outPath.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    if (!pdf && !png)
        throw CliError{QStringLiteral("Bitte mit -o eine Ausgabedatei .pdf oder .png angeben.")};

    const ChartRenderSettings settings = PrintedChartSettings(parser, strips, grid);
    const QStringList picks = parser.values(pick);
    if (picks.size() > 2)
        throw CliError{QStringLiteral("--pick höchstens zweimal angeben.")};

    const std::unique_ptr<CKurvexDoc> doc = commandLine.OpenRun();
    // In the viewer a run is shown before anything of it is printed, and that
    // first paint settles an unknown length scale at 1:400; the page frame and
    // the report printed here state the same scale as the viewer's.
    SettleLengthScale(doc->State());
    if (parser.isSet(report)) {
        const int reportPage = parser.isSet(page) ? PositiveOption(parser.value(page), QStringLiteral("--page")) : 1;
        return WriteReport(*doc, outPath, pdf, reportPage);
    }
    for (const QString& station : picks)
        doc->PickedStations().Push(FormatInt(StationOption(station)));
    const CLabelTable labels = WorkingDirectoryLabels();
    ExceedancePageFlag pageFlag;

    if (pdf) {
        const PageRange range = parser.isSet(pages) ? PagesOption(parser.value(pages)) : PageRange{};
        const int pageCount = ChartPageCount(*doc, settings.stripsPerPage);
        if (parser.isSet(pages))
            CheckPagesExist(range, pageCount, parser.value(pages));
        const int last = range.to == 0 ? pageCount : range.to;
        QString error;
        if (!WriteChartPdf(*doc, labels, pageFlag, outPath, range.from, last, settings, error))
            throw CliError{error};
        return kExitOk;
    }
    const int pageNumber = parser.isSet(page) ? PositiveOption(parser.value(page), QStringLiteral("--page")) : 1;
    const QImage image = parser.isSet(screen)
                             ? RenderScreenChartPage(*doc, labels, pageFlag, pageNumber, settings)
                             : RenderPrintedChartPage(*doc, labels, pageFlag, pageNumber, settings);
    if (!image.save(outPath, "PNG"))
        throw CliError{QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(outPath)};
    return kExitOk;
}

}  // namespace kurvex::cli
