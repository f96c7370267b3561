#include "document/RecordFields.h"

namespace kurvex {

std::vector<std::string_view> BracketedItems(std::string_view text)
{
    std::vector<std::string_view> items;
    size_t pos = 0;
    while (true) {
        const size_t open = text.find('[', pos);
        if (open == std::string_view::npos)
            break;
        const size_t close = text.find(']', open + 1);
        if (close == std::string_view::npos)
            break;
        items.push_back(text.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    return items;
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        const size_t next = text.find(separator, start);
        if (next == std::string_view::npos) {
            fields.push_back(text.substr(start));
            break;
        }
        fields.push_back(text.substr(start, next - start));
        start = next + 1;
    }
    return fields;
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, size_t n)
{
    return n < fields.size() ? fields[n] : std::string_view();
}

}  // namespace kurvex
