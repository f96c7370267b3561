#include "shell/RecentVerwaltung.h"

#include "common/Cp1252.h"
#include "common/FileAccess.h"

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

    if (const int error = CreateFileIfMissing(path))
        return RecentFileErrorText(Utf8ToCp1252(path), error);

    const std::unique_ptr<std::istream> in = OpenRegularFile(path);
    if (!in)
        return std::nullopt;
    std::string line;
    while (std::getline(*in, line)) {
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
    CopyFileIfTargetMissing(PathInFolder(oldFolder, kRecentFileName), PathInFolder(newFolder, kRecentFileName));
}

}  // namespace kurvex
