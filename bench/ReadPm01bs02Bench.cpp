// Reading a PM01BS02 file of a million records into a run and building its
// window, beside only reading the same bytes into memory. The memory the run
// keeps is reported against the file size. The run's lines are made from its
// points when they are asked for: what it costs to make all of them, for the
// file text and for the export, is measured too.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "measurement/MessFahrtDaten.h"

namespace {

constexpr int kRecords = 1'000'000;

void AppendDouble(std::string& out, double x)
{
    char bytes[8];
    std::memcpy(bytes, &x, sizeof bytes);
    out.append(bytes, sizeof bytes);
}

// Written once per process into the temporary folder: about 46 MB.
const std::string& BenchFile()
{
    static const std::string path = [] {
        const std::string file = (std::filesystem::temp_directory_path() / "kurvex_bench_1m.pbs").string();
        std::string bytes = "PM01BS02 Benchmark\r\nZeitstempel|12.03.2015 10:22:00\r\nDienststelle|Amt\r\n"
                            "Abteilung|A\r\nPruefer|P\r\nStr.-Typ|B\r\nStr.-Nr.|27\r\n***\r\n";
        bytes.reserve(static_cast<size_t>(kRecords) * 47);
        std::mt19937 random(42);
        std::uniform_real_distribution<double> value(0.0, 6.0);
        for (int i = 0; i < kRecords; ++i) {
            AppendDouble(bytes, static_cast<int>(value(random) * 10) / 10.0);
            AppendDouble(bytes, 0.0);
            AppendDouble(bytes, 12.0 + i * 0.0001);
            AppendDouble(bytes, i < kRecords / 2 ? 3.5 : 3.75);
            AppendDouble(bytes, 0.0);
            if (i % 50 == 0)
                bytes += "Fuge";
            bytes += "\r\n";
        }
        bytes += "***\r\n";
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }();
    return path;
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_RawRead(benchmark::State& state)
{
    const std::string& path = BenchFile();
    for (auto _ : state) {
        std::ifstream file(path, std::ios::binary);
        std::string bytes(static_cast<size_t>(std::filesystem::file_size(path)), '\0');
        file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

void BM_ReadRunAndWindow(benchmark::State& state)
{
    const std::string& path = BenchFile();
    const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
    double memoryRatio = 0.0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        kurvex::CMessFahrtDaten run;
        run.LoadFromFile(path);
        run.SelectWholeRun();
        memoryRatio = static_cast<double>(HeapInUse() - before) / fileBytes;
        if (run.GetCount() != kRecords)
            state.SkipWithError("not every record was read");
        benchmark::DoNotOptimize(run.GetCount());
    }
    state.counters["run_memory_per_file_byte"] = memoryRatio;
}
BENCHMARK(BM_ReadRunAndWindow)->Unit(benchmark::kMillisecond);

const kurvex::CMessFahrtDaten& BenchRun()
{
    static const kurvex::CMessFahrtDaten run = [] {
        kurvex::CMessFahrtDaten read;
        read.LoadFromFile(BenchFile());
        read.SelectWholeRun();
        return read;
    }();
    return run;
}

void BM_AllFileTextLines(benchmark::State& state)
{
    const kurvex::CMessFahrtDaten& run = BenchRun();
    for (auto _ : state) {
        size_t bytes = 0;
        for (size_t i = 0; i < run.FileTextLineCount(); ++i)
            bytes += run.FileTextLine(i).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["lines"] = static_cast<double>(run.FileTextLineCount());
}
BENCHMARK(BM_AllFileTextLines)->Unit(benchmark::kMillisecond);

void BM_ExportText(benchmark::State& state)
{
    const kurvex::CMessFahrtDaten& run = BenchRun();
    for (auto _ : state)
        benchmark::DoNotOptimize(run.BuildExportText(true, "\t").size());
}
BENCHMARK(BM_ExportText)->Unit(benchmark::kMillisecond);

}  // namespace
