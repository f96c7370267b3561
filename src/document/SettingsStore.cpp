#include "document/SettingsStore.h"

#include "common/Cp1252.h"

namespace kurvex {

std::string SettingsStore::GetUtf8(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const
{
    return Cp1252ToUtf8(GetText(section, key, Utf8ToCp1252(defaultValue)));
}

void SettingsStore::SetUtf8(const std::string& section, const std::string& key, const std::string& value)
{
    SetText(section, key, Utf8ToCp1252(value));
}

std::string SettingsStore::GetBytes(const std::string& section, const std::string& key) const
{
    return GetText(section, key, std::string());
}

void SettingsStore::SetBytes(const std::string& section, const std::string& key, const std::string& bytes)
{
    SetText(section, key, bytes);
}

}  // namespace kurvex
