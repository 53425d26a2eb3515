#pragma once

// A parameter interval [m_t[0], m_t[1]]; it may run backwards. Both ends start unset.
class ON_Interval
{
public:
    double m_t[2];

    ON_Interval();
    ON_Interval(double t0, double t1);

    void Set(double t0, double t1);
    // i <= 0 gives the start, anything else the end.
    double& operator[](int i) { return m_t[i <= 0 ? 0 : 1]; }
    double operator[](int i) const { return m_t[i <= 0 ? 0 : 1]; }
    bool operator==(const ON_Interval& other) const
    {
        return m_t[0] == other.m_t[0] && m_t[1] == other.m_t[1];
    }
    bool operator!=(const ON_Interval& other) const { return !(*this == other); }

    double Min() const;
    double Max() const;
    double Mid() const { return 0.5 * (m_t[0] + m_t[1]); }
    // m_t[1] - m_t[0]; 0 when an end is unset or NaN.
    double Length() const;

    // Both ends set and finite.
    bool IsValid() const;
    bool IsIncreasing() const;
    bool IsDecreasing() const;

    // (1-x)*t0 + x*t1.
    double ParameterAt(double x) const;
    // (t-t0)/(t1-t0).
    double NormalizedParameterAt(double t) const;

    void Swap();
    // (-t1, -t0).
    void Reverse();
};
