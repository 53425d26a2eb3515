#pragma once

#include "opennurbs_point.h"

class ON_Xform;

// The implicit form x*Px + y*Py + z*Pz + d of a plane.
struct ON_PlaneEquation
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double d = 0.0;

    double ValueAt(const ON_3dPoint& p) const { return x * p.x + y * p.y + z * p.z + d; }
};

// A plane with a right-handed orthonormal frame. The default is the world XY plane (with d = +0,
// where UpdateEquation gives -0).
class ON_Plane
{
public:
    ON_3dPoint origin = ON_3dPoint(0.0, 0.0, 0.0);
    ON_3dVector xaxis = ON_3dVector(1.0, 0.0, 0.0);
    ON_3dVector yaxis = ON_3dVector(0.0, 1.0, 0.0);
    ON_3dVector zaxis = ON_3dVector(0.0, 0.0, 1.0);
    ON_PlaneEquation plane_equation = {0.0, 0.0, 1.0, 0.0};

    ON_Plane() = default;
    // CreateFromNormal.
    ON_Plane(const ON_3dPoint& origin_point, const ON_3dVector& normal);

    static const ON_Plane World_xy;

    // z = normal unitized, x = z.PerpendicularTo() unitized, y = z x x; then the equation.
    bool CreateFromNormal(const ON_3dPoint& origin_point, const ON_3dVector& normal);
    // x = X unitized, y = Y without its x part, unitized, z = x X y. Fails (fields half set) when
    // X or Y is zero or they are parallel; nearly parallel vectors succeed.
    bool CreateFromFrame(const ON_3dPoint& origin_point, const ON_3dVector& x_dir, const ON_3dVector& y_dir);
    // From origin and zaxis; the normal is unitized only when it is off unit length.
    bool UpdateEquation();

    // Unit, perpendicular, right-handed axes and an equation that agrees with them.
    bool IsValid() const;
    // origin + s*xaxis + t*yaxis.
    ON_3dPoint PointAt(double s, double t) const;
    // Moves the frame; fails for transforms that do not keep it orthonormal up to scale.
    bool Transform(const ON_Xform& xform);
};

extern const ON_Plane ON_xy_plane;
