#include "FolderSnapshot.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace kurvex::exerciser {

namespace {

QByteArray HashOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("unreadable");
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

QString Describe(const SnapshotEntry& entry)
{
    if (entry.folder)
        return QStringLiteral("folder");
    return QStringLiteral("%1 bytes, sha256 %2").arg(entry.size).arg(QString::fromLatin1(entry.hash.left(16)));
}

}  // namespace

FolderSnapshot TakeSnapshot(const QString& folder)
{
    FolderSnapshot snapshot;
    const QDir base(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        SnapshotEntry entry;
        entry.folder = info.isDir();
        if (info.isSymLink()) {
            entry.hash = QFile::encodeName(info.symLinkTarget());  // never read through: it may lead to a device
        } else if (info.isFile()) {
            entry.size = info.size();
            entry.hash = HashOf(path);
        } else if (!entry.folder) {
            entry.hash = QByteArrayLiteral("special");  // a pipe: reading it would wait for a writer
        }
        snapshot[base.relativeFilePath(path)] = entry;
    }
    return snapshot;
}

QStringList SnapshotDifferences(const QString& folder, const FolderSnapshot& before, const FolderSnapshot& after)
{
    QStringList differences;
    const QDir base(folder);
    for (const auto& [name, entry] : before) {
        const auto found = after.find(name);
        if (found == after.end())
            differences << QStringLiteral("deleted: %1 (%2)").arg(base.filePath(name), Describe(entry));
        else if (!(found->second == entry))
            differences << QStringLiteral("changed: %1 (%2, now %3)")
                               .arg(base.filePath(name), Describe(entry), Describe(found->second));
    }
    for (const auto& [name, entry] : after) {
        if (before.find(name) == before.end())
            differences << QStringLiteral("created: %1 (%2)").arg(base.filePath(name), Describe(entry));
    }
    return differences;
}

QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QFileInfo(it.next()).absoluteFilePath();
    files.sort();  // the same order in every run of a seed
    return files;
}

}  // namespace kurvex::exerciser
