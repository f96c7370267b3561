#pragma once
// Reading runs in the reader tests.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex::test {

inline CMessFahrtDaten ReadFixture(const std::string& name)
{
    CMessFahrtDaten run;
    EXPECT_TRUE(run.LoadFromFile(FixturePath("measurement/fixtures/" + name)));
    return run;
}

inline CMessFahrtDaten ReadText(const std::string& bytes)
{
    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    return run;
}

inline std::vector<int32_t> Stations(const CMessFahrtDaten& run)
{
    std::vector<int32_t> stations;
    for (const MESSUNG& point : run.Points())
        stations.push_back(point.station);
    return stations;
}

inline std::vector<int32_t> Values(const CMessFahrtDaten& run)
{
    std::vector<int32_t> values;
    for (const MESSUNG& point : run.Points())
        values.push_back(point.value);
    return values;
}

}  // namespace kurvex::test
