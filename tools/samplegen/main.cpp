// kurvex-samplegen FOLDER: writes the synthetic sample measurement files.

#include <cstdio>
#include <filesystem>
#include <string>

#include "SampleWriters.h"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: kurvex-samplegen ORDNER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    samplegen::WriteDeviceSamples(folder);
    samplegen::WriteTextFormatSamples(folder);
    samplegen::WriteSideFileSamples(folder);
    return 0;
}
