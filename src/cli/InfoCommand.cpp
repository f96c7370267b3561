// kurvex-cli info: a JSON summary of a measurement file opened as a document.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The station texts are written as text rather than built as JSON values: a
// long run has thousands of star texts, and QJsonObject makes each a container
// of its own. The text is the one QJsonDocument's indented form gives (keys
// sorted, four blanks per level, its escapes), so the document reads the same.
void AppendJsonString(std::string& out, const std::string& cp1252)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const QByteArray utf8 = FromCp1252(cp1252).toUtf8();
    out += '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && c != '"' && c != '\\') {
            out += c;
            continue;
        }
        out += '\\';
        switch (c) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '\b': out += 'b'; break;
        case '\f': out += 'f'; break;
        case '\n': out += 'n'; break;
        case '\r': out += 'r'; break;
        case '\t': out += 't'; break;
        default:
            out += "u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        }
    }
    out += '"';
}

// A number member followed by more members.
void AppendJsonMember(std::string& out, std::string_view indent, std::string_view key, int32_t value)
{
    out += indent;
    out += '"';
    out += key;
    out += "\": ";
    out += std::to_string(value);
    out += ",\n";
}

// The array as the member value of a top-level key: "[", the objects, and "]"
// at the key's indentation, without the comma that may follow it.
std::string StationTextsJson(const std::vector<TEXTDATEN>& texts, bool withRawStation)
{
    constexpr std::string_view kObjectIndent = "        ";
    constexpr std::string_view kMemberIndent = "            ";
    std::string out = "[\n";
    out.reserve(texts.size() * 140);
    for (size_t k = 0; k < texts.size(); ++k) {
        const TEXTDATEN& text = texts[k];
        out += kObjectIndent;
        out += "{\n";
        AppendJsonMember(out, kMemberIndent, "placement", text.placement);
        if (withRawStation)
            AppendJsonMember(out, kMemberIndent, "rawStation", text.rawStation);
        AppendJsonMember(out, kMemberIndent, "station", text.station);
        out += kMemberIndent;
        out += "\"text\": ";
        AppendJsonString(out, text.text);
        out += '\n';
        out += kObjectIndent;
        out += k + 1 < texts.size() ? "},\n" : "}\n";
    }
    out += "    ]";
    return out;
}

// Values written as text after QJsonDocument: each key holds a placeholder
// string first, which is then replaced by the text.
class SplicedValues {
public:
    void Add(QJsonObject& object, const QString& key, std::string text)
    {
        const QString placeholder = QStringLiteral("\u0001spliced-%1").arg(m_values.size());
        object[key] = placeholder;
        // A control byte in a string is always escaped: nothing else in the document reads like this.
        m_values.push_back({"\"" + key.toStdString() + "\": \"\\u0001spliced-" + std::to_string(m_values.size()) + "\"",
                            "\"" + key.toStdString() + "\": " + std::move(text)});
    }
    std::string Spliced(std::string document) const
    {
        for (const Value& value : m_values) {
            const size_t at = document.find(value.placeholder);
            if (at != std::string::npos)
                document.replace(at, value.placeholder.size(), value.text);
        }
        return document;
    }

private:
    struct Value {
        std::string placeholder;
        std::string text;
    };
    std::vector<Value> m_values;
};

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
    SplicedValues spliced;
    spliced.Add(info, QStringLiteral("starTexts"), StationTextsJson(doc->StarTexts(), true));
    spliced.Add(info, QStringLiteral("freeTexts"), StationTextsJson(doc->FreeTexts(), false));
    info[QStringLiteral("rangeTexts")] = RangeTexts(doc->RangeTexts());
    info[QStringLiteral("comparisonRuns")] = ComparisonRuns(*doc);
    info[QStringLiteral("checksumOk")] = doc->ChecksumOk();
    info[QStringLiteral("messages")] = Messages(doc->OpenMessages());
    info[QStringLiteral("chart")] = ChartSummary(*doc);
    WriteStdout(spliced.Spliced(QJsonDocument(info).toJson(QJsonDocument::Indented).toStdString()));
    return kExitOk;
}

}  // namespace kurvex::cli
