#include "opennurbs_planesurface.h"

ON_PlaneSurface::ON_PlaneSurface(const ON_Plane& plane) : m_plane(plane)
{
    for (int dir = 0; dir < 2; dir++)
    {
        m_domain[dir].Set(0.0, 1.0);
        m_extents[dir].Set(0.0, 1.0);
    }
}

ON_PlaneSurface* ON_PlaneSurface::Cast(ON_Object* p)
{
    return dynamic_cast<ON_PlaneSurface*>(p);
}

const ON_PlaneSurface* ON_PlaneSurface::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_PlaneSurface*>(p);
}

bool ON_PlaneSurface::SetExtents(int dir, const ON_Interval& extents, bool sync_domain)
{
    if (!extents.IsIncreasing())
    {
        return false;
    }
    const int d = dir ? 1 : 0;
    m_extents[d] = extents;
    if (sync_domain)
    {
        m_domain[d] = extents;
    }
    return true;
}

ON_3dPoint ON_PlaneSurface::PointAt(double s, double t) const
{
    const double x = m_extents[0].ParameterAt(m_domain[0].NormalizedParameterAt(s));
    const double y = m_extents[1].ParameterAt(m_domain[1].NormalizedParameterAt(t));
    return m_plane.PointAt(x, y);
}

bool ON_PlaneSurface::IsValid() const
{
    return m_plane.IsValid() && m_domain[0].IsIncreasing() && m_domain[1].IsIncreasing() &&
           m_extents[0].IsIncreasing() && m_extents[1].IsIncreasing();
}

bool ON_PlaneSurface::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    if (!m_extents[0].IsValid() || !m_extents[1].IsValid())
    {
        return false;
    }
    bool growing = grow && bbox.IsValid();
    for (int corner = 0; corner < 4; corner++)
    {
        bbox.Set(m_plane.PointAt(m_extents[0][corner & 1], m_extents[1][corner >> 1]), growing);
        growing = true;
    }
    return true;
}
