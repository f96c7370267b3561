#include "shell/RecentVerwaltung.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace kurvex {

namespace {

// Longest line taken from the list file; longer lines are cut there.
constexpr size_t kMaxLineLength = 64 * 1024;

void ReadEntry(const std::string& line, CMapString2String& entries)
{
    const std::string key = GetBracketed(line, "[", "]", 0);
    if (key.empty())
        return;
    entries[key] = GetBracketed(line, "[", "]", 1);
}

}  // namespace

std::string RecentFileErrorText(const std::string& path, long errorCode)
{
    // "ö" in Windows-1252
    return "Fehler 3377:\nDie folgende Datei konnte nicht ge\xF6" "ffnet werden:\n" + path + "\n\nGetLastError(): " +
           std::to_string(errorCode);
}

std::optional<std::string> CRecentVerwaltung::Load(const std::string& path)
{
    m_loaded = false;
    m_path = path;
    m_entries.clear();

    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        errno = 0;
        std::FILE* created = std::fopen(path.c_str(), "ab");
        if (!created)
            return RecentFileErrorText(path, errno);
        std::fclose(created);
    }

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() > kMaxLineLength)
            line.resize(kMaxLineLength);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ReadEntry(line, m_entries);
    }
    m_loaded = true;
    return std::nullopt;
}

void TakeOverRecentFile(const std::string& oldFolder, const std::string& newFolder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target = fs::path(newFolder) / kRecentFileName;
    if (fs::exists(target, ec))
        return;
    fs::copy_file(fs::path(oldFolder) / kRecentFileName, target, fs::copy_options::skip_existing, ec);
}

}  // namespace kurvex
