#include <gtest/gtest.h>

#include "evaluation/UeberschreitungsDaten.h"

namespace kurvex {
namespace {

// Stations 300, 100, 300, 200; the two at 300 differ in p so their order shows.
constexpr const char* kExceedances =
    "[300;55;2;0;0;1;;45.5;;][100;60;3;0;0;0;;50.0;;][300;70;4;0;0;1;;-1.0;;][200;48;1;0;0;;;47,25;;]";
constexpr const char* kRemarks = "[300\xBFRiss{{CRLF}}zweite Zeile\xBF" "1][100\xBF" "Ein sehr langer Text mit mehr\xBF" "1][200\xBFnur Liste\xBF" "0]";

std::vector<int32_t> Stations(CUeberschreitungsDaten& data)
{
    std::vector<int32_t> stations;
    UEBERSCHREITUNG record;
    for (int i = 0; data.ExceedanceCopy(i, record); ++i)
        stations.push_back(record.station);
    return stations;
}

TEST(UeberschreitungsDaten, ReadsTheStoredFields)
{
    CUeberschreitungsDaten data;
    data.Load(kExceedances, "", kRemarks);
    ASSERT_EQ(data.ExceedanceCount(), 4);
    UEBERSCHREITUNG record;
    ASSERT_TRUE(data.ExceedanceCopy(0, record));
    EXPECT_EQ(record.station, 100);
    EXPECT_EQ(record.messwert, 60);
    EXPECT_EQ(record.p, 3);
    EXPECT_EQ(record.p2, 9);
    EXPECT_FALSE(record.beruecksichtigt);
    EXPECT_DOUBLE_EQ(record.geschwindigkeit, 50.0);
    EXPECT_EQ(record.seite, kPageNotYetDrawn);
    EXPECT_EQ(record.lfdNr, 1);
    ASSERT_TRUE(data.ExceedanceCopy(1, record));
    EXPECT_TRUE(record.beruecksichtigt);  // an empty flag field counts
    EXPECT_DOUBLE_EQ(record.geschwindigkeit, 47.25);
}

TEST(UeberschreitungsDaten, SortsStablyInRunDirection)
{
    CUeberschreitungsDaten ascending;
    ascending.SetAscending(true);
    ascending.Load(kExceedances, "", "");
    EXPECT_EQ(Stations(ascending), (std::vector<int32_t>{100, 200, 300, 300}));
    UEBERSCHREITUNG record;
    ascending.ExceedanceCopy(2, record);
    EXPECT_EQ(record.p, 2);  // equal stations keep their stored order
    EXPECT_EQ(record.lfdNr, 3);

    CUeberschreitungsDaten descending;
    descending.SetAscending(false);
    descending.Load(kExceedances, "", "");
    EXPECT_EQ(Stations(descending), (std::vector<int32_t>{300, 300, 200, 100}));
    descending.ExceedanceCopy(1, record);
    EXPECT_EQ(record.p, 4);
    EXPECT_EQ(record.lfdNr, 2);
}

TEST(UeberschreitungsDaten, OutOfRangeAndPages)
{
    CUeberschreitungsDaten data;
    data.Load(kExceedances, "", "");
    UEBERSCHREITUNG record;
    record.station = 7;
    EXPECT_FALSE(data.ExceedanceCopy(4, record));
    EXPECT_EQ(record.station, 0);
    EXPECT_FALSE(data.ExceedanceCopy(-1, record));
    data.SetPage(1, 3);
    data.SetPage(99, 3);
    ASSERT_TRUE(data.ExceedanceCopy(1, record));
    EXPECT_EQ(record.seite, 3);
    EXPECT_EQ(record.station, 200);
}

TEST(UeberschreitungsDaten, RemarksAndChartRemarks)
{
    CUeberschreitungsDaten data;
    data.Load(kExceedances, "", kRemarks);
    EXPECT_EQ(data.RemarkFor(300), "Riss{{CRLF}}zweite Zeile\xBF" "1");
    EXPECT_EQ(data.RemarkFor(400), "");
    EXPECT_EQ(data.ChartRemarkFor(300), "Riss");
    EXPECT_EQ(data.ChartRemarkFor(100), "Ein sehr langer");
    EXPECT_EQ(data.ChartRemarkFor(200), "");  // flag 0: list only
    EXPECT_EQ(data.ChartRemarkFor(400), "");
}

TEST(UeberschreitungsDaten, ParametersAndCurrency)
{
    CUeberschreitungsDaten data;
    data.Load("", "", "");
    EXPECT_EQ(data.Auswertungsparameter(), kDefaultAuswertungsparameter);
    EXPECT_EQ(data.Currency(), "EUR");
    data.Load("", "0.0;1.0;0.60;;;CHF;x", "");
    EXPECT_EQ(data.Currency(), "CHF");
    data.Load("", "1;2", "");
    EXPECT_EQ(data.Currency(), "");
    EXPECT_EQ(data.ExceedanceCount(), 0);
}

TEST(UeberschreitungsDaten, ReportLinesInSortedOrder)
{
    CUeberschreitungsDaten data;
    data.SetAscending(true);
    data.Load(kExceedances, "", kRemarks);
    const std::vector<std::string> lines = data.ReportLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "<<<100|3|9|Ein sehr langer Text mit mehr\xBF" "1|0||50.0>>>");
    EXPECT_EQ(lines[1], "<<<200|1|1|nur Liste\xBF" "0|1||47.2>>>");
    EXPECT_EQ(lines[2], "<<<300|2|4|Riss{{CRLF}}zweite Zeile\xBF" "1|1||45.5>>>");
    EXPECT_EQ(lines[3], "<<<300|4|16|Riss{{CRLF}}zweite Zeile\xBF" "1|1||-1.0>>>");
}

TEST(UeberschreitungsDaten, MalformedValuesAreDefined)
{
    CUeberschreitungsDaten data;
    data.Load("[abc][99999999999;1;99999;;;0;;1e999;;][;;-46341][", "", "[1\xBF][\xBF" "x\xBF" "1][[[");
    ASSERT_EQ(data.ExceedanceCount(), 3);
    UEBERSCHREITUNG record;
    data.ExceedanceCopy(0, record);
    EXPECT_EQ(record.station, 0);
    EXPECT_EQ(record.p2, 0);
    data.ExceedanceCopy(1, record);
    EXPECT_EQ(record.p2, 2147483647);  // -46341 squared saturates
    data.ExceedanceCopy(2, record);
    EXPECT_EQ(record.station, 2147483647);
    EXPECT_EQ(record.p2, 2147483647);
    EXPECT_DOUBLE_EQ(record.geschwindigkeit, 0.0);
    EXPECT_EQ(data.RemarkFor(1), "\xBF");
    EXPECT_EQ(data.ReportLines().size(), 3u);
}

}  // namespace
}  // namespace kurvex
