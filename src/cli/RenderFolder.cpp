// kurvex-cli render --out-dir: the chart and the report of many runs as PDF
// files into one folder, the runs rendered side by side.

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <exception>
#include <optional>
#include <vector>

#include "chart/ChartPainter.h"
#include "chart/LabelTable.h"
#include "chart/PageFrame.h"
#include "cli/BatchRuns.h"
#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "common/Version.h"
#include "evaluation/DocumentReport.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"

namespace kurvex::cli {

namespace {

const QString kOutDirOption = QStringLiteral("out-dir");

struct RenderedRun {
    std::vector<QString> messages;
    std::optional<QString> refusal;
};

// "<name>_Diagramm.pdf" and "<name>_Protokoll.pdf" after the run's file name
// without its extension; runs of the same name get "_2", "_3", ... in file order.
QStringList OutputStems(const QStringList& files)
{
    QStringList stems;
    QSet<QString> taken;
    for (const QString& file : files) {
        const QString base = QFileInfo(file).completeBaseName();
        QString stem = base;
        for (int n = 2; taken.contains(stem); ++n)
            stem = QStringLiteral("%1_%2").arg(base).arg(n);
        taken.insert(stem);
        stems.append(stem);
    }
    return stems;
}

RenderedRun RenderRun(const QString& file, const QString& stem, const QDir& folder, const CLabelTable& labels,
                      const ChartRenderSettings& settings)
{
    RenderedRun rendered;
    try {
        const std::unique_ptr<CKurvexDoc> doc = OpenDocumentCollecting(file, rendered.messages);
        SettleLengthScale(doc->State());
        ExceedancePageFlag pageFlag;
        QString error;
        const int chartPages = ChartPageCount(*doc, settings.stripsPerPage);
        if (!WriteChartPdf(*doc, labels, pageFlag, folder.filePath(stem + QStringLiteral("_Diagramm.pdf")), 1,
                           chartPages, settings, error))
            throw CliError{error};
        // A run without sections has no report; its chart is all there is to print.
        if (RebuildDocumentReport(*doc).PageCount() < 1)
            rendered.messages.push_back(QStringLiteral("Die Auswertung hat keine Seite: kein Protokoll."));
        else if (!WriteReportPdf(*doc, folder.filePath(stem + QStringLiteral("_Protokoll.pdf")), kVersionText, error))
            throw CliError{error};
    } catch (const CliError& error) {
        rendered.refusal = error.message;
    } catch (const std::exception& error) {
        rendered.refusal = QString::fromLocal8Bit(error.what());
    }
    return rendered;
}

}  // namespace

bool WantsOutputFolder(const QStringList& arguments)
{
    const QString option = QStringLiteral("--") + kOutDirOption;
    for (const QString& argument : arguments)
        if (argument == option || argument.startsWith(option + QLatin1Char('=')))
            return true;
    return false;
}

int RunRenderToFolder(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption outDir(kOutDirOption, QStringLiteral("Ordner für Diagramm und Protokoll jeder Messfahrt (PDF)."),
                                    QStringLiteral("ORDNER"));
    const QCommandLineOption jobs = JobsOptionDefinition();
    const QCommandLineOption strips(QStringLiteral("strips"), QStringLiteral("Streifen je Seite: 2 oder 3 (Vorgabe 3)."),
                                    QStringLiteral("2|3"));
    const QCommandLineOption grid(QStringLiteral("grid"), QStringLiteral("2m-Raster einblenden."));
    parser.addOptions({outDir, jobs, strips, grid});
    if (!ParsePathsCommandLine(parser, arguments,
                               QStringLiteral("Schreibt Diagramm und Protokoll vieler Messfahrten als PDF in einen Ordner.")))
        return kExitOk;
    const ChartRenderSettings settings = PrintedChartSettings(parser, strips, grid);
    const int jobCount = JobsOption(parser, jobs);
    const QDir folder(parser.value(outDir));
    if (!QDir().mkpath(folder.path()))
        throw CliError{QStringLiteral("Der Ordner %1 kann nicht angelegt werden.").arg(folder.path())};
    const QStringList files = CollectRunFiles(parser.positionalArguments());
    const QStringList stems = OutputStems(files);

    // The label file of the current folder, read once and only read by the runs.
    CLabelTable labels;
    labels.LoadLabelFile(kLabelFileName);
    std::vector<RenderedRun> runs(static_cast<size_t>(files.size()));
    RunInParallel(static_cast<int>(files.size()), jobCount, [&](int i) {
        runs[static_cast<size_t>(i)] = RenderRun(files.at(i), stems.at(i), folder, labels, settings);
    });

    bool someRefused = false;
    for (size_t i = 0; i < runs.size(); ++i) {
        const QString& file = files.at(static_cast<int>(i));
        for (const QString& message : runs[i].messages)
            PrintError(file + QStringLiteral(": ") + message);
        if (runs[i].refusal) {
            PrintError(file + QStringLiteral(": ") + *runs[i].refusal);
            someRefused = true;
        }
    }
    return someRefused ? kExitSomeRefused : kExitOk;
}

}  // namespace kurvex::cli
