#pragma once
// Names, sizes and content hashes of everything below a folder, to prove that
// a run created, changed and deleted nothing there.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>

namespace kurvex::exerciser {

struct SnapshotEntry {
    bool folder = false;
    qint64 size = 0;
    QByteArray hash;  // SHA-256 of the content; empty for a folder

    bool operator==(const SnapshotEntry& other) const
    {
        return folder == other.folder && size == other.size && hash == other.hash;
    }
};

// Paths relative to the folder, with every subfolder.
using FolderSnapshot = std::map<QString, SnapshotEntry>;

FolderSnapshot TakeSnapshot(const QString& folder);

// One line per file or folder created, deleted or changed between the two.
QStringList SnapshotDifferences(const QString& folder, const FolderSnapshot& before, const FolderSnapshot& after);

// Every file below the folder (absolute paths).
QStringList FilesBelow(const QString& folder);

}  // namespace kurvex::exerciser
