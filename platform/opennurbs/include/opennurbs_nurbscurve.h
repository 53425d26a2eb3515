#pragma once

#include "opennurbs_curve.h"

// A NURBS curve. CVs are m_cv_stride doubles apart; a rational CV is homogeneous (w*x, w*y,
// w*z, w). There are order + cv_count - 2 knots (no end knots beyond the domain).
// Queries on incomplete or broken data (order < 2, too few CVs, no knots, weight 0) give safe
// values or false; they never read past the arrays.
class ON_NurbsCurve : public ON_Curve
{
public:
    ON_NurbsCurve() = default;
    // A deep copy. A knot or CV array that holds fewer doubles (its capacity) than the counts
    // need is left out of the copy, which then lacks it.
    ON_NurbsCurve(const ON_NurbsCurve& src);
    ON_NurbsCurve& operator=(const ON_NurbsCurve& src);
    ~ON_NurbsCurve() override;

    static ON_NurbsCurve* Cast(ON_Object* p);
    static const ON_NurbsCurve* Cast(const ON_Object* p);

    // Allocates zeroed CVs and knots. False, changing nothing, for dim < 1, order < 2 or
    // cv_count < order.
    bool Create(int dim, bool is_rat, int order, int cv_count);
    // A non-rational curve with the points as CVs and clamped uniform knots of spacing delta.
    // Needs 1 <= dim <= 3 and points; with fewer points than the order it returns false and the
    // curve keeps what it held.
    bool CreateClampedUniformNurbs(int dim, int order, int point_count, const ON_3dPoint* points,
                                   double delta = 1.0);
    bool MakeClampedUniformKnotVector(double delta = 1.0);
    void Destroy();

    int Dimension() const { return m_dim; }
    bool IsRational() const { return m_is_rat != 0; }
    int CVSize() const { return m_dim + (m_is_rat ? 1 : 0); }
    int Order() const { return m_order; }
    int Degree() const { return m_order - 1; }
    int CVCount() const { return m_cv_count; }
    // order + cv_count - 2 (-2 for an empty curve).
    int KnotCount() const { return m_order + m_cv_count - 2; }
    // 0.0 when i is out of range.
    double Knot(int i) const;
    // Null when i is out of range.
    double* CV(int i) const;
    // 1 for non-rational curves (and out of range).
    double Weight(int i) const;
    // The Euclidean point; false, leaving p untouched, for weight 0 or i out of range.
    bool GetCV(int i, ON_3dPoint& p) const;
    // The homogeneous point (w = 1 when not rational).
    bool GetCV(int i, ON_4dPoint& p) const;
    // Sets a Euclidean point (weight 1 when rational).
    bool SetCV(int i, const ON_3dPoint& p);
    // Sets a homogeneous point; a non-rational curve takes x/w, y/w, z/w.
    bool SetCV(int i, const ON_4dPoint& p);

    // Periodic knots and the first order-1 CVs equal to the last.
    bool IsPeriodic() const;

    ON_Curve* DuplicateCurve() const override;
    // [knot[order-2], knot[cv_count-1]]; unset for incomplete data.
    ON_Interval Domain() const override;
    // de Boor in homogeneous space; ON_UNSET_POINT when it cannot evaluate (or w is 0).
    ON_3dPoint PointAt(double t) const override;
    // Needs 4 or more CVs: periodic, or the ends agree while both differ from the points at
    // 1/3 and 2/3 of the domain.
    bool IsClosed() const override;
    bool IsValid() const override;
    // A copy; returns 1.
    int GetNurbForm(ON_NurbsCurve& nurbs, double tolerance = 0.0,
                    const ON_Interval* subdomain = nullptr) const override;

    // Transforms the CVs (homogeneous when rational).
    bool Transform(const ON_Xform& xform) override;
    // The box of the control points (rational ones divided by their weights).
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    int m_dim = 0;
    int m_is_rat = 0;
    int m_order = 0;
    int m_cv_count = 0;
    int m_knot_capacity = 0;
    double* m_knot = nullptr;
    int m_cv_stride = 0;
    int m_cv_capacity = 0;
    double* m_cv = nullptr;
};
