// kurvex-cli info: a JSON summary of a measurement file opened as a document.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/CliCommon.h"
#include "chart/ChartPainter.h"
#include "cli/DocumentOpen.h"

namespace kurvex::cli {

namespace {

QJsonArray Strings(const std::array<std::string, 7>& texts)
{
    QJsonArray array;
    for (const std::string& text : texts)
        array.append(FromCp1252(text));
    return array;
}

void DescribeRun(const CMessFahrtDaten& run, QJsonObject& info)
{
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
    info[QStringLiteral("listingFields")] = Strings(run.ListingFields());
    info[QStringLiteral("roadName")] = FromCp1252(run.RoadName());
    info[QStringLiteral("startKm")] = FromCp1252(run.StartKm());
    info[QStringLiteral("stationOffset")] = run.StationOffset();
    info[QStringLiteral("correction")] = run.Correction();
}

QJsonArray Sections(const CBearbeitungsstand& state)
{
    QJsonArray sections;
    for (int i = 0; i < state.SectionCount(); ++i) {
        const ABSCHNITT section = state.Section(i);
        sections.append(QJsonObject{
            {QStringLiteral("von"), section.von},
            {QStringLiteral("bis"), section.bis},
            {QStringLiteral("breite"), section.breite},
            {QStringLiteral("grenzwert"), section.grenzwert},
            {QStringLiteral("reserviert"), section.reserviert},
            {QStringLiteral("faktorK"), section.faktorK},
            {QStringLiteral("einheitspreis"), section.einheitspreis},
            {QStringLiteral("auswerten"), section.auswerten},
            {QStringLiteral("fahrbahnoberflaeche"), FromCp1252(section.fahrbahnoberflaeche)},
            {QStringLiteral("mittlereGeschwindigkeit"), FromCp1252(section.mittlereGeschwindigkeit)},
            {QStringLiteral("geschwStreuung"), FromCp1252(section.geschwStreuung)},
            {QStringLiteral("varK"), FromCp1252(section.varK)},
        });
    }
    return sections;
}

QJsonArray Exceedances(CUeberschreitungsDaten& exceedances)
{
    QJsonArray array;
    for (int i = 0; i < exceedances.ExceedanceCount(); ++i) {
        UEBERSCHREITUNG record;
        exceedances.ExceedanceCopy(i, record);
        array.append(QJsonObject{
            {QStringLiteral("lfdNr"), record.lfdNr},
            {QStringLiteral("station"), record.station},
            {QStringLiteral("messwert"), record.messwert},
            {QStringLiteral("p"), record.p},
            {QStringLiteral("p2"), record.p2},
            {QStringLiteral("beruecksichtigt"), record.beruecksichtigt},
            {QStringLiteral("geschwindigkeit"), record.geschwindigkeit},
            {QStringLiteral("remark"), FromCp1252(exceedances.RemarkFor(record.station))},
        });
    }
    return array;
}

QJsonArray StationTexts(const std::vector<TEXTDATEN>& texts, bool withRawStation)
{
    QJsonArray array;
    for (const TEXTDATEN& text : texts) {
        QJsonObject object{{QStringLiteral("station"), text.station},
                           {QStringLiteral("text"), FromCp1252(text.text)},
                           {QStringLiteral("placement"), text.placement}};
        if (withRawStation)
            object[QStringLiteral("rawStation")] = text.rawStation;
        array.append(object);
    }
    return array;
}

QJsonArray RangeTexts(const std::vector<BEREICHSTEXTDATEN>& texts)
{
    QJsonArray array;
    for (const BEREICHSTEXTDATEN& text : texts) {
        array.append(QJsonObject{{QStringLiteral("start"), text.start},
                                 {QStringLiteral("end"), text.end},
                                 {QStringLiteral("text"), FromCp1252(text.text)},
                                 {QStringLiteral("placement"), text.placement}});
    }
    return array;
}

QJsonArray ExcludedRanges(const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    QJsonArray array;
    for (const BEREICH_OHNE_ERKENNUNG_DATEN& range : ranges) {
        array.append(QJsonObject{{QStringLiteral("von"), range.von},
                                 {QStringLiteral("bis"), range.bis},
                                 {QStringLiteral("bemerkung"), FromCp1252(range.bemerkung)}});
    }
    return array;
}

QJsonArray ComparisonRuns(const CKurvexDoc& doc)
{
    QJsonArray array;
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        const CMessFahrtDaten& run = doc.ComparisonRun(slot);
        QJsonObject entry{{QStringLiteral("slot"), slot},
                          {QStringLiteral("loaded"), run.IsLoaded()},
                          {QStringLiteral("points"), run.GetCount()},
                          {QStringLiteral("offset"), run.ComparisonOffset()}};
        // Only a run the side file names but that was not found has the key.
        if (!doc.MissingComparisonPath(slot).empty())
            entry[QStringLiteral("missing")] = FromCp1252(doc.MissingComparisonPath(slot));
        array.append(entry);
    }
    return array;
}

QJsonArray Messages(const std::vector<UserMessage>& messages)
{
    QJsonArray array;
    for (const UserMessage& message : messages)
        array.append(QJsonObject{{QStringLiteral("icon"), IconName(message.icon)},
                                 {QStringLiteral("text"), FromCp1252(message.text)}});
    return array;
}

// The paging of the chart as a new view computes it: three strips per page.
QJsonObject ChartSummary(const CKurvexDoc& doc)
{
    const int stripLength = StripLengthForScale(doc.State().LengthScale());
    const kurvex::ChartPaging paging =
        ComputePaging(RunExtentOf(doc.Run()), stripLength, kDefaultStripsPerPage, kurvex::ChartPaging{});
    return QJsonObject{{QStringLiteral("stripLength"), stripLength},
                       {QStringLiteral("chartStart"), paging.chartStart},
                       {QStringLiteral("strips"), paging.stripCount},
                       {QStringLiteral("pages"), paging.pageCount}};
}

}  // namespace

