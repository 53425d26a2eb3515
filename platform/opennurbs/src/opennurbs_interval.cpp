#include "opennurbs_interval.h"
#include "opennurbs_defines.h"

#include <utility>

ON_Interval::ON_Interval() : m_t{ON_UNSET_VALUE, ON_UNSET_VALUE} {}

ON_Interval::ON_Interval(double t0, double t1) : m_t{t0, t1} {}

void ON_Interval::Set(double t0, double t1)
{
    m_t[0] = t0;
    m_t[1] = t1;
}

double ON_Interval::Min() const
{
    return m_t[0] <= m_t[1] ? m_t[0] : m_t[1];
}

double ON_Interval::Max() const
{
    return m_t[0] <= m_t[1] ? m_t[1] : m_t[0];
}

double ON_Interval::Length() const
{
    return IsValid() ? m_t[1] - m_t[0] : 0.0;
}

bool ON_Interval::IsValid() const
{
    return ON_IsValid(m_t[0]) && ON_IsValid(m_t[1]);
}

bool ON_Interval::IsIncreasing() const
{
    return IsValid() && m_t[0] < m_t[1];
}

bool ON_Interval::IsDecreasing() const
{
    return IsValid() && m_t[0] > m_t[1];
}

double ON_Interval::ParameterAt(double x) const
{
    return (1.0 - x) * m_t[0] + x * m_t[1];
}

double ON_Interval::NormalizedParameterAt(double t) const
{
    return (t - m_t[0]) / (m_t[1] - m_t[0]);
}

void ON_Interval::Swap()
{
    std::swap(m_t[0], m_t[1]);
}

void ON_Interval::Reverse()
{
    const double t0 = m_t[0];
    m_t[0] = -m_t[1];
    m_t[1] = -t0;
}
