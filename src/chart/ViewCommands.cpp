#include "chart/ViewCommands.h"

#include "common/Numbers.h"
#include "document/Fifo.h"
#include "document/SideFileKeys.h"

#include <algorithm>

namespace kurvex {

int PageBackTarget(int currentPage)
{
    return currentPage >= 2 ? currentPage - 1 : currentPage;
}

int PageForwardTarget(int currentPage, int pageCount)
{
    return currentPage < pageCount ? currentPage + 1 : currentPage;
}

ClickKind ClickKindFor(bool control, bool alt)
{
    if (control)
        return ClickKind::Ignore;
    return alt ? ClickKind::ExcludedRange : ClickKind::Pick;
}

std::string PickedStationText(int32_t station)
{
    return FormatInt(station);
}

bool PickStation(CFifo& picked, int32_t station)
{
    const std::string text = PickedStationText(station);
    if (text == picked.Get(0))
        return false;
    picked.Push(text);
    return true;
}

PageSpan PrintedPages(PrintRangeKind kind, int fromPage, int toPage, int maxPage, int currentPage)
{
    if (maxPage < 1)
        return PageSpan{1, 0};
    switch (kind) {
    case PrintRangeKind::All: return PageSpan{1, maxPage};
    case PrintRangeKind::Current: {
        const int page = std::clamp(currentPage, 1, maxPage);
        return PageSpan{page, page};
    }
    case PrintRangeKind::Pages: break;
    }
    const int first = fromPage <= 0 ? 1 : fromPage;
    const int last = toPage <= 0 ? maxPage : std::min(toPage, maxPage);
    return PageSpan{first, last};
}

std::string SideFilePath(const std::string& measurementPath)
{
    return measurementPath + kSideFileExtension;
}

}  // namespace kurvex
