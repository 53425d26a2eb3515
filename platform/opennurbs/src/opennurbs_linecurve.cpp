#include "opennurbs_linecurve.h"
#include "opennurbs_defines.h"
#include "opennurbs_nurbscurve.h"

ON_LineCurve::ON_LineCurve(const ON_Line& line) : m_line(line)
{
    const double length = line.Length();
    m_t = length > ON_ZERO_TOLERANCE ? ON_Interval(0.0, length) : ON_Interval(0.0, 1.0);
}

ON_LineCurve& ON_LineCurve::operator=(const ON_Line& line)
{
    m_line = line;
    const double length = line.Length();
    m_t = length == 0.0 ? ON_Interval(0.0, 1.0) : ON_Interval(0.0, length);
    return *this;
}

ON_LineCurve* ON_LineCurve::Cast(ON_Object* p)
{
    return dynamic_cast<ON_LineCurve*>(p);
}

const ON_LineCurve* ON_LineCurve::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_LineCurve*>(p);
}

ON_Curve* ON_LineCurve::DuplicateCurve() const
{
    return new ON_LineCurve(*this);
}

ON_3dPoint ON_LineCurve::PointAt(double t) const
{
    return m_line.PointAt(m_t.NormalizedParameterAt(t));
}

bool ON_LineCurve::IsValid() const
{
    return m_t.IsIncreasing() && m_line.Length() > ON_ZERO_TOLERANCE;
}

int ON_LineCurve::GetNurbForm(ON_NurbsCurve& nurbs, double, const ON_Interval* subdomain) const
{
    if (subdomain != nullptr || m_t.IsDecreasing() || !m_t.IsValid())
    {
        return 0;
    }
    nurbs.Create(3, false, 2, 2);
    nurbs.SetCV(0, m_line.from);
    nurbs.SetCV(1, m_line.to);
    nurbs.m_knot[0] = m_t[0];
    nurbs.m_knot[1] = m_t[1];
    return 1;
}

bool ON_LineCurve::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    bbox.Set(m_line.from, grow && bbox.IsValid());
    bbox.Set(m_line.to, true);
    return true;
}
