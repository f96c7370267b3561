#include "document/Bearbeitungsstand.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "common/FileAccess.h"
#include "common/Numbers.h"
#include "common/Version.h"
#include "document/Fahrbahnoberflaechen.h"
#include "document/RecordFields.h"
#include "document/SideFileKeys.h"

namespace kurvex {

namespace {

constexpr char kRangeSeparator = ';';
constexpr char kStatisticsSeparator = '|';
// Width in dm of one cell of the chart's 2-m grid.
constexpr int64_t kGridCell = 20;

const char* HeadingKey(int line)
{
    switch (line) {
    case 1: return kKeyHeading1;
    case 2: return kKeyHeading2;
    case 3: return kKeyHeading3;
    default: return nullptr;
    }
}

// The signed 32-bit value of a sum kept modulo 2^32.
int32_t AsSigned32(uint32_t value)
{
    return value <= static_cast<uint32_t>(std::numeric_limits<int32_t>::max())
               ? static_cast<int32_t>(value)
               : static_cast<int32_t>(static_cast<int64_t>(value) - (int64_t{1} << 32));
}

void AppendMark(std::string& marks, char kind, std::initializer_list<int64_t> values)
{
    marks += '[';
    marks += kind;
    for (int64_t value : values) {
        marks += ';';
        marks += FormatInt(value);
    }
    marks += ']';
}

}  // namespace

bool CBearbeitungsstand::LoadState(const std::string& path, const CEinstellungen& globalSettings)
{
    std::string content;
    if (!ReadRegularFile(path, content)) {
        ResetForLoad(path);
        CreateFresh(globalSettings);
        return false;
    }
    LoadStateFromText(path, content);
    return true;
}

void CBearbeitungsstand::LoadStateFromText(const std::string& path, std::string_view content)
{
    ResetForLoad(path);
    ParseContent(content);
    TakeTypedFieldsFromMap();
    m_settings.ReadFromMap(m_map);
}

void CBearbeitungsstand::ResetForLoad(const std::string& path)
{
    m_path = path;
    m_fileExisted = true;
    m_map.clear();
    m_sectionsCurrent = false;
    m_settings.ResetToDefaults();
    m_surfaceIndex = 0;
    m_lengthScale = kDefaultLengthScale;
    m_evaluationStandard = 1;
    m_standardMaximum = kDefaultStandardMaximum;
}

// One entry per line (LF or CR LF): the key up to the first "=", kept exactly;
// the value behind it without trailing white space. The last entry of a key wins.
void CBearbeitungsstand::ParseContent(std::string_view content)
{
    size_t lineStart = 0;
    while (lineStart < content.size()) {
        size_t lineEnd = content.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = content.size();
        const std::string_view line = content.substr(lineStart, lineEnd - lineStart);
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            m_map[std::string(line.substr(0, equals))] = TrimRight(line.substr(equals + 1));
        lineStart = lineEnd + 1;
    }
}

void CBearbeitungsstand::TakeTypedFieldsFromMap()
{
    m_lengthScale = ToInt(GetText(kKeyLengthScale, FormatInt(m_lengthScale)));
    const auto surface = m_map.find(kKeySurface);
    if (surface != m_map.end()) {
        const auto it = std::find(Fahrbahnoberflaechen.begin(), Fahrbahnoberflaechen.end(), surface->second);
        if (it != Fahrbahnoberflaechen.end())
            m_surfaceIndex = static_cast<int>(it - Fahrbahnoberflaechen.begin());
    }
    m_standardMaximum = GetText(kKeyStandardMaximum, kDefaultStandardMaximum);
}

void CBearbeitungsstand::CreateFresh(const CEinstellungen& globalSettings)
{
    m_fileExisted = false;
    SetText(kKeyProgramVersion, kVersionDigits);
    globalSettings.WriteToMap(m_map);
    m_settings.ReadFromMap(m_map);
}

// --- Map access ------------------------------------------------------------------

std::string CBearbeitungsstand::GetText(const std::string& key, const std::string& defaultValue) const
{
    return LookupOrDefault(m_map, key, defaultValue);
}

void CBearbeitungsstand::SetText(const std::string& key, const std::string& value)
{
    m_map[key] = value;
    if (key == kKeySections || key == kKeyRange)
        m_sectionsCurrent = false;
}

void CBearbeitungsstand::Remove(const std::string& key)
{
    m_map.erase(key);
    if (key == kKeySections || key == kKeyRange)
        m_sectionsCurrent = false;
}

// --- Typed reads -----------------------------------------------------------------

std::string CBearbeitungsstand::ProgramVersion() const { return GetText(kKeyProgramVersion, "0"); }
std::string CBearbeitungsstand::HeaderData() const { return GetText(kKeyHeaderData, ""); }
std::string CBearbeitungsstand::HeaderFooterData() const { return GetText(kKeyHeaderFooterData, ""); }
std::string CBearbeitungsstand::StarTexts() const { return GetText(kKeyStarTexts, ""); }
std::string CBearbeitungsstand::FreeTexts() const { return GetText(kKeyFreeTexts, ""); }
std::string CBearbeitungsstand::RangeTexts() const { return GetText(kKeyRangeTexts, ""); }
std::string CBearbeitungsstand::ExcludedRanges() const { return GetText(kKeyExcludedRanges, ""); }
std::string CBearbeitungsstand::SectionsText() const { return GetText(kKeySections, ""); }
bool CBearbeitungsstand::HasStoredEvaluation() const
{
    return m_fileExisted && m_map.count(kKeyExceedances) > 0;
}

std::string CBearbeitungsstand::ExceedanceData() const { return GetText(kKeyExceedances, ""); }
std::string CBearbeitungsstand::EvaluationParameters() const { return GetText(kKeyEvaluationParameters, ""); }
std::string CBearbeitungsstand::RemarkData() const { return GetText(kKeyRemarks, ""); }
std::string CBearbeitungsstand::KilometreAdjustment() const { return GetText(kKeyKilometreAdjustment, ""); }
std::string CBearbeitungsstand::RunStatisticsText() const { return GetText(kKeyRunStatistics, ""); }
int32_t CBearbeitungsstand::DecimetreOffset() const { return ToInt(GetText(kKeyDecimetreOffset, "0")); }
int32_t CBearbeitungsstand::CalibrationValue() const { return ToInt(GetText(kKeyCalibration, "0")); }
bool CBearbeitungsstand::IsMirrored() const { return GetText(kKeyMirrored, "0") == "1"; }

std::string CBearbeitungsstand::Heading(int line) const
{
    const char* key = HeadingKey(line);
    return key ? GetText(key, "") : std::string();
}

int32_t CBearbeitungsstand::RangeStart() const
{
    return ToInt(GetField(GetText(kKeyRange, kDefaultRange), kRangeSeparator, 0));
}

int32_t CBearbeitungsstand::RangeEnd() const
{
    return ToInt(GetField(GetText(kKeyRange, kDefaultRange), kRangeSeparator, 1));
}

int CBearbeitungsstand::SectionCount() const
{
    return static_cast<int>(Parsed().sections.size());
}

// --- Typed writes ----------------------------------------------------------------

void CBearbeitungsstand::SetHeaderData(const std::string& text) { SetText(kKeyHeaderData, text); }
void CBearbeitungsstand::SetStarTexts(const std::string& text) { SetText(kKeyStarTexts, text); }
void CBearbeitungsstand::SetFreeTexts(const std::string& text) { SetText(kKeyFreeTexts, text); }
void CBearbeitungsstand::SetRangeTexts(const std::string& text) { SetText(kKeyRangeTexts, text); }
void CBearbeitungsstand::SetExcludedRanges(const std::string& text) { SetText(kKeyExcludedRanges, text); }
void CBearbeitungsstand::SetSectionsText(const std::string& text) { SetText(kKeySections, text); }
void CBearbeitungsstand::SetKilometreAdjustment(const std::string& text) { SetText(kKeyKilometreAdjustment, text); }
void CBearbeitungsstand::SetMirrored(bool mirrored) { SetText(kKeyMirrored, mirrored ? "1" : "0"); }

void CBearbeitungsstand::SetHeading(int line, const std::string& text)
{
    if (const char* key = HeadingKey(line))
        SetText(key, text);
}

void CBearbeitungsstand::SetRange(int32_t start, int32_t end)
{
    SetText(kKeyRange, FormatInt(start) + kRangeSeparator + FormatInt(end));
}

void CBearbeitungsstand::SetRunStatistics(const Abschnitt& wholeRun)
{
    SetText(kKeyRunStatistics, wholeRun.mittlereGeschwindigkeit + kStatisticsSeparator + wholeRun.geschwStreuung
                                   + kStatisticsSeparator + wholeRun.varK);
}

void CBearbeitungsstand::SetLengthScale(int32_t denominator)
{
    m_lengthScale = denominator;
    SetText(kKeyLengthScale, FormatInt(denominator));
}

std::string CBearbeitungsstand::SurfaceName() const
{
    if (m_surfaceIndex < 0 || static_cast<size_t>(m_surfaceIndex) >= Fahrbahnoberflaechen.size())
        return {};
    return std::string(Fahrbahnoberflaechen[static_cast<size_t>(m_surfaceIndex)]);
}

// --- Checksum --------------------------------------------------------------------

// Two running sums over the headings and star texts, each part appended with
// the trailing white space of the whole text removed. Kept modulo 2^32 (the
// stored value is the 32-bit signed result), so a long text wraps as it must.
std::string CBearbeitungsstand::StateChecksum() const
{
    std::string text;
    for (const char* key : {kKeyHeading1, kKeyHeading2, kKeyHeading3, kKeyStarTexts}) {
        text += GetText(key, "");
        text = TrimRight(text);
    }
    uint32_t s1 = 1321;
    uint32_t s2 = 3022;
    for (size_t i = 0; i < text.size(); ++i) {
        const int64_t b = static_cast<signed char>(text[i]);
        s1 += static_cast<uint32_t>(b);
        // % truncates toward zero: the remainder of a negative product is negative.
        s2 += static_cast<uint32_t>((b * static_cast<int64_t>(i)) % 17);
    }
    return FormatInt(AsSigned32(s1 * 100u + s2));
}

bool CBearbeitungsstand::ChecksumMatches() const
{
    return !m_fileExisted || StateChecksum() == GetText(kKeyChecksum, "");
}

// --- Sections --------------------------------------------------------------------

const CBearbeitungsstand::ParsedSectionList& CBearbeitungsstand::Parsed() const
{
    if (!m_sectionsCurrent) {
        const std::string text = SectionsText();
        m_parsed.sections = ParseSectionArray(text, RangeStart(), RangeEnd());
        m_parsed.storedStarts.clear();
        m_parsed.widths.clear();
        for (std::string_view item : BracketedItems(text)) {
            const auto fields = SplitFields(item, '|');
            m_parsed.storedStarts.push_back(ToInt(FieldAt(fields, 0)));
            m_parsed.widths.push_back(ToInt(FieldAt(fields, 1)));
        }
        m_sectionsCurrent = true;
    }
    return m_parsed;
}

std::optional<SectionHit> CBearbeitungsstand::SectionAt(int32_t station) const
{
    const std::vector<ABSCHNITT>& sections = Parsed().sections;
    for (size_t i = 0; i < sections.size(); ++i) {
        const auto [lo, hi] = std::minmax(sections[i].von, sections[i].bis);
        if (lo <= station && station <= hi)
            return SectionHit{static_cast<int>(i), sections[i]};
    }
    return std::nullopt;
}

SectionNumber CBearbeitungsstand::SectionNumberAt(int32_t station) const
{
    // The stored starts, not the array: its first von is the range start.
    const std::vector<int32_t>& starts = Parsed().storedStarts;
    const std::vector<int32_t>& widths = Parsed().widths;
    if (starts.empty())
        return {};
    const bool ascending = RangeStart() < RangeEnd();
    for (size_t i = 1; i < starts.size(); ++i) {
        if (ascending ? starts[i] >= station : station >= starts[i])
            return {static_cast<int>(i), widths[i - 1]};
    }
    return {static_cast<int>(starts.size()), widths.back()};
}

ABSCHNITT CBearbeitungsstand::Section(int i) const
{
    const std::vector<ABSCHNITT>& sections = Parsed().sections;
    if (i < 0 || static_cast<size_t>(i) >= sections.size())
        return {};
    return sections[static_cast<size_t>(i)];
}

// For every section in the window: "[g;from;to;limit]" and, for a section with a
// limit, "[r;from;to;p;q]" with the grid phase p (dm into the 2-m cell at the
// clipped start, seen in run direction) and the cell parity q; then "[w;s]" for
// every section boundary s inside the window.
std::string CBearbeitungsstand::SectionMarks(int32_t a, int32_t b) const
{
    const std::vector<ABSCHNITT>& sections = Parsed().sections;
    const int64_t lo = std::min(a, b);
    const int64_t hi = std::max(a, b);
    std::string marks;
    for (const ABSCHNITT& section : sections) {
        const int64_t slo = std::min(section.von, section.bis);
        const int64_t shi = std::max(section.von, section.bis);
        if (shi < lo || hi < slo)
            continue;
        const int64_t clo = std::max(slo, lo);
        const int64_t chi = std::min(shi, hi);
        AppendMark(marks, 'g', {clo, chi, section.grenzwert});
        if (section.grenzwert > 0) {
            const int64_t p = (a < b ? std::llabs(slo - clo) : std::llabs(shi - chi)) % kGridCell;
            const int64_t q = (std::llabs(section.von - clo) % kGridCell) / 10;
            AppendMark(marks, 'r', {clo, chi, p, q});
        }
    }
    for (size_t i = 1; i < sections.size(); ++i) {
        const int64_t start = sections[i].von;
        if (lo <= start && start < hi)
            AppendMark(marks, 'w', {start});
    }
    return marks;
}

}  // namespace kurvex
