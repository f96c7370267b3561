#include "evaluation/BereichOhneErkennung.h"

#include <algorithm>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/RecordFields.h"

namespace kurvex {

namespace {
constexpr char kListSeparator = '_';
constexpr size_t kFieldsPerRange = 3;
}  // namespace

std::string EncodeExcludedRanges(const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    std::string text;
    for (const BEREICH_OHNE_ERKENNUNG_DATEN& range : ranges) {
        if (!text.empty())
            text += kListSeparator;
        text += FormatInt(range.von);
        text += kListSeparator;
        text += FormatInt(range.bis);
        text += kListSeparator;
        text += EscapeText(range.bemerkung);
    }
    return text;
}

std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> DecodeExcludedRanges(std::string_view text)
{
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges;
    const auto fields = SplitFields(text, kListSeparator);
    for (size_t k = 0; k < fields.size() && !fields[k].empty(); k += kFieldsPerRange) {
        BEREICH_OHNE_ERKENNUNG_DATEN range;
        range.von = ToInt(fields[k]);
        range.bis = ToInt(FieldAt(fields, k + 1));
        range.bemerkung = UnescapeText(FieldAt(fields, k + 2));
        ranges.push_back(std::move(range));
    }
    return ranges;
}

std::optional<size_t> ExcludedRangeAt(const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges, int32_t station)
{
    for (size_t k = 0; k < ranges.size(); ++k) {
        const auto [lo, hi] = std::minmax(ranges[k].von, ranges[k].bis);
        if (lo <= station && station <= hi)
            return k;
    }
    return std::nullopt;
}

}  // namespace kurvex
