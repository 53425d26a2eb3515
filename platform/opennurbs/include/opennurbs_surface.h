#pragma once

#include "opennurbs_geometry.h"
#include "opennurbs_interval.h"
#include "opennurbs_point.h"

class ON_Curve;

// A parametric surface over Domain(0) x Domain(1).
class ON_Surface : public ON_Geometry
{
public:
    static ON_Surface* Cast(ON_Object* p);
    static const ON_Surface* Cast(const ON_Object* p);

    // The parameter interval of direction dir: 0 is the first parameter (u), any other value the
    // second (v).
    virtual ON_Interval Domain(int dir) const = 0;
    // ON_UNSET_POINT when the surface cannot be evaluated.
    virtual ON_3dPoint PointAt(double s, double t) const = 0;
    virtual bool IsValid() const = 0;

    // A new curve that the caller deletes: for dir 0 the first parameter varies and the second is
    // fixed at c; for dir 1 the other way round. This base makes none and returns null.
    virtual ON_Curve* IsoCurve(int dir, double c) const;
};
