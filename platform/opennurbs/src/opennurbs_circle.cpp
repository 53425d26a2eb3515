#include "opennurbs_circle.h"
#include "opennurbs_defines.h"
#include "opennurbs_xform.h"

#include <cmath>

ON_Circle::ON_Circle(const ON_Plane& circle_plane, double circle_radius)
{
    Create(circle_plane, circle_radius);
}

ON_Circle::ON_Circle(const ON_3dPoint& center, double circle_radius)
{
    plane = ON_xy_plane;
    plane.origin = center;
    plane.UpdateEquation();
    radius = circle_radius;
}

bool ON_Circle::Create(const ON_Plane& circle_plane, double circle_radius)
{
    plane = circle_plane;
    if (!plane.IsValid())
    {
        plane.UpdateEquation();
    }
    radius = circle_radius;
    return IsValid();
}

bool ON_Circle::IsValid() const
{
    return ON_IsValid(radius) && radius > 0.0 && plane.IsValid();
}

ON_3dPoint ON_Circle::PointAt(double t) const
{
    return plane.PointAt(std::cos(t) * radius, std::sin(t) * radius);
}

bool ON_Circle::IsInPlane(const ON_Plane& test_plane, double tolerance) const
{
    for (int i = 0; i < 8; i++)
    {
        if (std::fabs(test_plane.plane_equation.ValueAt(PointAt(i * 0.25 * ON_PI))) > tolerance)
        {
            return false;
        }
    }
    return true;
}

bool ON_Circle::Transform(const ON_Xform& xform)
{
    const double scale = (xform * (plane.origin + plane.xaxis) - xform * plane.origin).Length();
    if (!plane.Transform(xform))
    {
        return false;
    }
    radius *= scale;
    return true;
}
