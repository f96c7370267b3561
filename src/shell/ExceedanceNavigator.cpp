#include "shell/ExceedanceNavigator.h"

#include "chart/ExceedanceNavigation.h"
#include "chart/RunOverview.h"
#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"

#include <algorithm>
#include <vector>

namespace kurvex {

namespace {

std::vector<int32_t> StationsOf(CUeberschreitungsDaten& exceedances)
{
    std::vector<int32_t> stations(static_cast<size_t>(exceedances.ExceedanceCount()));
    UEBERSCHREITUNG record;
    for (size_t i = 0; i < stations.size(); ++i) {
        exceedances.ExceedanceCopy(static_cast<int>(i), record);
        stations[i] = record.station;
    }
    return stations;
}

bool OnSpan(const StationSpan& span, int32_t station)
{
    return std::min(span.from, span.to) <= station && station <= std::max(span.from, span.to);
}

}  // namespace

int ExceedanceNavigator::LastIndex(const CKurvexDoc& doc) const
{
    const auto last = m_lastDoc.lock();
    return last.get() == &doc ? m_lastIndex : -1;
}

QString ExceedanceNavigator::Step(CKurvexView& view, bool forward)
{
    CKurvexDoc& doc = view.Document();
    CUeberschreitungsDaten& exceedances = doc.Exceedances();
    const std::vector<int32_t> stations = StationsOf(exceedances);

    view.Painter().PreparePaint();
    const StationSpan page = PageStations(view.Painter().View(), doc.Run().IsAscending());
    const std::string newest = doc.PickedStations().Get(0);
    ExceedanceOrigin origin{page.from, false, -1};
    // A pick the user has paged away from no longer marks the place being worked at.
    if (!newest.empty() && OnSpan(page, ToInt(newest)))
        origin = ExceedanceOrigin{ToInt(newest), true, LastIndex(doc)};
    const std::optional<int> next = StepToExceedance(stations, exceedances.IsAscending(), origin, forward);
    if (!next)
        return ToQString(NoFurtherExceedanceText(forward, static_cast<int>(stations.size())));
    return Show(view, *next);
}

QString ExceedanceNavigator::Show(CKurvexView& view, int index)
{
    CKurvexDoc& doc = view.Document();
    CUeberschreitungsDaten& exceedances = doc.Exceedances();
    UEBERSCHREITUNG record;
    if (!exceedances.ExceedanceCopy(index, record))
        return {};
    m_lastDoc = view.SharedDocument();
    m_lastIndex = index;
    if (!view.GoToStation(record.station)) {
        // Outside the run's window points: its page at least, as near as there is one.
        view.ShowPageOfStation(record.station);
    }
    return ToQString(
        ExceedanceStatusText(index, exceedances.ExceedanceCount(), record, exceedances.RemarkFor(record.station)));
}

}  // namespace kurvex
