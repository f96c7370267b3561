#include "chart/LabelTable.h"

#include "common/FileAccess.h"

namespace kurvex {
namespace {

// Windows-1252: \xFC u-umlaut, \xDF sharp s, \xF6 o-umlaut, \xE4 a-umlaut.
constexpr std::string_view kBuiltInLabels =
    "{KEY}{DE}{EN}\n"
    "{LANGUAGE_NAME}{German}{English}\n"
    "{PLOTPAGE_HEADLINE}{Diagramm der Ebenheitsmessung mit dem Planografen}{4-m Straight Edge Testresults}\n"
    "{PLOTPAGE_Y_AXIS}{Abweichung [mm]}{Difference [mm]}\n"
    "{PLOTPAGE_DATE}{Messung vom}{Date}\n"
    "{PLOTPAGE_CLIENT}{Dienststelle}{Client}\n"
    "{PLOTPAGE_DEPARTMENT}{Abteilung}{Department}\n"
    "{PLOTPAGE_TESTED_BY}{Pr\xFC" "fer}{Tested by}\n"
    "{PLOTPAGE_PROJECT}{Str.-Typ}{Project}\n"
    "{PLOTPAGE_PROJECT_NO}{Str.-Nr.}{Project Number}\n"
    "{PLOTPAGE_REQUIREMENT}{Grenzwert}{Requirement}\n"
    "{PLOTPAGE_REQUIREMENTS}{Grenzwerte}{Requirements}\n"
    "{PLOTPAGE_SCALE_LEVEL}{Ma\xDFstab H\xF6he}{Scale Level}\n"
    "{PLOTPAGE_SCALE_LENGTH}{Ma\xDFstab L\xE4nge}{Scale Length}\n"
    "{PLOTPAGE_DOCUMENTATION}{Bearbeitungsstand}{Documentation}\n"
    "{PLOTPAGE_FILES}{Dateien}{Files}\n"
    "{PLOTPAGE_PAGE_A_OF_B}{Seite %%A%% von %%B%%}{Page %%A%% of %%B%%}\n"
    "{PLOTPAGE_ENCLOSURE}{Anlage}{Enclosure}\n"
    "{PLOTPAGE_REQUIREMENT_SECTION_SEPARATOR}{GW}{req.}\n"
    "{PLOTPAGE_LANE_WIDTH_SECTION_SEPARATOR}{FSB}{width}\n";

// A label file is a few dozen short lines; anything beyond this is not read.
constexpr size_t kMaxLabelFileBytes = size_t{1} << 20;

// Calls take(key, line) for every line with a non-empty key.
template <typename Take>
void ForEachLabelLine(std::string_view text, Take take)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::string key = GetBracketed(line, "{", "}", 0);
        if (!key.empty())
            take(key, line);
        start = end + 1;
    }
}

}  // namespace

CLabelTable::CLabelTable()
{
    ForEachLabelLine(kBuiltInLabels, [this](const std::string& key, std::string_view line) {
        m_labels[key] = GetBracketed(line, "{", "}", 1);
    });
}

std::string_view CLabelTable::BuiltInText() { return kBuiltInLabels; }

std::string CLabelTable::LookupLabel(const std::string& key, bool appendColon) const
{
    const auto it = m_labels.find(key);
    std::string text = it == m_labels.end() ? std::string(kMissingLabel) : it->second;
    if (appendColon && !text.empty())
        text += " :";
    return text;
}

void CLabelTable::LoadLabelText(std::string_view text)
{
    ForEachLabelLine(text, [this](const std::string& key, std::string_view line) {
        m_labels[key] = GetBracketed(line, "{", "}", 2);
    });
}

bool CLabelTable::LoadLabelFile(const std::string& path)
{
    std::string text;
    if (!ReadRegularFile(path, text, kMaxLabelFileBytes))
        return false;
    LoadLabelText(text);
    return true;
}

}  // namespace kurvex
