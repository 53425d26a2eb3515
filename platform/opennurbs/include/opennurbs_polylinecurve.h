#pragma once

#include "opennurbs_curve.h"
#include "opennurbs_polyline.h"

// A polyline as a curve: point i at parameter m_t[i].
class ON_PolylineCurve : public ON_Curve
{
public:
    ON_PolylineCurve() = default;
    // A copy of the points at parameters 0, 1, ..., n-1.
    explicit ON_PolylineCurve(const ON_3dPointArray& points);

    static ON_PolylineCurve* Cast(ON_Object* p);
    static const ON_PolylineCurve* Cast(const ON_Object* p);

    int PointCount() const { return m_pline.PointCount(); }

    ON_Curve* DuplicateCurve() const override;
    // Unset with fewer than 2 points.
    ON_Interval Domain() const override;
    // ON_UNSET_POINT with fewer than 2 points.
    ON_3dPoint PointAt(double t) const override;
    // Four or more points, the last equal to the first.
    bool IsClosed() const override;
    // Two or more points, increasing parameters.
    bool IsValid() const override;
    // Order 2 with the points as CVs and the parameters as knots; returns 1. Fewer than 2
    // points destroy nurbs and return 0.
    int GetNurbForm(ON_NurbsCurve& nurbs, double tolerance = 0.0,
                    const ON_Interval* subdomain = nullptr) const override;
    bool Transform(const ON_Xform& xform) override;
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    ON_Polyline m_pline;
    ON_SimpleArray<double> m_t;
    int m_dim = 3;
};
