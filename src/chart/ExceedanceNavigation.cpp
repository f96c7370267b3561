#include "chart/ExceedanceNavigation.h"

#include "chart/ChartPainter.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "evaluation/UeberschreitungsDaten.h"

#include <algorithm>

namespace kurvex {

namespace {

// Whether station a comes before station b in run direction.
bool Before(int32_t a, int32_t b, bool ascending) { return ascending ? a < b : a > b; }

// The first line of a remark stored with "{{CRLF}}" line breaks.
std::string FirstLine(std::string_view remark)
{
    return Trim(remark.substr(0, std::min(remark.find(kStoredLineBreak), remark.size())));
}

// The first line of the remark of a remark entry ("remark¿flag").
std::string RemarkFirstLine(std::string_view entry)
{
    return FirstLine(entry.substr(0, std::min(entry.find(kFieldSeparator), entry.size())));
}

}  // namespace

std::optional<int> StepToExceedance(const std::vector<int32_t>& stations, bool ascending,
                                    const ExceedanceOrigin& origin, bool forward)
{
    const int count = static_cast<int>(stations.size());
    if (count == 0)
        return std::nullopt;
    // The exceedance the last step reached is still the picked station: go on from its index.
    if (origin.picked && origin.lastIndex >= 0 && origin.lastIndex < count &&
        stations[static_cast<size_t>(origin.lastIndex)] == origin.station) {
        const int next = origin.lastIndex + (forward ? 1 : -1);
        if (next < 0 || next >= count)
            return std::nullopt;
        return next;
    }
    const auto before = [ascending](int32_t a, int32_t b) { return Before(a, b, ascending); };
    if (forward) {
        // From a picked station the next one lies beyond it; from the page's
        // start an exceedance right at the start is the first of the page.
        const auto it = origin.picked ? std::upper_bound(stations.begin(), stations.end(), origin.station, before)
                                      : std::lower_bound(stations.begin(), stations.end(), origin.station, before);
        if (it == stations.end())
            return std::nullopt;
        return static_cast<int>(it - stations.begin());
    }
    const auto it = std::lower_bound(stations.begin(), stations.end(), origin.station, before);
    if (it == stations.begin())
        return std::nullopt;
    return static_cast<int>(it - stations.begin()) - 1;
}

std::string ExceedanceStatusText(int index, int count, const UEBERSCHREITUNG& exceedance, std::string_view remarkEntry)
{
    std::string text =
        "\xDC"
        "berschreitung " +
        FormatInt(static_cast<long long>(index) + 1) + " von " + FormatInt(count) + ": Station " +
        StationLabel(exceedance.station / 10000.0) + " km, p " + FormatInt(exceedance.p) + " mm, p\xB2 " +
        FormatInt(exceedance.p2) + " mm\xB2";
    if (!exceedance.beruecksichtigt)
        text += ", z\xE4hlt nicht";
    const std::string remark = RemarkFirstLine(remarkEntry);
    if (!remark.empty())
        text += ", " + remark;
    return text;
}

std::string NoFurtherExceedanceText(bool forward, int count)
{
    if (count == 0)
        return "Diese Messfahrt hat keine \xDC"
               "berschreitungen.";
    return forward ? "Keine weitere \xDC"
                     "berschreitung in Fahrtrichtung."
                   : "Keine vorherige \xDC"
                     "berschreitung in Fahrtrichtung.";
}

std::string ExcludedRangeStatusText(const BEREICH_OHNE_ERKENNUNG_DATEN& range)
{
    std::string text =
        "Bereich ohne \xDC"
        "berschreitungsauswertung: Station " +
        StationLabel(range.von / 10000.0) + " km bis " + StationLabel(range.bis / 10000.0) + " km";
    const std::string remark = FirstLine(range.bemerkung);
    if (!remark.empty())
        text += ", " + remark;
    return text;
}

}  // namespace kurvex
