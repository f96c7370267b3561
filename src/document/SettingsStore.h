#pragma once
// The per-user settings store as the core sees it: integer and text values by
// section and key. The viewer keeps them in QSettings under "Ostwerk GmbH" /
// "Kurvex"; tests and the command-line tool use MemorySettingsStore.

#include <cstdint>
#include <string>

namespace kurvex {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int32_t GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const = 0;
    virtual std::string GetText(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const = 0;
    virtual void SetInt(const std::string& section, const std::string& key, int32_t value) = 0;
    virtual void SetText(const std::string& section, const std::string& key, const std::string& value) = 0;
    virtual void RemoveSection(const std::string& section) = 0;
};

}  // namespace kurvex
