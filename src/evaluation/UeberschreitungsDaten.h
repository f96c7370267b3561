#pragma once
// The exceedances of a run with their evaluation parameters and remarks, as
// the side file holds them. Nothing here detects, adds or changes an
// exceedance: the container reads, sorts and hands them out.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/Ueberschreitung.h"

namespace kurvex {

// Parameters used when UEBERSCHREITUNGSDATEN_2 is missing or empty; field 5 is the currency.
inline constexpr const char* kDefaultAuswertungsparameter = "0.0;1.0;0.60;;;EUR;;;;;;;;;;;;";
// Marks a line break inside a stored remark.
inline constexpr const char* kStoredLineBreak = "{{CRLF}}";

class CUeberschreitungsDaten {
public:
    // The run's direction; set before loading, it decides the sort order.
    void SetAscending(bool ascending) { m_ascending = ascending; }
    bool IsAscending() const { return m_ascending; }

    // Replaces the contents with the three side-file values
    // UEBERSCHREITUNGSDATEN_1 (exceedances), _2 (parameters) and _4 (remarks).
    void Load(std::string_view exceedances, std::string_view parameters, std::string_view remarks);
    void Clear();

    int ExceedanceCount() const { return static_cast<int>(m_exceedances.size()); }
    // Record i in run direction; false and a zeroed record when i is out of range.
    bool ExceedanceCopy(int i, UEBERSCHREITUNG& out);
    void SetPage(int i, int32_t page);

    // The remark entry of a station: remark, the byte 0xBF and the chart flag; empty if none.
    std::string RemarkFor(int32_t station) const;
    // What the chart prints at an exceedance: the first 15 characters of the
    // remark's first line when the entry's flag is "1", else nothing.
    std::string ChartRemarkFor(int32_t station) const;

    const std::string& Auswertungsparameter() const { return m_parameters; }
    std::string Currency() const;

    // One "<<<station|p|p2|remark entry|counts||speed>>>" per exceedance in run direction.
    std::vector<std::string> ReportLines();

private:
    void LoadExceedances(std::string_view text);
    void LoadRemarks(std::string_view text);
    void SortIfNeeded();

    std::string m_parameters = kDefaultAuswertungsparameter;
    bool m_needsSorting = false;
    bool m_ascending = true;
    std::vector<UEBERSCHREITUNG> m_exceedances;
    std::map<std::string, std::string> m_remarks;  // "%ld" of the station -> remark entry
};

}  // namespace kurvex
