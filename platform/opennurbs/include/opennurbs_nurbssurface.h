#pragma once

#include "opennurbs_surface.h"

// A NURBS surface. CV(i, j) has the u (direction 0) index i and the v (direction 1) index j and
// starts at m_cv + i*m_cv_stride[0] + j*m_cv_stride[1]; Create lays them out with v running
// fastest. A rational CV is homogeneous (w*x, w*y, w*z, w). Each direction has
// order + cv_count - 2 knots, as on curves. Direction arguments: 0 is u, any other value v.
// Queries on incomplete or broken data give safe values, null or false; they never read past
// the arrays.
class ON_NurbsSurface : public ON_Surface
{
public:
    ON_NurbsSurface() = default;
    // A deep copy. A knot or CV array that holds fewer doubles (its capacity) than the counts
    // need is left out of the copy, which then lacks it.
    ON_NurbsSurface(const ON_NurbsSurface& src);
    ON_NurbsSurface& operator=(const ON_NurbsSurface& src);
    ~ON_NurbsSurface() override;

    static ON_NurbsSurface* Cast(ON_Object* p);
    static const ON_NurbsSurface* Cast(const ON_Object* p);

    // Allocates zeroed CVs and knots. False, changing nothing, for dim < 1, an order below 2 or
    // fewer CVs than the order in either direction.
    bool Create(int dim, bool is_rat, int order0, int order1, int cv_count0, int cv_count1);
    // Clamped uniform knots of spacing delta in one direction (see ON_NurbsCurve).
    bool MakeClampedUniformKnotVector(int dir, double delta = 1.0);
    void Destroy();

    int Dimension() const { return m_dim; }
    bool IsRational() const { return m_is_rat != 0; }
    int CVSize() const { return m_dim + (m_is_rat ? 1 : 0); }
    int Order(int dir) const { return m_order[dir ? 1 : 0]; }
    int CVCount(int dir) const { return m_cv_count[dir ? 1 : 0]; }
    // order + cv_count - 2 of the direction.
    int KnotCount(int dir) const { return Order(dir) + CVCount(dir) - 2; }
    // 0.0 when i is out of range.
    double Knot(int dir, int i) const;
    // Null when (i, j) is out of range.
    double* CV(int i, int j) const;
    // 1 for non-rational surfaces (and out of range).
    double Weight(int i, int j) const;
    // The Euclidean point; false, leaving p untouched, for weight 0 or (i, j) out of range.
    bool GetCV(int i, int j, ON_3dPoint& p) const;
    // The homogeneous point (w = 1 when not rational).
    bool GetCV(int i, int j, ON_4dPoint& p) const;
    // Sets a Euclidean point (weight 1 when rational).
    bool SetCV(int i, int j, const ON_3dPoint& p);
    // Sets a homogeneous point; a non-rational surface takes x/w, y/w, z/w.
    bool SetCV(int i, int j, const ON_4dPoint& p);

    // Periodic knots in the direction, and the first order-1 CVs of the first CV row of that
    // direction equal to its last order-1 (the toolkit compares that row only).
    bool IsPeriodic(int dir) const;

    // [knot[order-2], knot[cv_count-1]] of the direction; unset for incomplete data.
    ON_Interval Domain(int dir) const override;
    // de Boor in homogeneous space, v first; ON_UNSET_POINT when it cannot evaluate.
    ON_3dPoint PointAt(double s, double t) const override;
    bool IsValid() const override;
    // A new ON_NurbsCurve with the order, CV count and knots of the varying direction, whose CVs
    // are the CV rows evaluated at c in the fixed direction (extrapolated outside the domain).
    // Null for dir other than 0 and 1 and for incomplete data.
    ON_Curve* IsoCurve(int dir, double c) const override;

    // Transforms the CVs (homogeneous when rational).
    bool Transform(const ON_Xform& xform) override;
    // The box of the control points (rational ones divided by their weights), not of the surface.
    bool GetBoundingBox(ON_BoundingBox& bbox, bool grow = false) const override;

    int m_dim = 0;
    int m_is_rat = 0;
    int m_order[2] = {0, 0};
    int m_cv_count[2] = {0, 0};
    int m_knot_capacity[2] = {0, 0};
    double* m_knot[2] = {nullptr, nullptr};
    int m_cv_stride[2] = {0, 0};
    int m_cv_capacity = 0;
    double* m_cv = nullptr;

private:
    // Complete data: a dimension, orders of 2 or more, at least order CVs, knots, CVs, and
    // strides of at least one CV.
    bool CanEvaluate() const;
    // The CVs whose index in the other direction is k, as a B-spline of direction dir, at t.
    // Writes CVSize() doubles.
    bool EvaluateCVRow(int dir, int k, double t, double* result) const;
    // Doubles from m_cv to the end of the last CV; 0 when there are none.
    long long CVExtent() const;
};
