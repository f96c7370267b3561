#include "shell/RecentFileList.h"

#include <QSettings>

namespace kurvex {

namespace {

const QString kRecentSection = QStringLiteral("Recent File List");

QString EntryKey(int number) { return QStringLiteral("%1/File%2").arg(kRecentSection).arg(number); }

}  // namespace

QStringList RecentFileList::Files() const
{
    const QSettings settings;
    QStringList files;
    for (int i = 1; i <= kCapacity; ++i) {
        const QString file = settings.value(EntryKey(i)).toString();
        if (!file.isEmpty() && !files.contains(file))
            files.append(file);
    }
    return files;
}

void RecentFileList::Add(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kCapacity)
        files.removeLast();
    QSettings settings;
    settings.remove(kRecentSection);
    for (int i = 0; i < files.size(); ++i)
        settings.setValue(EntryKey(i + 1), files.at(i));
}

}  // namespace kurvex
