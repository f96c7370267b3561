// kurvex-cli summary: the evaluation figures of many runs in one table, as
// their printed reports state them, for a lab's view of a week of runs.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "cli/BatchRuns.h"
#include "cli/CliCommon.h"
#include "cli/DocumentOpen.h"
#include "common/Cp1252.h"
#include "evaluation/DocumentReport.h"
#include "evaluation/ReportFigures.h"
#include "measurement/ExportText.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex::cli {

namespace {

// One file of the summary: a run with its report's figures, or the message that refused it.
struct FileSummary {
    QString file;
    std::optional<QString> refusal;
    std::vector<QString> messages;
    int format = 0;
    qint64 points = 0;
    std::vector<std::pair<QString, QString>> header;  // label, value
    ReportFigures figures;                            // texts in Windows-1252
    bool evaluated = true;                            // the side file holds an evaluation
};

// The header data by their labels, as the chart's page frame reads them.
std::vector<std::pair<QString, QString>> HeaderEntries(const std::string& headerData)
{
    std::vector<std::pair<QString, QString>> entries;
    for (const HeaderEntry& entry : LabelledHeaderEntries(headerData))
        entries.emplace_back(FromCp1252(entry.label), FromCp1252(entry.value));
    return entries;
}

FileSummary Summarise(const QString& file)
{
    FileSummary summary;
    summary.file = file;
    try {
        const std::unique_ptr<CKurvexDoc> doc = OpenDocumentCollecting(file, summary.messages);
        RebuildDocumentReport(*doc);
        summary.format = doc->Run().FormatCode();
        summary.points = static_cast<qint64>(doc->Run().Points().size());
        summary.header = HeaderEntries(doc->State().HeaderData());
        summary.figures = ReportFiguresOf(ReportInputsOf(*doc));
        summary.evaluated = doc->State().HasStoredEvaluation();
    } catch (const CliError& error) {
        summary.refusal = error.message;
    } catch (const std::exception& error) {
        summary.refusal = QString::fromLocal8Bit(error.what());
    }
    return summary;
}

QJsonValue OptionalText(const std::optional<std::string>& text)
{
    return text ? QJsonValue(FromCp1252(*text)) : QJsonValue(QJsonValue::Null);
}

QJsonObject RunJson(const FileSummary& run)
{
    QJsonObject header;
    for (const auto& [label, value] : run.header)
        header[label] = value;
    QJsonArray sections;
    for (const ReportSectionFigures& section : run.figures.sections) {
        sections.append(QJsonObject{
            {QStringLiteral("number"), section.number},
            {QStringLiteral("von"), section.von / 10.0},
            {QStringLiteral("bis"), section.bis / 10.0},
            {QStringLiteral("evaluated"), section.evaluated},
            {QStringLiteral("width"), section.widthCm},
            {QStringLiteral("limit"), section.limitMm},
            {QStringLiteral("exceedances"), section.exceedances},
            {QStringLiteral("counted"), section.counted},
            {QStringLiteral("sumP2"), static_cast<qint64>(section.sumP2)},
            {QStringLiteral("deduction"), OptionalText(section.deduction)},
        });
    }
    const ReportFigures& figures = run.figures;
    return QJsonObject{
        {QStringLiteral("file"), run.file},
        {QStringLiteral("format"), run.format},
        {QStringLiteral("points"), run.points},
        {QStringLiteral("header"), header},
        // Without a stored evaluation the zeros below say nothing about the road.
        {QStringLiteral("evaluated"), run.evaluated},
        {QStringLiteral("sections"), sections},
        {QStringLiteral("sumP2"), figures.sumP2 ? QJsonValue(static_cast<qint64>(*figures.sumP2)) : QJsonValue()},
        {QStringLiteral("deduction"), OptionalText(figures.deduction)},
        {QStringLiteral("meanSpeed"), OptionalText(figures.meanSpeed)},
        {QStringLiteral("varK"), OptionalText(figures.varK)},
        {QStringLiteral("pages"), figures.pages},
    };
}

std::string SummaryJson(const std::vector<FileSummary>& runs)
{
    QJsonArray accepted;
    QJsonArray refused;
    for (const FileSummary& run : runs) {
        if (run.refusal)
            refused.append(QJsonObject{{QStringLiteral("file"), run.file}, {QStringLiteral("message"), *run.refusal}});
        else
            accepted.append(RunJson(run));
    }
    const QJsonObject root{{QStringLiteral("runs"), accepted}, {QStringLiteral("refused"), refused}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

// --- CSV ------------------------------------------------------------------------------

class CsvWriter {
public:
    CsvWriter(bool decimalComma, QString separator) : m_decimalComma(decimalComma), m_separator(std::move(separator)) {}

    // A number as short as it is exact, with the chosen decimal sign.
    QString Number(double value) const
    {
        return Decimal(QString::number(value, 'f', QLocale::FloatingPointShortest));
    }
    // A figure the report prints with a decimal point ("656.25").
    QString Decimal(QString pointText) const
    {
        if (m_decimalComma)
            pointText.replace(QLatin1Char('.'), QLatin1Char(','));
        return pointText;
    }
    QString Text(const std::optional<std::string>& text) const { return text ? FromCp1252(*text) : QString(); }

    void Line(const QStringList& fields)
    {
        QStringList quoted;
        for (const QString& field : fields)
            quoted.append(Quoted(field));
        m_text += quoted.join(m_separator);
        m_text += QStringLiteral("\r\n");
    }
    std::string Bytes() const { return "\xEF\xBB\xBF" + m_text.toStdString(); }

private:
    QString Quoted(const QString& field) const
    {
        const bool needsQuotes = field.contains(m_separator) || field.contains(QLatin1Char('"')) ||
                                 field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
        if (!needsQuotes)
            return field;
        QString quoted = field;
        quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }

    bool m_decimalComma;
    QString m_separator;
    QString m_text;
};

// The header labels of all runs in the order they first appear: one column each.
QStringList HeaderColumns(const std::vector<FileSummary>& runs)
{
    QStringList labels;
    for (const FileSummary& run : runs)
        for (const auto& entry : run.header)
            if (!labels.contains(entry.first))
                labels.append(entry.first);
    return labels;
}

std::string SummaryCsv(const std::vector<FileSummary>& runs, bool decimalComma, const QString& separator)
{
    CsvWriter csv(decimalComma, separator);
    const QStringList headerColumns = HeaderColumns(runs);
    const QStringList figureColumns{
        QStringLiteral("Abschnitt"),      QStringLiteral("von [m]"),       QStringLiteral("bis [m]"),
        QStringLiteral("ausgewertet"),    QStringLiteral("Breite [cm]"),   QStringLiteral("Grenzwert [mm]"),
        QStringLiteral("Überschreitungen"), QStringLiteral("berücksichtigt"), QStringLiteral("Summe p²"),
        QStringLiteral("Abzug"),          QStringLiteral("v [km/h]"),      QStringLiteral("VarK [%]"),
        QStringLiteral("Seiten"),         QStringLiteral("Meldung")};
    csv.Line(QStringList{QStringLiteral("Datei"), QStringLiteral("Format"), QStringLiteral("Punkte")} + headerColumns +
             figureColumns);

    for (const FileSummary& run : runs) {
        if (run.refusal) {
            QStringList line{run.file};
            for (int i = 1; i < 3 + headerColumns.size() + figureColumns.size() - 1; ++i)
                line.append(QString());
            line.append(*run.refusal);
            csv.Line(line);
            continue;
        }
        QStringList lead{run.file, QString::number(run.format), QString::number(run.points)};
        for (const QString& label : headerColumns) {
            const auto entry = std::find_if(run.header.begin(), run.header.end(),
                                            [&](const std::pair<QString, QString>& e) { return e.first == label; });
            lead.append(entry != run.header.end() ? entry->second : QString());
        }
        for (const ReportSectionFigures& section : run.figures.sections) {
            csv.Line(lead + QStringList{QString::number(section.number), csv.Number(section.von / 10.0),
                                        csv.Number(section.bis / 10.0),
                                        section.evaluated ? QStringLiteral("ja") : QStringLiteral("nein"),
                                        QString::number(section.widthCm), csv.Number(section.limitMm),
                                        QString::number(section.exceedances), QString::number(section.counted),
                                        QString::number(section.sumP2), csv.Decimal(csv.Text(section.deduction)),
                                        QString(), QString(), QString(), QString()});
        }
        const ReportFigures& figures = run.figures;
        csv.Line(lead + QStringList{QStringLiteral("gesamt"), QString(), QString(), QString(), QString(), QString(),
                                    QString(), QString(),
                                    figures.sumP2 ? QString::number(*figures.sumP2) : QString(),
                                    csv.Decimal(csv.Text(figures.deduction)), csv.Text(figures.meanSpeed),
                                    csv.Text(figures.varK), QString::number(figures.pages),
                                    run.evaluated ? QString() : FromCp1252(kNoEvaluationText)});
    }
    return csv.Bytes();
}

}  // namespace

int RunSummary(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("Ausgabe: json (Vorgabe) oder csv."),
                                    QStringLiteral("json|csv"), QStringLiteral("json"));
    const QCommandLineOption decimal(QStringLiteral("decimal"),
                                     QStringLiteral("Dezimalzeichen der CSV: comma (Vorgabe) oder point."),
                                     QStringLiteral("comma|point"), QStringLiteral("comma"));
    const QCommandLineOption separator(QStringLiteral("separator"),
                                       QStringLiteral("Feldtrenner der CSV: semicolon (Vorgabe), tab, comma oder ein anderes Zeichen."),
                                       QStringLiteral("tab|semicolon|comma|TEXT"), QStringLiteral("semicolon"));
    const QCommandLineOption jobs = JobsOptionDefinition();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Ausgabedatei (Vorgabe: Standardausgabe)."), QStringLiteral("AUSGABE"));
    parser.addOptions({format, decimal, separator, jobs, output});
    if (!ParsePathsCommandLine(parser, arguments,
                               QStringLiteral("Fasst die Auswertungen vieler Messfahrten zusammen, wie ihre Protokolle sie drucken.")))
        return kExitOk;

    const QString formatName = parser.value(format);
    if (formatName != QStringLiteral("json") && formatName != QStringLiteral("csv"))
        throw CliError{QStringLiteral("--format erwartet json oder csv, nicht \"%1\".").arg(formatName)};
    const bool decimalComma = DecimalCommaOption(parser.value(decimal));
    const std::string separatorText = SeparatorOption(parser.value(separator));
    const std::string problem = CheckExportSeparator(decimalComma, separatorText);
    if (!problem.empty())
        throw CliError{FromCp1252(problem).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
    const int jobCount = JobsOption(parser, jobs);
    const QStringList files = CollectRunFiles(parser.positionalArguments());

    std::vector<FileSummary> runs(static_cast<size_t>(files.size()));
    RunInParallel(static_cast<int>(files.size()), jobCount,
                  [&](int i) { runs[static_cast<size_t>(i)] = Summarise(files.at(i)); });

    bool someRefused = false;
    for (const FileSummary& run : runs) {
        for (const QString& message : run.messages)
            PrintError(run.file + QStringLiteral(": ") + message);
        if (run.refusal) {
            PrintError(run.file + QStringLiteral(": ") + *run.refusal);
            someRefused = true;
        }
    }
    const std::string text = formatName == QStringLiteral("csv")
                                 ? SummaryCsv(runs, decimalComma, FromCp1252(separatorText))
                                 : SummaryJson(runs);
    if (parser.isSet(output))
        WriteOutputFile(parser.value(output), text);
    else
        WriteStdout(text);
    return someRefused ? kExitSomeRefused : kExitOk;
}

}  // namespace kurvex::cli
