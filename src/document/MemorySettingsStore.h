#pragma once
// A settings store held in memory. An integer read of a text value reads its
// leading integer, a text read of an integer value gives its decimal text.

#include <map>
#include <string>
#include <utility>

#include "document/SettingsStore.h"

namespace kurvex {

class MemorySettingsStore : public SettingsStore {
public:
    int32_t GetInt(const std::string& section, const std::string& key, int32_t defaultValue) const override;
    std::string GetText(const std::string& section, const std::string& key,
                        const std::string& defaultValue) const override;
    void SetInt(const std::string& section, const std::string& key, int32_t value) override;
    void SetText(const std::string& section, const std::string& key, const std::string& value) override;
    void RemoveSection(const std::string& section) override;

    bool Contains(const std::string& section, const std::string& key) const;

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
};

}  // namespace kurvex
