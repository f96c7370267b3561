#include "measurement/DeviceHeader.h"

#include "common/TextHelpers.h"

namespace kurvex {

bool DeviceHeader::Take(std::string_view trimmedLine)
{
    const int bar = Find(trimmedLine, "|");
    if (bar <= 0)
        return false;
    Store(trimmedLine.substr(0, bar), trimmedLine.substr(bar + 1));
    return true;
}

bool DeviceHeader::TakeWithSeparator(std::string_view trimmedLine, std::string_view separator)
{
    if (separator.empty())
        return false;
    for (const char* key : kKeys) {
        const std::string_view keyText(key);
        if (StartsWith(trimmedLine, keyText) && StartsWith(trimmedLine.substr(keyText.size()), separator)) {
            Store(keyText, trimmedLine.substr(keyText.size() + separator.size()));
            return true;
        }
    }
    return false;
}

void DeviceHeader::Store(std::string_view key, std::string_view value)
{
    for (size_t i = 0; i < kKeys.size(); ++i) {
        if (key == kKeys[i])
            m_values[i] = std::string(value);
    }
}

std::string DeviceHeader::HeaderText() const
{
    std::string text;
    for (const std::string& value : m_values) {
        text += value;
        text += kFieldSeparator;
    }
    return text;
}

}  // namespace kurvex
