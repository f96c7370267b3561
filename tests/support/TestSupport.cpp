#include "support/TestSupport.h"

#include <clocale>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kurvex::test {

std::string FixturePath(const std::string& relative)
{
    return std::string(KURVEX_TEST_DATA) + "/" + relative;
}

std::string SamplePath(const std::string& name) { return std::string(KURVEX_SAMPLES) + "/" + name; }

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MakeFolders(const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::u8path(path));
}

std::string TempFolder(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / std::filesystem::u8path("kurvex_test_" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.u8string();
}

bool CaseSensitiveFileNames(const std::string& folder)
{
    const auto probe = std::filesystem::u8path(folder) / "case_probe";
    WriteWholeFile(probe.u8string(), "");
    std::error_code error;
    const bool sensitive = !std::filesystem::exists(std::filesystem::u8path(folder) / "CASE_PROBE", error);
    std::filesystem::remove(probe, error);
    return sensitive;
}

namespace {

void AppendDouble(std::string& out, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

}  // namespace

std::string Pm01bs02Record(double valueMm, double stationKm, double widthM, const std::string& comment)
{
    std::string record;
    AppendDouble(record, valueMm);
    AppendDouble(record, 0.0);
    AppendDouble(record, stationKm);
    AppendDouble(record, widthM);
    AppendDouble(record, 0.0);
    record += comment;
    record += "\r\n";
    return record;
}

bool WithGermanNumericLocale(void (*body)())
{
    const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro", "German_Germany.1252"};
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* name : candidates) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            body();
            std::setlocale(LC_ALL, previous.c_str());
            return true;
        }
    }
    return false;
}

}  // namespace kurvex::test
