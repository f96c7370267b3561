#include "common/ui/QtText.h"

#include "common/Cp1252.h"

#include <array>

namespace kurvex {

namespace {

// The characters of bytes 0x80..0x9F, the only range where Windows-1252
// differs from Latin-1.
const std::array<char16_t, 32>& HighControlRange()
{
    static const std::array<char16_t, 32> table = [] {
        std::array<char16_t, 32> result{};
        for (int byte = 0x80; byte <= 0x9F; ++byte) {
            const QString decoded = QString::fromStdString(Cp1252ToUtf8(std::string(1, static_cast<char>(byte))));
            result[static_cast<size_t>(byte - 0x80)] = decoded.isEmpty() ? u'?' : decoded.at(0).unicode();
        }
        return result;
    }();
    return table;
}

char ToCp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    const auto& table = HighControlRange();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

QString ToQString(const std::string& cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string ToCp1252(const QString& text)
{
    std::string result;
    result.reserve(static_cast<size_t>(text.size()));
    for (const QChar c : text)
        result.push_back(ToCp1252Byte(c.unicode()));
    return result;
}

}  // namespace kurvex
