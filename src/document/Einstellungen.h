#pragma once
// The block of 34 display and print settings. The application reads a global
// copy from the settings store; every side-file state carries a per-run copy.
// Colours are R + 256 G + 65536 B; widths are pen widths in the chart's units.

#include <array>
#include <cstdint>
#include <string>

#include "common/TextHelpers.h"

namespace kurvex {

class SettingsStore;

class CEinstellungen {
public:
    static constexpr int kCount = 34;
    // Positions of the fields; a position is also the field's row in the key tables.
    static constexpr int kFirstColour = 0;
    static constexpr int kColourCount = 9;
    static constexpr int kFirstTextColour = 9;
    static constexpr int kTextColourCount = 6;
    static constexpr int kFirstLineWidth = 15;
    static constexpr int kLineWidthCount = 9;
    static constexpr int kLeftMargin = 24;
    static constexpr int kPrintVarK = 25;
    static constexpr int kPageNumbering = 26;
    static constexpr int kHeaderOnFollowingPages = 27;
    static constexpr int kDisplaySpeed = 28;
    static constexpr int kMirrorQuestionOff = 29;
    static constexpr int kNegativeAsZero = 30;
    static constexpr int kEvaluationAttachment = 31;
    static constexpr int kChartAttachment = 32;
    static constexpr int kCurrencySelector = 33;

    CEinstellungen();
    void ResetToDefaults();

    // The key tables: side-file key ("Farben_Farbe3"), settings-store section
    // and key ("Farben", "Farbe3"); attachment numbers are text, the rest integers.
    static bool IsTextField(int index);
    static std::string SideFileKey(int index);
    static std::string StoreSection(int index);
    static std::string StoreKey(int index);

    // Integer fields (0 for a text field or an index outside 0..33).
    int32_t IntAt(int index) const;
    void SetIntAt(int index, int32_t value);
    // The value as stored: integers as "%d", texts as they stand.
    std::string ValueText(int index) const;
    // Sets a field from stored text; integers take the text's leading integer.
    void SetFromText(int index, std::string_view text);
    bool IsDefaultAt(int index) const;

    // Start-up: built-in defaults, then every key the store holds.
    void ReadFrom(const SettingsStore& store);
    // Side-file map: fields equal to their built-in default are removed, the others set.
    void WriteToMap(CMapString2String& map) const;
    // Side-file map: every field from its key, the built-in default for an absent key.
    void ReadFromMap(const CMapString2String& map);

    int32_t Colour(int n) const { return IntAt(kFirstColour + n); }
    int32_t TextColour(int n) const { return IntAt(kFirstTextColour + n); }
    int32_t LineWidth(int n) const { return IntAt(kFirstLineWidth + n); }
    int32_t LeftMargin() const { return IntAt(kLeftMargin); }
    bool PrintVarK() const { return IntAt(kPrintVarK) != 0; }
    bool PageNumbering() const { return IntAt(kPageNumbering) != 0; }
    bool HeaderOnFollowingPages() const { return IntAt(kHeaderOnFollowingPages) != 0; }
    bool DisplaySpeed() const { return IntAt(kDisplaySpeed) != 0; }
    bool MirrorQuestionOff() const { return IntAt(kMirrorQuestionOff) != 0; }
    bool NegativeAsZero() const { return IntAt(kNegativeAsZero) != 0; }
    const std::string& EvaluationAttachment() const { return m_evaluationAttachment; }
    const std::string& ChartAttachment() const { return m_chartAttachment; }
    int32_t CurrencySelector() const { return IntAt(kCurrencySelector); }

    bool operator==(const CEinstellungen& other) const;
    bool operator!=(const CEinstellungen& other) const { return !(*this == other); }

private:
    std::array<int32_t, kCount> m_ints{};  // the text fields' slots stay 0
    std::string m_evaluationAttachment;
    std::string m_chartAttachment;
};

}  // namespace kurvex
