#include "opennurbs_polylinecurve.h"
#include "opennurbs_defines.h"
#include "opennurbs_line.h"
#include "opennurbs_nurbscurve.h"
#include "opennurbs_xform.h"

ON_PolylineCurve::ON_PolylineCurve(const ON_3dPointArray& points) : m_pline(points)
{
    m_t.Reserve(points.Count());
    for (int i = 0; i < points.Count(); i++)
    {
        m_t.Append(double(i));
    }
}

ON_PolylineCurve* ON_PolylineCurve::Cast(ON_Object* p)
{
    return dynamic_cast<ON_PolylineCurve*>(p);
}

const ON_PolylineCurve* ON_PolylineCurve::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_PolylineCurve*>(p);
}

ON_Curve* ON_PolylineCurve::DuplicateCurve() const
{
    return new ON_PolylineCurve(*this);
}

ON_Interval ON_PolylineCurve::Domain() const
{
    const int n = PointCount();
    if (n < 2 || m_t.Count() != n)
    {
        return ON_Interval();
    }
    return ON_Interval(m_t[0], m_t[n - 1]);
}

ON_3dPoint ON_PolylineCurve::PointAt(double t) const
{
    const int n = PointCount();
    if (n < 2 || m_t.Count() != n)
    {
        return ON_UNSET_POINT;
    }
    int segment = 0;
    while (segment < n - 2 && m_t[segment + 1] <= t)
    {
        segment++;
    }
    const ON_Interval span(m_t[segment], m_t[segment + 1]);
    return ON_Line(m_pline[segment], m_pline[segment + 1]).PointAt(span.NormalizedParameterAt(t));
}

bool ON_PolylineCurve::IsClosed() const
{
    const int n = PointCount();
    return n >= 4 && m_pline[0] == m_pline[n - 1];
}

bool ON_PolylineCurve::IsValid() const
{
    const int n = PointCount();
    if (n < 2 || m_t.Count() != n)
    {
        return false;
    }
    for (int i = 0; i + 1 < n; i++)
    {
        if (!(m_t[i] < m_t[i + 1]))
        {
            return false;
        }
    }
    return true;
}

int ON_PolylineCurve::GetNurbForm(ON_NurbsCurve& nurbs, double, const ON_Interval* subdomain) const
{
    const int n = PointCount();
    if (n < 2 || m_t.Count() != n)
    {
        nurbs.Destroy();
        return 0;
    }
    if (subdomain != nullptr)
    {
        return 0;
    }
    nurbs.Create(3, false, 2, n);
    for (int i = 0; i < n; i++)
    {
        nurbs.SetCV(i, m_pline[i]);
        nurbs.m_knot[i] = m_t[i];
    }
    return 1;
}

bool ON_PolylineCurve::Transform(const ON_Xform& xform)
{
    for (int i = 0; i < m_pline.Count(); i++)
    {
        m_pline[i] = xform * m_pline[i];
    }
    return true;
}

bool ON_PolylineCurve::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    bool growing = grow && bbox.IsValid();
    for (int i = 0; i < m_pline.Count(); i++)
    {
        bbox.Set(m_pline[i], growing);
        growing = true;
    }
    return m_pline.Count() > 0;
}
