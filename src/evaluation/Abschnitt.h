#pragma once
// Sections of a run: the evaluation record ABSCHNITT, the editing record
// Abschnitt, their ABSCHNITTE text encoding and the list AbschnittListe.
//
// ABSCHNITTE is the concatenation of "[" record "]" per section in run
// direction; a record is eleven fields joined by "|": von, breite, grenzwert
// (empty when 0), reserviert, faktorK, einheitspreis, auswerten (1/0), road
// surface, mean speed, speed deviation, VarK. The end station bis is never
// stored: it is the next section's von, or the end of the evaluated range.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

// A section as the evaluation reads it.
struct ABSCHNITT {
    int32_t von = 0;        // dm, first station in run direction
    int32_t bis = 0;        // dm, derived
    int32_t breite = 0;     // cm
    int32_t grenzwert = 0;  // 0.1 mm; 0 when the section is not evaluated
    int32_t reserviert = 10;
    double faktorK = 0.0;
    double einheitspreis = 0.0;  // per m²
    bool auswerten = true;
    std::string fahrbahnoberflaeche;
    std::string mittlereGeschwindigkeit;
    std::string geschwStreuung;
    std::string varK;
};

// A section as the section dialogs and the run's statistics handle it.
struct Abschnitt {
    int32_t ersterPunkt = 0;  // window index of the first point
    int32_t endPunkt = 0;     // window index one past the last point
    int32_t von = 0;
    int32_t bis = 0;
    int32_t breite = 0;
    int32_t grenzwert = 0;
    int32_t reserviert = 10;
    std::string faktorK;        // as entered
    std::string einheitspreis;  // as entered
    bool auswerten = true;
    std::string fahrbahnoberflaeche;
    std::string mittlereGeschwindigkeit;
    std::string geschwStreuung;
    std::string varK;
};

// One record of ABSCHNITTE (without its brackets). bis stays 0; a section
// that is not evaluated reads with grenzwert 0.
ABSCHNITT ReadABSCHNITT(std::string_view record);
// One record of ABSCHNITTE; faktorK and einheitspreis stay text, bis stays 0.
Abschnitt ReadAbschnitt(std::string_view record);
// The record of a section, without brackets.
std::string EncodeAbschnitt(const Abschnitt& section);

// The sections of an ABSCHNITTE value with their ends derived: the first von is
// the range start, the last bis the range end, every other bis the next von.
std::vector<ABSCHNITT> ParseSectionArray(std::string_view abschnitte, int32_t rangeStart, int32_t rangeEnd);

// The sections of a run in run direction between a start and an end station.
class AbschnittListe {
public:
    // Reads ABSCHNITTE and normalises the sections to the range start..end.
    void Load(std::string_view abschnitte, int32_t start, int32_t end);
    // The ABSCHNITTE text of all sections.
    std::string Encode() const;

    void Clear();
    void SetRange(int32_t start, int32_t end);
    void Append(Abschnitt section);
    // Gives every section the next section's von as bis, the list end for the last.
    void DeriveEnds();
    // Sections without a limit of their own (below 1) take the run's limit.
    void ApplyDefaultLimit(int32_t limit);

    // False when the station lies in a section that is not evaluated; a station
    // lies in a section when min(von, bis) <= station < max(von, bis).
    bool IsEvaluatedStation(int32_t station) const;

    int32_t Start() const { return m_start; }
    int32_t End() const { return m_end; }
    bool IsAscending() const { return m_ascending; }
    size_t Count() const { return m_sections.size(); }
    const std::vector<Abschnitt>& Sections() const { return m_sections; }
    std::vector<Abschnitt>& Sections() { return m_sections; }

private:
    void Normalise();

    int32_t m_start = 0;
    int32_t m_end = 0;
    bool m_ascending = false;
    std::vector<Abschnitt> m_sections;
};

}  // namespace kurvex
