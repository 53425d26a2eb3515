#pragma once

#include "opennurbs_point.h"

class ON_Xform;

// A line segment from one point to another.
class ON_Line
{
public:
    ON_3dPoint from;
    ON_3dPoint to;

    ON_Line() = default;
    ON_Line(const ON_3dPoint& from_point, const ON_3dPoint& to_point) : from(from_point), to(to_point) {}

    double Length() const { return from.DistanceTo(to); }
    ON_3dVector Direction() const { return to - from; }
    // (1-t)*from + t*to; a coordinate that is equal at both ends is returned as it is.
    ON_3dPoint PointAt(double t) const;
    bool Transform(const ON_Xform& xform);
};
