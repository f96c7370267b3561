#pragma once
// The rules behind the chart window's commands and clicks, kept apart from
// the widget so they can be tested without a window.

#include <cstdint>
#include <string>

namespace kurvex {

class CFifo;

// Page back: one page back from page 2 on; page 1 stays.
int PageBackTarget(int currentPage);
// Page forward: one page on while below the page count; a current page at or
// beyond the count (after a layout change) stays.
int PageForwardTarget(int currentPage, int pageCount);

// What a left click on a strip does, by the modifier keys held.
enum class ClickKind {
    Ignore,         // Ctrl: nothing
    ExcludedRange,  // Alt: the excluded range under the station (ExcludedRangeAt)
    Pick,           // plain: the station joins the picked stations
};
ClickKind ClickKindFor(bool control, bool alt);

// The picked station as stored, "%ld" of the station in dm.
std::string PickedStationText(int32_t station);
// Pushes the station into the picked stations (newest first) unless it equals
// the newest entry; true when it was pushed.
bool PickStation(CFifo& picked, int32_t station);

// Which pages a print dialog chose.
enum class PrintRangeKind {
    All,      // 1 .. last page
    Pages,    // from .. to
    Current,  // the page shown in the window
};
struct PageSpan {
    int first = 1;
    int last = 0;
    bool Empty() const { return last < first; }
};
// The pages to print among 1..maxPage. A range's 0 ends are open (1 and
// maxPage), its ends are clamped to the pages there are; a current page beyond
// the last (after a layout change) prints the last.
PageSpan PrintedPages(PrintRangeKind kind, int fromPage, int toPage, int maxPage, int currentPage);

// The side file of a measurement file: its full path with ".zi4" appended.
std::string SideFilePath(const std::string& measurementPath);

}  // namespace kurvex
