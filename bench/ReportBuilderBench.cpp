// Building the evaluation report for 100 to 10,000 exceedances in five sections
// with excluded ranges and remarks of one to four lines. The exceedance lines
// come ready from the container, as the document hands them over.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "document/Bearbeitungsstand.h"
#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "evaluation/UeberschreitungsProtokoll.h"

namespace {

constexpr int kRunLength = 100'000;  // dm
constexpr int kSections = 5;

struct Inputs {
    kurvex::CBearbeitungsstand state;
    std::vector<std::string> exceedanceLines;
    std::vector<kurvex::BEREICH_OHNE_ERKENNUNG_DATEN> ranges;
};

void MakeInputs(int count, Inputs& inputs)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> station(0, kRunLength - 1);
    std::uniform_int_distribution<int> p(1, 9);
    std::uniform_int_distribution<int> lines(0, 3);

    std::string sections;
    for (int i = 0; i < kSections; ++i)
        sections += "[" + std::to_string(i * kRunLength / kSections) + "|350|40|10|1.0|2.50|1|AC 11 D S|45.0|3.1|6.9]";
    std::string exceedances;
    std::string remarks;
    for (int i = 0; i < count; ++i) {
        const int at = station(random);
        exceedances += "[" + std::to_string(at) + ";60;" + std::to_string(p(random)) + ";0;0;1;;50.0;;]";
        if (i % 3 == 0) {
            std::string remark = "Bemerkung " + std::to_string(i);
            for (int n = lines(random); n > 0; --n)
                remark += "{{CRLF}}weitere Zeile";
            remarks += "[" + std::to_string(at) + "\xBF" + remark + "\xBF" + "0]";
        }
    }
    std::string excluded;
    for (int i = 0; i < 50; ++i) {
        const int from = station(random);
        excluded += (i ? "_" : "") + std::to_string(from) + "_" + std::to_string(from + 300) + "_Baustelle";
    }
    inputs.state.LoadStateFromText("bench.dat.zi4", "MANUVONBIS=0;" + std::to_string(kRunLength) +
                                                        "\nABSCHNITTE=" + sections + "\nBEREICHOHNEERKENNUNGDATEN=" +
                                                        excluded + "\n");
    kurvex::CUeberschreitungsDaten data;
    data.SetAscending(true);
    data.Load(exceedances, "", remarks);
    inputs.exceedanceLines = data.ReportLines();
    inputs.ranges = kurvex::DecodeExcludedRanges(inputs.state.ExcludedRanges());
}

void BM_BuildReport(benchmark::State& state)
{
    Inputs inputs;
    MakeInputs(static_cast<int>(state.range(0)), inputs);
    kurvex::CUeberschreitungsProtokoll report;
    for (auto _ : state) {
        report.Build(inputs.exceedanceLines, inputs.state, inputs.ranges);
        benchmark::DoNotOptimize(report.PageCount());
    }
    state.SetComplexityN(state.range(0));
    state.counters["pages"] = report.PageCount();
}
BENCHMARK(BM_BuildReport)->RangeMultiplier(10)->Range(100, 10'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace
