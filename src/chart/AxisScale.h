#pragma once
// Linear mapping of a value range onto a drawing length: station to x, value
// and speed to y. Minimum may lie above maximum (the speed axis runs from
// 12 km/h at the top edge down to 0 km/h).

namespace kurvex {

class CAxisScale {
public:
    void Init(int length, double minimum, double maximum, int kind = 0);

    // (v - minimum) * length / (maximum - minimum), truncated toward zero and
    // clamped to -INT_MAX .. INT_MAX. 0 for a kind other than linear and for an empty range
    // (maximum == minimum) or a zero length.
    int Map(double v) const;
    // The inverse of Map; the minimum for an empty range or a zero length.
    double Unmap(int p) const;

    double Length() const { return m_length; }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    int Kind() const { return m_kind; }

private:
    bool IsDegenerate() const;

    double m_epsilon = 0.00001;  // kept with the scale, unused by the mapping
    double m_length = 0.0;
    double m_minimum = 0.0;
    double m_maximum = 0.0;
    int m_kind = 0;
};

}  // namespace kurvex
