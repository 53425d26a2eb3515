#pragma once

#include "opennurbs_arc.h"
#include "opennurbs_curve.h"

// An arc as a curve, parameterized by arc length over m_t.
class ON_ArcCurve : public ON_Curve
{
public:
    ON_ArcCurve() = default;
    // Domain [0, |angle * radius|], or [0, 1] when that is not positive.
    explicit ON_ArcCurve(const ON_Arc& arc);

    static ON_ArcCurve* Cast(ON_Object* p);
    static const ON_ArcCurve* Cast(const ON_Object* p);

    ON_Curve* DuplicateCurve() const override;
    ON_Interval Domain() const override { return m_t; }
    ON_3dPoint PointAt(double t) const override;
    bool IsClosed() const override { return m_arc.IsCircle(); }
    bool IsValid() const override { return m_t.IsIncreasing() && m_arc.IsValid(); }
    // The arc's form with its knots mapped linearly from radians onto m_t. Returns 2, or 0.
    int GetNurbForm(ON_NurbsCurve& nurbs, double tolerance = 0.0,
                    const ON_Interval* subdomain = nullptr) const override;
    bool Transform(const ON_Xform& xform) override { return m_arc.Transform(xform); }
    // The box of the arc's NURBS control points.
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    ON_Arc m_arc;
    ON_Interval m_t = ON_Interval(0.0, 2.0 * ON_PI);
    int m_dim = 3;
};
