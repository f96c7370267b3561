#include "chart/ExceedanceNavigation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kurvex {
namespace {

struct StepCase {
    const char* name;
    bool ascending;
    ExceedanceOrigin origin;
    bool forward;
    std::optional<int> expected;
};

TEST(ExceedanceNavigation, StepsInRunDirectionFromThePickOrThePageStart)
{
    // Two exceedances share station 200 in either direction.
    const std::vector<int32_t> up{100, 200, 200, 300};
    const std::vector<int32_t> down{300, 200, 200, 100};
    const StepCase cases[] = {
        {"page start on an exceedance: that one is next", true, {100, false, -1}, true, 0},
        {"page start between two", true, {150, false, -1}, true, 1},
        {"page start: previous lies before it", true, {150, false, -1}, false, 0},
        {"page start on an exceedance: previous is the one before", true, {200, false, -1}, false, 0},
        {"picked on an exceedance: next lies beyond", true, {100, true, -1}, true, 1},
        {"picked between two, back", true, {250, true, -1}, false, 2},
        {"picked at a shared station without index", true, {200, true, -1}, true, 3},
        {"shared station: the step goes on by index", true, {200, true, 1}, true, 2},
        {"shared station: back by index", true, {200, true, 2}, false, 1},
        {"index of another station is ignored", true, {250, true, 0}, true, 3},
        {"last: no next", true, {300, true, 3}, true, std::nullopt},
        {"beyond the last", true, {400, true, -1}, true, std::nullopt},
        {"first: no previous", true, {100, true, 0}, false, std::nullopt},
        {"page start before the first, back", true, {50, false, -1}, false, std::nullopt},
        {"descending: page start is the run's high end", false, {300, false, -1}, true, 0},
        {"descending: next is the lower station", false, {250, true, -1}, true, 1},
        {"descending: previous is the higher station", false, {250, true, -1}, false, 0},
        {"descending: below the last", false, {50, true, -1}, true, std::nullopt},
        {"descending: back from below the last", false, {50, true, -1}, false, 3},
        {"descending: first has no previous", false, {300, true, 0}, false, std::nullopt},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StepToExceedance(c.ascending ? up : down, c.ascending, c.origin, c.forward), c.expected);
    }
}

TEST(ExceedanceNavigation, ARunWithoutExceedancesHasNoStep)
{
    for (const bool forward : {true, false})
        EXPECT_EQ(StepToExceedance({}, true, ExceedanceOrigin{0, false, -1}, forward), std::nullopt);
    EXPECT_EQ(NoFurtherExceedanceText(true, 0),
              "Diese Messfahrt hat keine \xDC"
              "berschreitungen.");
    EXPECT_EQ(NoFurtherExceedanceText(true, 3),
              "Keine weitere \xDC"
              "berschreitung in Fahrtrichtung.");
    EXPECT_EQ(NoFurtherExceedanceText(false, 3),
              "Keine vorherige \xDC"
              "berschreitung in Fahrtrichtung.");
}

TEST(ExceedanceNavigation, StatusTextNamesNumberStationFiguresAndRemark)
{
    struct Case {
        bool counts;
        const char* remarkEntry;
        const char* expected;
    };
    const Case cases[] = {
        {true,
         "Schachtdeckel\xBF"
         "1",
         "\xDC"
         "berschreitung 12 von 30: Station 12,3480 km, p 3 mm, p\xB2 9 mm\xB2, Schachtdeckel"},
        {true,
         "Schachtdeckel{{CRLF}}H\xF6henlage pr\xFC"
         "fen\xBF"
         "0",
         "\xDC"
         "berschreitung 12 von 30: Station 12,3480 km, p 3 mm, p\xB2 9 mm\xB2, Schachtdeckel"},
        {false,
         "Fremdleitung\xBF"
         "0",
         "\xDC"
         "berschreitung 12 von 30: Station 12,3480 km, p 3 mm, p\xB2 9 mm\xB2, z\xE4hlt nicht, Fremdleitung"},
        {false, "",
         "\xDC"
         "berschreitung 12 von 30: Station 12,3480 km, p 3 mm, p\xB2 9 mm\xB2, z\xE4hlt nicht"},
        {true, "",
         "\xDC"
         "berschreitung 12 von 30: Station 12,3480 km, p 3 mm, p\xB2 9 mm\xB2"},
    };
    for (const Case& c : cases) {
        UEBERSCHREITUNG exceedance;
        exceedance.station = 123480;
        exceedance.p = 3;
        exceedance.p2 = 9;
        exceedance.beruecksichtigt = c.counts;
        EXPECT_EQ(ExceedanceStatusText(11, 30, exceedance, c.remarkEntry), c.expected);
    }
}

TEST(ExceedanceNavigation, ExcludedRangeStatusTextNamesBothEndsAndTheRemark)
{
    EXPECT_EQ(ExcludedRangeStatusText({123850, 123970, "Baustellenzufahrt"}),
              "Bereich ohne \xDC"
              "berschreitungsauswertung: Station 12,3850 km bis 12,3970 km, Baustellenzufahrt");
    EXPECT_EQ(ExcludedRangeStatusText({126630, 126550, "Schieber{{CRLF}}Wasserleitung"}),
              "Bereich ohne \xDC"
              "berschreitungsauswertung: Station 12,6630 km bis 12,6550 km, Schieber");
    EXPECT_EQ(ExcludedRangeStatusText({100, 200, ""}),
              "Bereich ohne \xDC"
              "berschreitungsauswertung: Station 0,0100 km bis 0,0200 km");
}

}  // namespace
}  // namespace kurvex
