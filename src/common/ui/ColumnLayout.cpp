#include "common/ui/ColumnLayout.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace kurvex {

namespace {

constexpr char kValueEnd = ';';

// The fields of a stored list up to the first empty one.
std::vector<std::string_view> LeadingFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(kValueEnd, start), text.size());
        if (end == start)
            break;
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A field that is a whole number and nothing else.
std::optional<long long> WholeNumber(std::string_view field)
{
    field = Trimmed(field);
    long long value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || result.ec != std::errc() || result.ptr != field.data() + field.size())
        return std::nullopt;
    return value;
}

}  // namespace

ColumnLayout ReadColumnLayout(std::string_view widthsText, std::string_view orderText,
                              const std::vector<int>& defaultWidths)
{
    const size_t columns = defaultWidths.size();
    ColumnLayout layout;
    layout.widths = defaultWidths;
    layout.order.resize(columns);
    for (size_t i = 0; i < columns; ++i)
        layout.order[i] = static_cast<int>(i);

    const std::vector<std::string_view> widths = LeadingFields(widthsText);
    const size_t n = std::min(widths.size(), columns);
    for (size_t i = 0; i < n; ++i) {
        const auto width = WholeNumber(widths[i]);
        if (width && *width >= 0 && *width <= kMaxStoredColumnWidth)
            layout.widths[i] = static_cast<int>(*width);
    }

    const std::vector<std::string_view> order = LeadingFields(orderText);
    if (n == 0 || order.size() < n)
        return layout;
    std::vector<int> reordered(n);
    std::vector<bool> seen(n, false);
    for (size_t i = 0; i < n; ++i) {
        const auto column = WholeNumber(order[i]);
        if (!column || *column < 0 || static_cast<size_t>(*column) >= n || seen[static_cast<size_t>(*column)])
            return layout;
        seen[static_cast<size_t>(*column)] = true;
        reordered[i] = static_cast<int>(*column);
    }
    std::copy(reordered.begin(), reordered.end(), layout.order.begin());
    return layout;
}

std::string JoinColumnValues(const std::vector<int>& values)
{
    std::string text;
    for (int value : values) {
        text += std::to_string(value);
        text += kValueEnd;
    }
    return text;
}

}  // namespace kurvex