int RunInfo(const QStringList& arguments)
{
    SingleRunCommandLine commandLine;
    if (!commandLine.Parse(arguments, QStringLiteral("Öffnet eine Messdatei und beschreibt sie als JSON.")))
        return kExitOk;
    const std::unique_ptr<CKurvexDoc> doc = commandLine.OpenRun();
    const CBearbeitungsstand& state = doc->State();

    QJsonObject info;
    DescribeRun(doc->Run(), info);
    info[QStringLiteral("freshState")] = doc->FreshState();
    // Only a run without a stored evaluation says so; the figures of such a
    // run's report come from no evaluation.
    if (!state.HasStoredEvaluation())
        info[QStringLiteral("evaluated")] = false;
    info[QStringLiteral("sections")] = Sections(state);
    info[QStringLiteral("abschnitte")] = FromCp1252(state.SectionsText());
    info[QStringLiteral("statges")] = FromCp1252(state.RunStatisticsText());
    info[QStringLiteral("exceedances")] = Exceedances(doc->Exceedances());
    info[QStringLiteral("excludedRanges")] = ExcludedRanges(doc->ExcludedRanges());
    info[QStringLiteral("starTexts")] = StationTexts(doc->StarTexts(), true);
    info[QStringLiteral("freeTexts")] = StationTexts(doc->FreeTexts(), false);
    info[QStringLiteral("rangeTexts")] = RangeTexts(doc->RangeTexts());
    info[QStringLiteral("comparisonRuns")] = ComparisonRuns(*doc);
    info[QStringLiteral("checksumOk")] = doc->ChecksumOk();
    info[QStringLiteral("messages")] = Messages(doc->OpenMessages());
    info[QStringLiteral("chart")] = ChartSummary(*doc);
    WriteStdout(QJsonDocument(info).toJson(QJsonDocument::Indented).toStdString());
    return kExitOk;
}

}  // namespace kurvex::cli
