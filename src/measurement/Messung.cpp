#include "measurement/Messung.h"

#include <algorithm>

#include "common/Numbers.h"
#include "common/TextHelpers.h"

namespace kurvex {

void MESSUNG::SetValueMm(double mm)
{
    value = RoundHalfAway(mm * 10.0);
}

void MESSUNG::SetComment(std::string_view text)
{
    std::string trimmed = Trim(text);
    if (trimmed.empty())
        return;
    comment = RepairUmlauts(trimmed);
    hasComment = true;
}

void MESSUNG::KeepMaximum(const MESSUNG& other)
{
    value = std::max(value, other.value);
}

}  // namespace kurvex
