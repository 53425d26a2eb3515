#pragma once

#include "opennurbs_curve.h"
#include "opennurbs_line.h"

// A line as a curve, parameterized over m_t.
class ON_LineCurve : public ON_Curve
{
public:
    ON_LineCurve() = default;
    // Domain [0, length], or [0, 1] when the length is ON_ZERO_TOLERANCE or less.
    explicit ON_LineCurve(const ON_Line& line);
    // Domain [0, length], or [0, 1] only when the length is exactly 0.
    ON_LineCurve& operator=(const ON_Line& line);

    static ON_LineCurve* Cast(ON_Object* p);
    static const ON_LineCurve* Cast(const ON_Object* p);

    ON_Curve* DuplicateCurve() const override;
    ON_Interval Domain() const override { return m_t; }
    ON_3dPoint PointAt(double t) const override;
    bool IsClosed() const override { return false; }
    // A line longer than ON_ZERO_TOLERANCE over an increasing domain.
    bool IsValid() const override;
    // Order 2, the two end points as CVs, knots m_t. Returns 1, or 0 for a decreasing domain.
    int GetNurbForm(ON_NurbsCurve& nurbs, double tolerance = 0.0,
                    const ON_Interval* subdomain = nullptr) const override;
    bool Transform(const ON_Xform& xform) override { return m_line.Transform(xform); }
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    ON_Line m_line;
    ON_Interval m_t = ON_Interval(0.0, 1.0);
    int m_dim = 3;
};
