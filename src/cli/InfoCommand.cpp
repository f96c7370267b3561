// kurvex-cli info: a JSON summary of a measurement file.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliCommon.h"

namespace kurvex::cli {

namespace {

QJsonObject DescribeRun(const CMessFahrtDaten& run)
{
    QJsonArray listingFields;
    for (const std::string& field : run.ListingFields())
        listingFields.append(FromCp1252(field));

    QJsonObject info;
    info[QStringLiteral("format")] = run.FormatCode();
    info[QStringLiteral("loaded")] = run.IsLoaded();
    info[QStringLiteral("incomplete")] = run.IsIncomplete();
    info[QStringLiteral("points")] = static_cast<qint64>(run.Points().size());
    info[QStringLiteral("window")] = run.GetCount();
    info[QStringLiteral("range")] = QJsonArray{run.RangeFrom(), run.RangeTo()};
    info[QStringLiteral("firstStation")] = run.FirstStation();
    info[QStringLiteral("lastStation")] = run.LastStation();
    info[QStringLiteral("limit")] = run.GetLimit();
    info[QStringLiteral("header")] = FromCp1252(run.HeaderText());
    info[QStringLiteral("listingFields")] = listingFields;
    info[QStringLiteral("roadName")] = FromCp1252(run.RoadName());
    info[QStringLiteral("startKm")] = FromCp1252(run.StartKm());
    return info;
}

}  // namespace

int RunInfo(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (!ParseCommandLine(parser, arguments, QStringLiteral("Liest eine Messdatei und beschreibt sie als JSON.")))
        return kExitOk;
    CMessFahrtDaten run;
    LoadRun(SingleFile(parser), run);
    run.SelectWholeRun();
    WriteStdout(QJsonDocument(DescribeRun(run)).toJson(QJsonDocument::Indented).toStdString());
    return kExitOk;
}

}  // namespace kurvex::cli
