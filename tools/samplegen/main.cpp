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

constexpr const char* kUsage = "Aufruf: kurvex-samplegen ORDNER\n"
                               "        kurvex-samplegen --big PUNKTE ORDNER\n"
                               "Schreibt die synthetischen Beispieldateien in ORDNER, mit --big große\n"
                               "Messfahrten von PUNKTE Messpunkten für die Benchmarks.\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

bool IsHelp(const char* argument)
{
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0;
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
    if (argc == 2 && IsHelp(argv[1])) {
        std::fputs(kUsage, stdout);
        return 0;
    }
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
    // An option is never taken for the name of a folder to write into.
    if (argc != 2 || argv[1][0] == '-')
        return Usage();
    const std::string folder = argv[1];
    MakeFolder(folder);
    samplegen::WriteDeviceSamples(folder);
    samplegen::WriteTextFormatSamples(folder);
    samplegen::WriteSideFileSamples(folder);
    return 0;
}
