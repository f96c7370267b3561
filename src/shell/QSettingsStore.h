#pragma once
// The per-user settings store on QSettings (organisation "Ostwerk GmbH",
// application "Kurvex"): a section is a QSettings group. A value that is
// missing or not a number where a number belongs reads as the default.

#include "document/SettingsStore.h"

#include <QSettings>

namespace kurvex {

class QSettingsStore : public SettingsStore {
public:
    QSettingsStore() = default;

    int32_t GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const override;
    std::string GetText(const std::string& section, const std::string& key,
                        const std::string& defaultValue) const override;
    void SetInt(const std::string& section, const std::string& key, int32_t value) override;
    void SetText(const std::string& section, const std::string& key, const std::string& value) override;
    void RemoveSection(const std::string& section) override;
    // A UTF-8 text is a Qt string in the settings, bytes are a byte array.
    std::string GetUtf8(const std::string& section, const std::string& key,
                        const std::string& defaultValue) const override;
    void SetUtf8(const std::string& section, const std::string& key, const std::string& value) override;
    std::string GetBytes(const std::string& section, const std::string& key) const override;
    void SetBytes(const std::string& section, const std::string& key, const std::string& bytes) override;

private:
    mutable QSettings m_settings;
};

}  // namespace kurvex
