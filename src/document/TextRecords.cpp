#include "document/TextRecords.h"

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/RecordFields.h"

namespace kurvex {

namespace {

constexpr char kListSeparator = '_';

void AppendTextWithPlacement(std::string& out, const std::string& text, int32_t placement)
{
    out += EscapeText(text);
    out += '<';
    out += FormatInt(placement);
    out += '>';
    out += kListSeparator;
}

// A text field "escaped text<placement>"; without "<" the whole field is the
// text, taken as it stands, and the placement is 0.
void ReadTextWithPlacement(std::string_view field, std::string& text, int32_t& placement)
{
    const size_t open = field.find('<');
    if (open == std::string_view::npos) {
        text = std::string(field);
        placement = 0;
        return;
    }
    text = UnescapeText(field.substr(0, open));
    placement = ToInt(field.substr(open + 1));
}

}  // namespace

std::string EncodeStationText(const TEXTDATEN& record)
{
    std::string item = FormatInt(record.station);
    item += kListSeparator;
    AppendTextWithPlacement(item, record.text, record.placement);
    return item;
}

std::string EncodeRangeText(const BEREICHSTEXTDATEN& record)
{
    std::string item = FormatInt(record.start);
    item += kListSeparator;
    item += FormatInt(record.end);
    item += kListSeparator;
    AppendTextWithPlacement(item, record.text, record.placement);
    return item;
}

std::vector<TEXTDATEN> DecodeStationTexts(std::string_view list)
{
    std::vector<TEXTDATEN> records;
    const auto fields = SplitFields(list, kListSeparator);
    for (size_t k = 0; k < fields.size() && !fields[k].empty(); k += 2) {
        TEXTDATEN record;
        record.station = ToInt(fields[k]);
        ReadTextWithPlacement(FieldAt(fields, k + 1), record.text, record.placement);
        records.push_back(std::move(record));
    }
    return records;
}

std::vector<BEREICHSTEXTDATEN> DecodeRangeTexts(std::string_view list)
{
    std::vector<BEREICHSTEXTDATEN> records;
    const auto fields = SplitFields(list, kListSeparator);
    for (size_t k = 0; k < fields.size() && !fields[k].empty(); k += 3) {
        BEREICHSTEXTDATEN record;
        record.start = ToInt(fields[k]);
        record.end = ToInt(FieldAt(fields, k + 1));
        ReadTextWithPlacement(FieldAt(fields, k + 2), record.text, record.placement);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace kurvex
