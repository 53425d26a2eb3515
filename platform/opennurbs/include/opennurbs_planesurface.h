#pragma once

#include "opennurbs_plane.h"
#include "opennurbs_surface.h"

// A rectangle of a plane: the parameters over m_domain map linearly onto the plane coordinates
// m_extents along xaxis and yaxis.
class ON_PlaneSurface : public ON_Surface
{
public:
    // Every interval unset: an invalid surface until it is given a plane and extents.
    ON_PlaneSurface() = default;
    // Domain and extents [0, 1] x [0, 1].
    explicit ON_PlaneSurface(const ON_Plane& plane);

    static ON_PlaneSurface* Cast(ON_Object* p);
    static const ON_PlaneSurface* Cast(const ON_Object* p);

    ON_Interval Domain(int dir) const override { return m_domain[dir ? 1 : 0]; }
    ON_Interval Extents(int dir) const { return m_extents[dir ? 1 : 0]; }
    // Sets the plane coordinates of a direction and, when sync_domain is true, its domain too.
    bool SetExtents(int dir, const ON_Interval& extents, bool sync_domain = false);

    ON_3dPoint PointAt(double s, double t) const override;
    // A valid plane over increasing domains and extents.
    bool IsValid() const override;
    bool Transform(const ON_Xform& xform) override { return m_plane.Transform(xform); }
    // The box of the four corners.
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    ON_Plane m_plane;
    ON_Interval m_domain[2];
    ON_Interval m_extents[2];
};
