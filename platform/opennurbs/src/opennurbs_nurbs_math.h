#pragma once

#include "opennurbs_point.h"

class ON_Xform;

// Knot-vector and B-spline arithmetic shared by NURBS curves and surfaces. Knot vectors have the
// toolkit's form: order + cv_count - 2 values, without the two end knots that the textbook form
// adds; the domain is [knot[order-2], knot[cv_count-1]].
namespace ON_NurbsMath
{

// order + cv_count - 2.
int KnotCount(int order, int cv_count);

// A new array with the first `count` doubles of `src`, which holds `capacity` doubles; null when
// there is nothing to copy or `src` holds fewer than `count`. Counts come from public members that
// a caller may have set without allocating for them, so a copy never trusts them beyond the
// capacity.
double* CopyOfDoubles(const double* src, int capacity, long long count);

// Enough data to evaluate: order >= 2, cv_count >= order, and the arrays present.
bool CanEvaluate(int order, int cv_count, const double* knot, const double* cv);

// Non-decreasing knots, no knot more than order-1 times, and an increasing domain.
bool IsValidKnotVector(int order, int cv_count, const double* knot);

// The Euclidean point of a CV of dim coordinates (plus the weight when rational; missing
// coordinates are 0). False, leaving p untouched, for weight 0.
bool EuclideanPoint(const double* cv, int dim, bool rational, ON_3dPoint& p);

// The homogeneous point of a CV (w = 1 when not rational; missing coordinates are 0).
ON_4dPoint HomogeneousPoint(const double* cv, int dim, bool rational);

// Writes a homogeneous point into a CV; a plain CV takes x/w, y/w, z/w. False, changing
// nothing, for a plain CV and w = 0.
bool StoreCV(const ON_4dPoint& p, int dim, bool rational, double* cv);

// Transforms one CV in place: a rational CV in homogeneous space, a plain one as a point.
void TransformCV(const ON_Xform& xform, int dim, bool rational, double* cv);

// order-1 zeros, then delta, 2*delta, ..., and (cv_count-order+1)*delta repeated order-1 times.
// False (knots untouched) for delta <= 0 or impossible sizes.
bool MakeClampedUniformKnots(int order, int cv_count, double* knot, double delta);

// The first 2*(order-2) gaps repeat one period (cv_count-order+1 knots) later. Never for order 2.
bool IsKnotVectorPeriodic(int order, int cv_count, const double* knot);

// Coordinate by coordinate within max((|a|+|b|)*ON_SQRT_EPSILON, ON_ZERO_TOLERANCE).
bool SameCoordinates(int count, const double* a, const double* b);

// The first order-1 CVs equal the last order-1.
bool CVsWrap(int cv_size, int order, int cv_count, const double* cv, int cv_stride);

// de Boor's algorithm on cv_size doubles per CV (homogeneous when rational); CV i starts at
// cv + i*cv_stride. Parameters outside the domain extrapolate the end spans. Writes cv_size
// doubles to result; false when the data cannot be evaluated.
bool Evaluate(int cv_size, int order, int cv_count, const double* knot, const double* cv, int cv_stride,
              double t, double* result);

} // namespace ON_NurbsMath
