#include "opennurbs_arccurve.h"
#include "opennurbs_nurbscurve.h"

ON_ArcCurve::ON_ArcCurve(const ON_Arc& arc) : m_arc(arc)
{
    const double length = arc.Length();
    m_t = length > 0.0 ? ON_Interval(0.0, length) : ON_Interval(0.0, 1.0);
}

ON_ArcCurve* ON_ArcCurve::Cast(ON_Object* p)
{
    return dynamic_cast<ON_ArcCurve*>(p);
}

const ON_ArcCurve* ON_ArcCurve::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_ArcCurve*>(p);
}

ON_Curve* ON_ArcCurve::DuplicateCurve() const
{
    return new ON_ArcCurve(*this);
}

ON_3dPoint ON_ArcCurve::PointAt(double t) const
{
    return m_arc.PointAt(m_arc.m_angle.ParameterAt(m_t.NormalizedParameterAt(t)));
}

int ON_ArcCurve::GetNurbForm(ON_NurbsCurve& nurbs, double, const ON_Interval* subdomain) const
{
    if (subdomain != nullptr || !m_t.IsIncreasing() || m_arc.GetNurbForm(nurbs) == 0)
    {
        return 0;
    }
    const ON_Interval radians = m_arc.m_angle;
    const int knot_count = nurbs.KnotCount();
    for (int i = 0; i < knot_count; i++)
    {
        nurbs.m_knot[i] = m_t.ParameterAt(radians.NormalizedParameterAt(nurbs.m_knot[i]));
    }
    nurbs.m_knot[0] = nurbs.m_knot[1] = m_t[0];
    nurbs.m_knot[knot_count - 2] = nurbs.m_knot[knot_count - 1] = m_t[1];
    return 2;
}

bool ON_ArcCurve::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    ON_NurbsCurve nurbs;
    return GetNurbForm(nurbs) != 0 && nurbs.GetBoundingBox(bbox, grow);
}
