#pragma once

#include "opennurbs_array.h"
#include "opennurbs_geometry.h"
#include "opennurbs_interval.h"
#include "opennurbs_point.h"

class ON_NurbsCurve;

// A parametric curve.
class ON_Curve : public ON_Geometry
{
public:
    static ON_Curve* Cast(ON_Object* p);
    static const ON_Curve* Cast(const ON_Object* p);

    // A new copy that the caller deletes.
    virtual ON_Curve* DuplicateCurve() const = 0;

    virtual ON_Interval Domain() const = 0;
    virtual ON_3dPoint PointAt(double t) const = 0;
    ON_3dPoint PointAtStart() const { return PointAt(Domain()[0]); }
    ON_3dPoint PointAtEnd() const { return PointAt(Domain()[1]); }
    virtual bool IsClosed() const = 0;
    virtual bool IsValid() const = 0;

    // Writes the NURBS form: returns 1 when it has the same parameterization, 2 when only the
    // same shape, 0 on failure. Sub-domains are not supported here (a non-null one gives 0).
    virtual int GetNurbForm(ON_NurbsCurve& nurbs, double tolerance = 0.0,
                            const ON_Interval* subdomain = nullptr) const = 0;
};

// Curves owned through pointers: Destroy deletes them.
class ON_CurveArray : public ON_SimpleArray<ON_Curve*>
{
public:
    ON_CurveArray() = default;
    explicit ON_CurveArray(int capacity) : ON_SimpleArray<ON_Curve*>(capacity) {}
    ON_CurveArray(const ON_CurveArray&) = delete;
    ON_CurveArray& operator=(const ON_CurveArray&) = delete;
    ~ON_CurveArray() { Destroy(); }

    // Deletes every curve held and empties the array; the capacity is kept.
    void Destroy();
};
