#include "document/MemorySettingsStore.h"

#include "common/Numbers.h"

namespace kurvex {

int32_t MemorySettingsStore::GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const
{
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? defaultValue : ToInt(it->second);
}

std::string MemorySettingsStore::GetText(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const
{
    const auto it = m_values.find({section, key});
    return it == m_values.end() ? defaultValue : it->second;
}

void MemorySettingsStore::SetInt(const std::string& section, const std::string& key, int32_t value)
{
    m_values[{section, key}] = FormatInt(value);
}

void MemorySettingsStore::SetText(const std::string& section, const std::string& key, const std::string& value)
{
    m_values[{section, key}] = value;
}

void MemorySettingsStore::RemoveSection(const std::string& section)
{
    auto it = m_values.lower_bound({section, std::string()});
    while (it != m_values.end() && it->first.first == section)
        it = m_values.erase(it);
}

bool MemorySettingsStore::Contains(const std::string& section, const std::string& key) const
{
    return m_values.count({section, key}) > 0;
}

}  // namespace kurvex
