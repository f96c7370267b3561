#include "chart/AxisScale.h"

#include "common/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kurvex {

void CAxisScale::Init(int length, double minimum, double maximum, int kind)
{
    m_length = static_cast<double>(length);
    m_minimum = minimum;
    m_maximum = maximum;
    m_kind = kind;
}

bool CAxisScale::IsDegenerate() const
{
    const double range = m_maximum - m_minimum;
    return m_length == 0.0 || range == 0.0 || !std::isfinite(range) || !std::isfinite(m_length);
}

int CAxisScale::Map(double v) const
{
    if (m_kind != 0 || IsDegenerate())
        return 0;
    // Symmetric, so that the y of a value, -Map(v), exists for every value.
    const int mapped = ClampToInt32((v - m_minimum) * (m_length / (m_maximum - m_minimum)));
    return std::max(mapped, -std::numeric_limits<int>::max());
}

double CAxisScale::Unmap(int p) const
{
    if (IsDegenerate())
        return m_minimum;
    return p / (m_length / (m_maximum - m_minimum)) + m_minimum;
}

}  // namespace kurvex
