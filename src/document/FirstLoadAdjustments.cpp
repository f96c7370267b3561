#include "document/FirstLoadAdjustments.h"

#include <cstdlib>
#include <utility>

#include "common/Numbers.h"

namespace kurvex {

namespace {

std::string Metres(int32_t decimetres)
{
    return FormatFixed(decimetres / 10.0, 1);
}

}  // namespace

FirstLoadAdjustments::FirstLoadAdjustments(int32_t fileStart, int32_t fileEnd)
    : m_fileStart(fileStart), m_fileEnd(fileEnd), m_newStart(fileStart), m_ascending(fileStart < fileEnd)
{
}

void FirstLoadAdjustments::SetStartText(const std::string& metres)
{
    m_newStart = ClampToInt32(ParseNumber(metres) * 10.0);
}

int32_t FirstLoadAdjustments::NewEnd() const
{
    const double length = std::abs(static_cast<double>(m_fileStart) - m_fileEnd);
    return ClampToInt32(static_cast<double>(m_newStart) + (m_ascending ? length : -length));
}

std::string FirstLoadAdjustments::FileStartText() const
{
    return Metres(m_fileStart);
}

std::string FirstLoadAdjustments::FileEndText() const
{
    return Metres(m_fileEnd);
}

std::string FirstLoadAdjustments::NewStartText() const
{
    return Metres(m_newStart);
}

std::string FirstLoadAdjustments::NewEndText() const
{
    return Metres(NewEnd());
}

bool FirstLoadAdjustments::IsAdjusted() const
{
    return m_adjust && (m_fileStart != m_newStart || m_fileEnd != NewEnd());
}

void FirstLoadAdjustments::ShownStations(int32_t& start, int32_t& end) const
{
    start = IsAdjusted() ? m_newStart : m_fileStart;
    end = IsAdjusted() ? NewEnd() : m_fileEnd;
    if (m_mirror)
        std::swap(start, end);
}

std::string FirstLoadAdjustments::StateHeading() const
{
    if (IsAdjusted() && m_mirror)
        return kHeadingAdjustedAndMirrored;
    if (IsAdjusted())
        return kHeadingAdjusted;
    if (m_mirror)
        return kHeadingMirrored;
    return {};
}

std::string FirstLoadAdjustments::ShownStartText() const
{
    int32_t start = 0;
    int32_t end = 0;
    ShownStations(start, end);
    return ShowsResult() ? Metres(start) : std::string();
}

std::string FirstLoadAdjustments::ShownEndText() const
{
    int32_t start = 0;
    int32_t end = 0;
    ShownStations(start, end);
    return ShowsResult() ? Metres(end) : std::string();
}

std::string FirstLoadAdjustments::OkResult() const
{
    if (!IsAdjusted())
        return {};
    return FormatInt(m_newStart) + ";" + (m_ascending ? "1" : "0");
}

}  // namespace kurvex
