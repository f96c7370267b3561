// kurvex-samplegen FOLDER: writes the synthetic sample measurement files.
// kurvex-samplegen --big POINTS FOLDER: writes large runs for the benchmarks.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "SampleWriters.h"

namespace {

constexpr int kMaxBigPoints = 20'000'000;
// Exceedances in the side file of the evaluated big run: a long list for the evaluation dialog.
constexpr int kBigExceedances = 10'000;

int Usage()
{
    std::fprintf(stderr, "Aufruf: kurvex-samplegen ORDNER\n"
                         "        kurvex-samplegen --big PUNKTE ORDNER\n");
    return 2;
}

bool MakeFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--big") == 0) {
        const std::string count = argv[2];
        int points = 0;
        const auto result = std::from_chars(count.data(), count.data() + count.size(), points);
        if (result.ec != std::errc() || result.ptr != count.data() + count.size() || points < 1
            || points > kMaxBigPoints)
            return Usage();
        const std::string folder = argv[3];
        if (!MakeFolder(folder))
            return Usage();
        samplegen::WriteBigDeviceSamples(folder, points);
        samplegen::WriteBigTextSamples(folder, points);
        samplegen::WriteBigEvaluatedSideFile(folder + "/pm01bs02_big_evaluated.pbs", kBigExceedances);
        return 0;
    }
    if (argc != 2)
        return Usage();
    const std::string folder = argv[1];
    MakeFolder(folder);
    samplegen::WriteDeviceSamples(folder);
    samplegen::WriteTextFormatSamples(folder);
    samplegen::WriteSideFileSamples(folder);
    return 0;
}
