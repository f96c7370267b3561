#pragma once
// Every section and key of the per-user settings store, with its default,
// declared once. The viewer keeps them in QSettings; everything reads and
// writes them through the SettingsStore. The names are those of the original
// program's registry and stay as they are on disk.

#include <array>
#include <cstdint>

namespace kurvex {

struct IntSetting {
    const char* section;
    const char* key;
    int32_t defaultValue;
};

struct TextSetting {
    const char* section;
    const char* key;
    const char* defaultValue;
};

inline constexpr const char* kSectionColours = "Farben";
inline constexpr const char* kSectionWidths = "Dicken";
inline constexpr const char* kSectionPrint = "Druck";
inline constexpr const char* kSectionMisc = "Sonstiges";

// --- The display and print settings block (CEinstellungen, 34 fields) --------
// Fields 0..23 are numbered groups: section, key stem and number ("Farben",
// "Farbe3"), side-file key section_stem number ("Farben_Farbe3").
struct NumberedSettingGroup {
    int firstIndex;
    int count;
    const char* section;
    const char* stem;
};
inline constexpr std::array<NumberedSettingGroup, 3> kNumberedSettingGroups = {{
    {0, 9, kSectionColours, "Farbe"},
    {9, 6, kSectionColours, "TextFarbe"},
    {15, 9, kSectionWidths, "Dicke"},
}};

constexpr int32_t SettingsRgb(int32_t r, int32_t g, int32_t b) { return r + 256 * g + 65536 * b; }

inline constexpr std::array<int32_t, 9> kDefaultColours = {
    SettingsRgb(0, 0, 0),    SettingsRgb(192, 0, 192), SettingsRgb(255, 30, 0),
    SettingsRgb(0, 30, 190), SettingsRgb(255, 128, 0), SettingsRgb(0, 255, 0),
    SettingsRgb(0, 128, 0),  SettingsRgb(0, 128, 255), SettingsRgb(192, 192, 192),
};
inline constexpr std::array<int32_t, 6> kDefaultTextColours = {
    SettingsRgb(0, 0, 0),    SettingsRgb(192, 0, 192), SettingsRgb(255, 30, 0),
    SettingsRgb(0, 30, 190), SettingsRgb(255, 128, 0), SettingsRgb(0, 255, 0),
};
inline constexpr int32_t kDefaultLineWidth = 10;

// Fields 24..33, one row each.
struct SingleSettingField {
    int index;
    const char* section;
    const char* key;
    const char* sideFileKey;  // not always section_key: two fields differ
    int32_t defaultValue;     // the two attachment numbers are texts: kDefault...Attachment
};
inline constexpr std::array<SingleSettingField, 10> kSingleSettingFields = {{
    {24, kSectionPrint, "linkerRand", "Druck_linkerRand", 0},
    {25, kSectionPrint, "VarKanzeigen", "Druck_VarKanzeigen", 1},
    {26, kSectionPrint, "Nummerierung", "Druck_Nummerierung", 0},
    {27, kSectionPrint, "MetadatenAufFolgeseiten", "Druck_MetadatenAufFolgeseiten", 0},
    {28, kSectionPrint, "DisplaySpeed", "Druck_DisplaySpeed", 1},
    {29, kSectionMisc, "SpiegelabfrageAbschalten", "Sonstiges_SpiegelabfrageAbschalten", 0},
    {30, kSectionMisc, "CheckNegativ", "NEGWERTENULL", 0},
    {31, kSectionMisc, "NrAusWertung", "ANLAGENNUMMER_AUSWERTUNGSSEITEN", 0},
    {32, kSectionMisc, "NrDiagramme", "ANLAGENNUMMER_DIAGRAMMSEITEN", 0},
    {33, kSectionMisc, "Waerung", "Sonstiges_Waerung", 0},
}};
inline constexpr const char* kDefaultEvaluationAttachment = "1";
inline constexpr const char* kDefaultChartAttachment = "2";

// --- What the program writes ---------------------------------------------------
// Strips per page of a chart window: read at its first display, written as it closes.
inline constexpr IntSetting kStripsPerPageSetting{kSectionMisc, "DiagrammeProSeite", 3};
// The full path of the last file chosen in File > Open (UTF-8: a path may hold any letter).
inline constexpr TextSetting kLastFileOpenSetting{kSectionMisc, "LastFileOpen", ""};
// The column layouts of the lists, one entry per list name (CPersListCtrl).
inline constexpr const char* kColumnWidthsSection = "Spaltenbreiten";
// The export dialog's choices.
inline constexpr const char* kExportSection = "Export";
inline constexpr IntSetting kExportDecimalSetting{kExportSection, "radioDezimalzeichen", 0};
inline constexpr IntSetting kExportSeparatorSetting{kExportSection, "radioSeperator", 0};
inline constexpr const char* kExportDecimalKey = kExportDecimalSetting.key;
inline constexpr const char* kExportSeparatorKey = kExportSeparatorSetting.key;
inline constexpr TextSetting kExportOtherSeparatorSetting{kExportSection, "SeperatorString", "#"};
inline constexpr const char* kExportOtherSeparatorKey = kExportOtherSeparatorSetting.key;
// The framework's recent-file list: "File1" (newest) .. "File10", UTF-8 paths.
inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr const char* kRecentFileKeyStem = "File";
inline constexpr int kRecentFileCapacity = 10;
// The main window's size, place and bars as Qt saves them (bytes).
inline constexpr const char* kWorkspaceSection = "Workspace";
inline constexpr const char* kWorkspaceGeometryKey = "Geometry";
inline constexpr const char* kWorkspaceStateKey = "State";

}  // namespace kurvex
