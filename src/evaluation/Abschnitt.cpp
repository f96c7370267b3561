#include "evaluation/Abschnitt.h"

#include <algorithm>
#include <cmath>

#include "common/Numbers.h"
#include "document/RecordFields.h"

namespace kurvex {

namespace {

constexpr char kSectionFieldSeparator = '|';

// Field positions of a section record.
enum SectionField : size_t {
    kVon, kBreite, kGrenzwert, kReserviert, kFaktorK, kEinheitspreis, kAuswerten,
    kFahrbahnoberflaeche, kMittlereGeschwindigkeit, kGeschwStreuung, kVarK
};

// A stored decimal that is not a finite number reads as 0.
double FiniteOrZero(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

template <typename Section>
void ReadCommonFields(const std::vector<std::string_view>& fields, Section& section)
{
    section.von = ToInt(FieldAt(fields, kVon));
    section.breite = ToInt(FieldAt(fields, kBreite));
    section.grenzwert = ToInt(FieldAt(fields, kGrenzwert));
    section.reserviert = ToInt(FieldAt(fields, kReserviert));
    section.fahrbahnoberflaeche = std::string(FieldAt(fields, kFahrbahnoberflaeche));
    section.mittlereGeschwindigkeit = std::string(FieldAt(fields, kMittlereGeschwindigkeit));
    section.geschwStreuung = std::string(FieldAt(fields, kGeschwStreuung));
    section.varK = std::string(FieldAt(fields, kVarK));
}

}  // namespace

ABSCHNITT ReadABSCHNITT(std::string_view record)
{
    const auto fields = SplitFields(record, kSectionFieldSeparator);
    ABSCHNITT section;
    ReadCommonFields(fields, section);
    section.faktorK = FiniteOrZero(ToDouble(FieldAt(fields, kFaktorK)));
    section.einheitspreis = FiniteOrZero(ParseNumber(FieldAt(fields, kEinheitspreis)));
    section.auswerten = FieldAt(fields, kAuswerten) == "1";
    if (!section.auswerten)
        section.grenzwert = 0;
    return section;
}

Abschnitt ReadAbschnitt(std::string_view record)
{
    const auto fields = SplitFields(record, kSectionFieldSeparator);
    Abschnitt section;
    ReadCommonFields(fields, section);
    section.faktorK = std::string(FieldAt(fields, kFaktorK));
    section.einheitspreis = std::string(FieldAt(fields, kEinheitspreis));
    section.auswerten = ToInt(FieldAt(fields, kAuswerten)) != 0;
    return section;
}

std::string EncodeAbschnitt(const Abschnitt& section)
{
    const char separator = kSectionFieldSeparator;
    std::string record = FormatInt(section.von);
    record += separator;
    record += FormatInt(section.breite);
    record += separator;
    if (section.grenzwert > 0)
        record += FormatInt(section.grenzwert);
    record += separator;
    record += FormatInt(section.reserviert);
    record += separator;
    record += section.faktorK;
    record += separator;
    record += section.einheitspreis;
    record += separator;
    record += section.auswerten ? '1' : '0';
    record += separator;
    record += section.fahrbahnoberflaeche;
    record += separator;
    record += section.mittlereGeschwindigkeit;
    record += separator;
    record += section.geschwStreuung;
    record += separator;
    record += section.varK;
    return record;
}

std::vector<ABSCHNITT> ParseSectionArray(std::string_view abschnitte, int32_t rangeStart, int32_t rangeEnd)
{
    std::vector<ABSCHNITT> sections;
    for (std::string_view record : BracketedItems(abschnitte))
        sections.push_back(ReadABSCHNITT(record));
    if (sections.empty())
        return sections;
    sections.front().von = rangeStart;
    for (size_t i = 0; i + 1 < sections.size(); ++i)
        sections[i].bis = sections[i + 1].von;
    sections.back().bis = rangeEnd;
    return sections;
}

void AbschnittListe::Load(std::string_view abschnitte, int32_t start, int32_t end)
{
    SetRange(start, end);
    m_sections.clear();
    for (std::string_view record : BracketedItems(abschnitte))
        m_sections.push_back(ReadAbschnitt(record));
    Normalise();
}

std::string AbschnittListe::Encode() const
{
    std::string text;
    for (const Abschnitt& section : m_sections) {
        text += '[';
        text += EncodeAbschnitt(section);
        text += ']';
    }
    return text;
}

void AbschnittListe::Clear()
{
    *this = AbschnittListe();
}

void AbschnittListe::SetRange(int32_t start, int32_t end)
{
    m_start = start;
    m_end = end;
    m_ascending = start < end;
}

void AbschnittListe::Append(Abschnitt section)
{
    m_sections.push_back(std::move(section));
}

void AbschnittListe::DeriveEnds()
{
    // From the last section back, so that a von raised to the start in a
    // descending list is already in place when the section before takes it as bis.
    for (size_t k = m_sections.size(); k-- > 0;) {
        Abschnitt& section = m_sections[k];
        section.bis = k + 1 < m_sections.size() ? m_sections[k + 1].von : m_end;
        if (!m_ascending && section.von > m_start)
            section.von = m_start;
    }
}

void AbschnittListe::Normalise()
{
    DeriveEnds();
    if (!m_ascending)
        return;
    std::vector<Abschnitt> kept;
    kept.reserve(m_sections.size());
    for (Abschnitt& section : m_sections) {
        if (section.von == section.bis)
            continue;
        if (section.von < m_start)
            section.von = m_start;
        if (section.bis > m_end)
            section.bis = m_end;
        // Clamping can empty a section that lay at the edge of the range.
        if (section.von == section.bis)
            continue;
        kept.push_back(std::move(section));
    }
    m_sections = std::move(kept);
}

void AbschnittListe::ApplyDefaultLimit(int32_t limit)
{
    for (Abschnitt& section : m_sections) {
        if (section.grenzwert < 1)
            section.grenzwert = limit;
    }
}

bool AbschnittListe::IsEvaluatedStation(int32_t station) const
{
    for (const Abschnitt& section : m_sections) {
        const int32_t lo = std::min(section.von, section.bis);
        const int32_t hi = std::max(section.von, section.bis);
        if (!section.auswerten && lo <= station && station < hi)
            return false;
    }
    return true;
}

}  // namespace kurvex
