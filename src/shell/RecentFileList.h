#pragma once
// The list of recently opened files behind the file menu, newest first, kept in
// the per-user settings as "Recent File List/File1" .. "File10".
//
// The paths stay Qt strings in the settings: the core's SettingsStore holds
// Windows-1252 texts and would turn the characters of a path outside that code
// page into "?".

#include <QString>
#include <QStringList>

namespace kurvex {

class RecentFileList {
public:
    static constexpr int kCapacity = 10;

    // The stored files, newest first, without empty or repeated entries.
    QStringList Files() const;
    // Puts path first (moving it up when it is listed already) and keeps the newest kCapacity.
    void Add(const QString& path);
};

}  // namespace kurvex
