#pragma once

#include "opennurbs_plane.h"
#include "opennurbs_point.h"

class ON_Xform;

// A circle in a plane: centre at the plane's origin, angle 0 along its x axis.
class ON_Circle
{
public:
    ON_Plane plane;
    double radius = 1.0;

    ON_Circle() = default;
    // Copies the plane, updating its equation when it is not valid.
    ON_Circle(const ON_Plane& circle_plane, double circle_radius);
    // In the plane parallel to world XY through center.
    ON_Circle(const ON_3dPoint& center, double circle_radius);

    bool Create(const ON_Plane& circle_plane, double circle_radius);

    ON_3dPoint Center() const { return plane.origin; }
    ON_3dVector Normal() const { return plane.zaxis; }
    const ON_Plane& Plane() const { return plane; }
    double Radius() const { return radius; }

    // Radius positive and finite, plane valid.
    bool IsValid() const;
    // origin + (cos t * r) * xaxis + (sin t * r) * yaxis.
    ON_3dPoint PointAt(double t) const;
    // The whole circle, sampled at the eight angles i*pi/4, is within tolerance of the plane
    // (by its equation); a value equal to the tolerance passes.
    bool IsInPlane(const ON_Plane& test_plane, double tolerance) const;
    // Rigid motions and uniform scalings only.
    bool Transform(const ON_Xform& xform);
};
