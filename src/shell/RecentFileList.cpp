#include "shell/RecentFileList.h"

#include "common/SettingsCatalogue.h"
#include "shell/QSettingsStore.h"

#include <string>

namespace kurvex {

namespace {

static_assert(RecentFileList::kCapacity == kRecentFileCapacity);

std::string EntryKey(int number) { return kRecentFileKeyStem + std::to_string(number); }

}  // namespace

RecentFileList::RecentFileList(SettingsStore& store) : m_store(store) {}

RecentFileList::RecentFileList() : m_ownStore(std::make_unique<QSettingsStore>()), m_store(*m_ownStore) {}

RecentFileList::~RecentFileList() = default;

QStringList RecentFileList::Files() const
{
    QStringList files;
    for (int i = 1; i <= kCapacity; ++i) {
        const QString file = QString::fromStdString(m_store.GetUtf8(kRecentFileSection, EntryKey(i), std::string()));
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
    m_store.RemoveSection(kRecentFileSection);
    for (int i = 0; i < files.size(); ++i)
        m_store.SetUtf8(kRecentFileSection, EntryKey(i + 1), files.at(i).toStdString());
}

}  // namespace kurvex
