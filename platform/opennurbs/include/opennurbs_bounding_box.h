#pragma once

#include "opennurbs_point.h"

// An axis-aligned box. The default is the empty box, min (1,0,0) above max (-1,0,0).
class ON_BoundingBox
{
public:
    ON_3dPoint m_min = ON_3dPoint(1.0, 0.0, 0.0);
    ON_3dPoint m_max = ON_3dPoint(-1.0, 0.0, 0.0);

    ON_BoundingBox() = default;
    ON_BoundingBox(const ON_3dPoint& min_point, const ON_3dPoint& max_point);

    // min <= max in every coordinate.
    bool IsValid() const;
    // Back to the empty box.
    void Destroy();
    // Grows a valid box to hold p (or, with grow false or an invalid box, becomes p's box).
    void Set(const ON_3dPoint& p, bool grow);
};
