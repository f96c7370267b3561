#include "document/Einstellungen.h"

#include "common/Numbers.h"
#include "document/SettingsStore.h"

namespace kurvex {

namespace {

constexpr int32_t Rgb(int32_t r, int32_t g, int32_t b)
{
    return r + 256 * g + 65536 * b;
}

constexpr std::array<int32_t, CEinstellungen::kColourCount> kDefaultColours = {
    Rgb(0, 0, 0),     Rgb(192, 0, 192), Rgb(255, 30, 0),  Rgb(0, 30, 190),   Rgb(255, 128, 0),
    Rgb(0, 255, 0),   Rgb(0, 128, 0),   Rgb(0, 128, 255), Rgb(192, 192, 192),
};
constexpr std::array<int32_t, CEinstellungen::kTextColourCount> kDefaultTextColours = {
    Rgb(0, 0, 0), Rgb(192, 0, 192), Rgb(255, 30, 0), Rgb(0, 30, 190), Rgb(255, 128, 0), Rgb(0, 255, 0),
};
constexpr int32_t kDefaultLineWidth = 10;
constexpr const char* kDefaultEvaluationAttachment = "1";
constexpr const char* kDefaultChartAttachment = "2";

struct SingleField {
    int index;
    const char* section;
    const char* key;
    const char* sideFileKey;  // not always section_key: two fields differ
    int32_t defaultValue;
};

// Fields 24..33; the colours and widths follow the pattern section + key + number.
constexpr std::array<SingleField, 10> kSingleFields = {{
    {CEinstellungen::kLeftMargin, "Druck", "linkerRand", "Druck_linkerRand", 0},
    {CEinstellungen::kPrintVarK, "Druck", "VarKanzeigen", "Druck_VarKanzeigen", 1},
    {CEinstellungen::kPageNumbering, "Druck", "Nummerierung", "Druck_Nummerierung", 0},
    {CEinstellungen::kHeaderOnFollowingPages, "Druck", "MetadatenAufFolgeseiten", "Druck_MetadatenAufFolgeseiten", 0},
    {CEinstellungen::kDisplaySpeed, "Druck", "DisplaySpeed", "Druck_DisplaySpeed", 1},
    {CEinstellungen::kMirrorQuestionOff, "Sonstiges", "SpiegelabfrageAbschalten", "Sonstiges_SpiegelabfrageAbschalten", 0},
    {CEinstellungen::kNegativeAsZero, "Sonstiges", "CheckNegativ", "NEGWERTENULL", 0},
    {CEinstellungen::kEvaluationAttachment, "Sonstiges", "NrAusWertung", "ANLAGENNUMMER_AUSWERTUNGSSEITEN", 0},
    {CEinstellungen::kChartAttachment, "Sonstiges", "NrDiagramme", "ANLAGENNUMMER_DIAGRAMMSEITEN", 0},
    {CEinstellungen::kCurrencySelector, "Sonstiges", "Waerung", "Sonstiges_Waerung", 0},
}};

bool IsValidIndex(int index)
{
    return index >= 0 && index < CEinstellungen::kCount;
}

// The row of a field of the numbered groups: section, key stem and number.
struct NumberedField {
    const char* section;
    const char* stem;
    int number;
};

bool FindNumberedField(int index, NumberedField& field)
{
    if (index >= CEinstellungen::kFirstColour && index < CEinstellungen::kFirstTextColour)
        field = {"Farben", "Farbe", index - CEinstellungen::kFirstColour};
    else if (index >= CEinstellungen::kFirstTextColour && index < CEinstellungen::kFirstLineWidth)
        field = {"Farben", "TextFarbe", index - CEinstellungen::kFirstTextColour};
    else if (index >= CEinstellungen::kFirstLineWidth && index < CEinstellungen::kLeftMargin)
        field = {"Dicken", "Dicke", index - CEinstellungen::kFirstLineWidth};
    else
        return false;
    return true;
}

const SingleField* FindSingleField(int index)
{
    for (const SingleField& field : kSingleFields) {
        if (field.index == index)
            return &field;
    }
    return nullptr;
}

int32_t DefaultInt(int index)
{
    NumberedField numbered{};
    if (FindNumberedField(index, numbered)) {
        if (index < CEinstellungen::kFirstTextColour)
            return kDefaultColours[static_cast<size_t>(numbered.number)];
        if (index < CEinstellungen::kFirstLineWidth)
            return kDefaultTextColours[static_cast<size_t>(numbered.number)];
        return kDefaultLineWidth;
    }
    const SingleField* single = FindSingleField(index);
    return single ? single->defaultValue : 0;
}

}  // namespace

CEinstellungen::CEinstellungen()
{
    ResetToDefaults();
}

void CEinstellungen::ResetToDefaults()
{
    for (int index = 0; index < kCount; ++index)
        m_ints[static_cast<size_t>(index)] = IsTextField(index) ? 0 : DefaultInt(index);
    m_evaluationAttachment = kDefaultEvaluationAttachment;
    m_chartAttachment = kDefaultChartAttachment;
}

bool CEinstellungen::IsTextField(int index)
{
    return index == kEvaluationAttachment || index == kChartAttachment;
}

std::string CEinstellungen::SideFileKey(int index)
{
    NumberedField numbered{};
    if (FindNumberedField(index, numbered))
        return std::string(numbered.section) + "_" + numbered.stem + FormatInt(numbered.number);
    const SingleField* single = FindSingleField(index);
    return single ? single->sideFileKey : std::string();
}

std::string CEinstellungen::StoreSection(int index)
{
    NumberedField numbered{};
    if (FindNumberedField(index, numbered))
        return numbered.section;
    const SingleField* single = FindSingleField(index);
    return single ? single->section : std::string();
}

std::string CEinstellungen::StoreKey(int index)
{
    NumberedField numbered{};
    if (FindNumberedField(index, numbered))
        return numbered.stem + FormatInt(numbered.number);
    const SingleField* single = FindSingleField(index);
    return single ? single->key : std::string();
}

int32_t CEinstellungen::IntAt(int index) const
{
    return IsValidIndex(index) ? m_ints[static_cast<size_t>(index)] : 0;
}

void CEinstellungen::SetIntAt(int index, int32_t value)
{
    if (IsValidIndex(index) && !IsTextField(index))
        m_ints[static_cast<size_t>(index)] = value;
}

std::string CEinstellungen::ValueText(int index) const
{
    if (index == kEvaluationAttachment)
        return m_evaluationAttachment;
    if (index == kChartAttachment)
        return m_chartAttachment;
    return FormatInt(IntAt(index));
}

void CEinstellungen::SetFromText(int index, std::string_view text)
{
    if (index == kEvaluationAttachment)
        m_evaluationAttachment = std::string(text);
    else if (index == kChartAttachment)
        m_chartAttachment = std::string(text);
    else
        SetIntAt(index, ToInt(text));
}

bool CEinstellungen::IsDefaultAt(int index) const
{
    if (index == kEvaluationAttachment)
        return m_evaluationAttachment == kDefaultEvaluationAttachment;
    if (index == kChartAttachment)
        return m_chartAttachment == kDefaultChartAttachment;
    return IntAt(index) == DefaultInt(index);
}

void CEinstellungen::ReadFrom(const SettingsStore& store)
{
    ResetToDefaults();
    for (int index = 0; index < kCount; ++index) {
        const std::string section = StoreSection(index);
        const std::string key = StoreKey(index);
        if (IsTextField(index))
            SetFromText(index, store.GetText(section, key, ValueText(index)));
        else
            SetIntAt(index, store.GetInt(section, key, IntAt(index)));
    }
}

void CEinstellungen::WriteToMap(CMapString2String& map) const
{
    for (int index = 0; index < kCount; ++index) {
        if (IsDefaultAt(index))
            map.erase(SideFileKey(index));
        else
            map[SideFileKey(index)] = ValueText(index);
    }
}

void CEinstellungen::ReadFromMap(const CMapString2String& map)
{
    ResetToDefaults();
    for (int index = 0; index < kCount; ++index) {
        const auto it = map.find(SideFileKey(index));
        if (it != map.end())
            SetFromText(index, it->second);
    }
}

bool CEinstellungen::operator==(const CEinstellungen& other) const
{
    return m_ints == other.m_ints && m_evaluationAttachment == other.m_evaluationAttachment
           && m_chartAttachment == other.m_chartAttachment;
}

}  // namespace kurvex
