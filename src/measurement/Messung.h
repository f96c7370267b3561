#pragma once
// One measured point of a run.

#include <cstdint>
#include <string>
#include <string_view>

namespace kurvex {

// A run keeps its points column by column (PointStore); a MESSUNG is one point
// taken out of it or handed to it.
struct MESSUNG {
    int32_t value = 0;        // measured value, 0.1 mm
    int32_t station = 0;      // 0.1 m
    int32_t width = 0;        // lane width, cm
    int32_t limit = -1;       // 0.1 mm; -1: none
    double speed = -1.0;      // km/h; negative: no speed recorded
    std::string comment;
    bool hasComment = false;  // also set by a bare comment marker with an empty text

    void SetValueMm(double mm);
    double GetValueMm() const { return value / 10.0; }
    // Trims the text; a non-empty result is stored with its UTF-8 umlauts repaired.
    void SetComment(std::string_view text);
    bool HasSpeed() const { return speed >= 0.0; }
    void KeepMaximum(const MESSUNG& other);
};

}  // namespace kurvex
