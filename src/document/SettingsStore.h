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

    // Texts in UTF-8, for what need not fit the Windows code page (paths), and
    // bytes (a window layout). A store that keeps only Windows-1252 texts
    // converts, and keeps the bytes as they are.
    virtual std::string GetUtf8(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const;
    virtual void SetUtf8(const std::string& section, const std::string& key, const std::string& value);
    virtual std::string GetBytes(const std::string& section, const std::string& key) const;
    virtual void SetBytes(const std::string& section, const std::string& key, const std::string& bytes);
};

}  // namespace kurvex
