#pragma once
// The label table of the printed chart page: key -> text, German by default.
// A label file ("lang.txt") in the built-in line format "{KEY}{DE}{EN}" puts
// the third group of each of its lines in place of the German text, so a copy
// of the built-in lines switches every label to English. Texts are Windows-1252.

#include "common/TextHelpers.h"

#include <string>
#include <string_view>

namespace kurvex {

inline constexpr const char* kLabelFileName = "lang.txt";
inline constexpr const char* kMissingLabel = "ERROR";

inline constexpr const char* kLabelLanguageName = "LANGUAGE_NAME";
inline constexpr const char* kLabelHeadline = "PLOTPAGE_HEADLINE";
inline constexpr const char* kLabelYAxis = "PLOTPAGE_Y_AXIS";
inline constexpr const char* kLabelDate = "PLOTPAGE_DATE";
inline constexpr const char* kLabelClient = "PLOTPAGE_CLIENT";
inline constexpr const char* kLabelDepartment = "PLOTPAGE_DEPARTMENT";
inline constexpr const char* kLabelTestedBy = "PLOTPAGE_TESTED_BY";
inline constexpr const char* kLabelProject = "PLOTPAGE_PROJECT";
inline constexpr const char* kLabelProjectNo = "PLOTPAGE_PROJECT_NO";
inline constexpr const char* kLabelRequirement = "PLOTPAGE_REQUIREMENT";
inline constexpr const char* kLabelRequirements = "PLOTPAGE_REQUIREMENTS";
inline constexpr const char* kLabelScaleLevel = "PLOTPAGE_SCALE_LEVEL";
inline constexpr const char* kLabelScaleLength = "PLOTPAGE_SCALE_LENGTH";
inline constexpr const char* kLabelDocumentation = "PLOTPAGE_DOCUMENTATION";
inline constexpr const char* kLabelFiles = "PLOTPAGE_FILES";
inline constexpr const char* kLabelPageAOfB = "PLOTPAGE_PAGE_A_OF_B";
inline constexpr const char* kLabelEnclosure = "PLOTPAGE_ENCLOSURE";
inline constexpr const char* kLabelRequirementSeparator = "PLOTPAGE_REQUIREMENT_SECTION_SEPARATOR";
inline constexpr const char* kLabelLaneWidthSeparator = "PLOTPAGE_LANE_WIDTH_SECTION_SEPARATOR";

class CLabelTable {
public:
    // Filled with the German texts of the built-in lines.
    CLabelTable();

    // The text of a key, "ERROR" for an unknown key; with appendColon a
    // non-empty text (also "ERROR") gets " :" appended.
    std::string LookupLabel(const std::string& key, bool appendColon = false) const;

    // Reads a label file; false (and no change) when it cannot be opened.
    bool LoadLabelFile(const std::string& path);
    // The same for label lines already in memory.
    void LoadLabelText(std::string_view text);

    // The built-in lines, "{KEY}{DE}{EN}" each, separated by line feeds.
    static std::string_view BuiltInText();

    const CMapString2String& Labels() const { return m_labels; }

private:
    CMapString2String m_labels;
};

}  // namespace kurvex
