#pragma once
// The list of recently opened files behind the file menu, newest first, kept in
// the settings store as "Recent File List/File1" .. "File10".
//
// The paths are UTF-8 texts of the store (Qt strings in QSettings): a store's
// Windows-1252 texts would turn the characters of a path outside that code
// page into "?".

#include <QString>
#include <QStringList>

#include <memory>

namespace kurvex {

class SettingsStore;

class RecentFileList {
public:
    static constexpr int kCapacity = 10;

    // Over the application's store; without one, over the QSettings of the program.
    explicit RecentFileList(SettingsStore& store);
    RecentFileList();
    ~RecentFileList();

    // The stored files, newest first, without empty or repeated entries.
    QStringList Files() const;
    // Puts path first (moving it up when it is listed already) and keeps the newest kCapacity.
    void Add(const QString& path);

private:
    std::unique_ptr<SettingsStore> m_ownStore;
    SettingsStore& m_store;
};

}  // namespace kurvex
