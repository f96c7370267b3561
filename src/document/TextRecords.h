#pragma once
// The texts a document places on the chart, and their side-file lists.
//
// STERNTEXTE and FREIETEXTE hold "station_text<placement>_" per text,
// BEREICHSTEXTE "start_end_text<placement>_" per range text. Texts are escaped
// ("_", "<", ">" become tags, "#" is dropped), so the fields never collide.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

// A free text, or the text of a commented measuring point (star text).
struct TEXTDATEN {
    int32_t station = 0;     // dm; identifies a star text
    int32_t rawStation = 0;  // dm, the point's station before any offset; star texts only
    std::string text;
    int32_t placement = 0;   // carried for the text-box layout
};

// A text attached to a station range.
struct BEREICHSTEXTDATEN {
    int32_t start = 0;  // dm
    int32_t end = 0;    // dm
    std::string text;
    int32_t placement = 0;
};

// One list item, with its trailing "_".
std::string EncodeStationText(const TEXTDATEN& record);
std::string EncodeRangeText(const BEREICHSTEXTDATEN& record);

// The items of a list, up to the first item whose first field is empty.
std::vector<TEXTDATEN> DecodeStationTexts(std::string_view list);
std::vector<BEREICHSTEXTDATEN> DecodeRangeTexts(std::string_view list);

}  // namespace kurvex
