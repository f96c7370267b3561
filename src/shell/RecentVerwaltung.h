#pragma once
// The per-user list file "recent.txt": one "[key][value]" pair per line.
// Kept for the lifetime of the program; nothing else reads the map.

#include "common/TextHelpers.h"

#include <optional>
#include <string>

namespace kurvex {

inline constexpr const char* kRecentFileName = "recent.txt";
inline constexpr const char* kRecentErrorCaption = "Fehler 3377";

class CRecentVerwaltung {
public:
    // Creates the file empty when it does not exist. Answers the text of the
    // "Fehler 3377" message when that fails; an unreadable file loads nothing.
    std::optional<std::string> Load(const std::string& path);

    bool Loaded() const { return m_loaded; }
    const std::string& Path() const { return m_path; }
    const CMapString2String& Entries() const { return m_entries; }

private:
    std::string m_path;
    CMapString2String m_entries;
    bool m_loaded = false;
};

// The message shown when the list file cannot be created (Windows-1252).
std::string RecentFileErrorText(const std::string& path, long errorCode);

// The first start of this version takes over the list of the previous one:
// copies oldFolder/recent.txt to newFolder/recent.txt unless that exists.
void TakeOverRecentFile(const std::string& oldFolder, const std::string& newFolder);

}  // namespace kurvex
