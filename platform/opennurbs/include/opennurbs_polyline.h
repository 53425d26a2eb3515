#pragma once

#include "opennurbs_array.h"

// A chain of points joined by straight segments.
class ON_Polyline : public ON_3dPointArray
{
public:
    ON_Polyline() = default;
    explicit ON_Polyline(const ON_3dPointArray& points) : ON_3dPointArray(points) {}

    int PointCount() const { return Count(); }
    int SegmentCount() const { return Count() > 0 ? Count() - 1 : 0; }
};
