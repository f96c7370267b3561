#include "document/Einstellungen.h"

#include "common/Numbers.h"
#include "common/SettingsCatalogue.h"
#include "document/SettingsStore.h"

namespace kurvex {

namespace {

static_assert(kDefaultColours.size() == CEinstellungen::kColourCount);
static_assert(kDefaultTextColours.size() == CEinstellungen::kTextColourCount);
static_assert(kNumberedSettingGroups[0].firstIndex == CEinstellungen::kFirstColour &&
              kNumberedSettingGroups[1].firstIndex == CEinstellungen::kFirstTextColour &&
              kNumberedSettingGroups[2].firstIndex == CEinstellungen::kFirstLineWidth &&
              kNumberedSettingGroups[2].firstIndex + kNumberedSettingGroups[2].count == CEinstellungen::kLeftMargin);
static_assert(kSingleSettingFields.front().index == CEinstellungen::kLeftMargin &&
              kSingleSettingFields.back().index == CEinstellungen::kCurrencySelector);

using SingleField = SingleSettingField;
constexpr const auto& kSingleFields = kSingleSettingFields;

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
    for (const NumberedSettingGroup& group : kNumberedSettingGroups) {
        if (index >= group.firstIndex && index < group.firstIndex + group.count) {
            field = {group.section, group.stem, index - group.firstIndex};
            return true;
        }
    }
    return false;
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
