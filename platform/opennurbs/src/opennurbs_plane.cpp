#include "opennurbs_plane.h"
#include "opennurbs_defines.h"
#include "opennurbs_xform.h"

#include <cmath>

namespace
{

ON_Plane WorldXY()
{
    ON_Plane plane;
    plane.UpdateEquation();
    return plane;
}

} // namespace

const ON_Plane ON_Plane::World_xy = WorldXY();
const ON_Plane ON_xy_plane = WorldXY();

ON_Plane::ON_Plane(const ON_3dPoint& origin_point, const ON_3dVector& normal)
{
    CreateFromNormal(origin_point, normal);
}

bool ON_Plane::CreateFromNormal(const ON_3dPoint& origin_point, const ON_3dVector& normal)
{
    origin = origin_point;
    zaxis = normal;
    const bool ok = zaxis.Unitize();
    xaxis.PerpendicularTo(zaxis);
    xaxis.Unitize();
    yaxis = ON_CrossProduct(zaxis, xaxis);
    yaxis.Unitize();
    UpdateEquation();
    return ok && IsValid();
}

bool ON_Plane::CreateFromFrame(const ON_3dPoint& origin_point, const ON_3dVector& x_dir,
                               const ON_3dVector& y_dir)
{
    origin = origin_point;
    xaxis = x_dir;
    xaxis.Unitize();
    yaxis = y_dir - ON_DotProduct(y_dir, xaxis) * xaxis;
    yaxis.Unitize();
    zaxis = ON_CrossProduct(xaxis, yaxis);
    bool ok = zaxis.Unitize();
    UpdateEquation();
    if (ok)
    {
        ok = IsValid();
    }
    if (ok)
    {
        ok = std::fabs(ON_DotProduct(y_dir, zaxis)) <= ON_SQRT_EPSILON * y_dir.Length();
    }
    return ok;
}

bool ON_Plane::UpdateEquation()
{
    ON_3dVector n = zaxis;
    bool ok = true;
    if (std::fabs(1.0 - n.Length()) > ON_ZERO_TOLERANCE)
    {
        ok = n.Unitize();
    }
    plane_equation.x = n.x;
    plane_equation.y = n.y;
    plane_equation.z = n.z;
    plane_equation.d = -(n.x * origin.x + n.y * origin.y + n.z * origin.z);
    return ok;
}

bool ON_Plane::IsValid() const
{
    const double tol = ON_SQRT_EPSILON;
    for (int i = 0; i < 3; i++)
    {
        if (!ON_IsValid(origin[i]))
        {
            return false;
        }
    }
    const ON_3dVector axes[3] = {xaxis, yaxis, zaxis};
    for (const ON_3dVector& axis : axes)
    {
        if (std::fabs(axis.Length() - 1.0) > tol)
        {
            return false;
        }
    }
    if (std::fabs(xaxis * yaxis) > tol || std::fabs(yaxis * zaxis) > tol || std::fabs(zaxis * xaxis) > tol)
    {
        return false;
    }
    if (ON_CrossProduct(xaxis, yaxis) * zaxis < 1.0 - tol)
    {
        return false;
    }
    const ON_3dVector n(plane_equation.x, plane_equation.y, plane_equation.z);
    const double scale = 1.0 + std::fabs(origin.x) + std::fabs(origin.y) + std::fabs(origin.z);
    return n * zaxis >= 1.0 - tol && std::fabs(plane_equation.ValueAt(origin)) <= tol * scale;
}

ON_3dPoint ON_Plane::PointAt(double s, double t) const
{
    return ON_3dPoint(origin.x + s * xaxis.x + t * yaxis.x, origin.y + s * xaxis.y + t * yaxis.y,
                      origin.z + s * xaxis.z + t * yaxis.z);
}

bool ON_Plane::Transform(const ON_Xform& xform)
{
    const ON_3dPoint moved_origin = xform * origin;
    const ON_3dVector x_dir = (xform * (origin + xaxis)) - moved_origin;
    const ON_3dVector y_dir = (xform * (origin + yaxis)) - moved_origin;
    const double x_length = x_dir.Length();
    if (std::fabs(x_length - y_dir.Length()) > ON_SQRT_EPSILON * x_length ||
        std::fabs(x_dir * y_dir) > ON_SQRT_EPSILON * x_length * x_length)
    {
        return false;
    }
    return CreateFromFrame(moved_origin, x_dir, y_dir);
}
