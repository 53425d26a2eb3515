// What the curve functions of the library ask of a NURBS curve before they read it.
#pragma once

#include "opennurbs.h"

// A valid curve (order 2 or more, enough control points, its knots, an increasing domain) whose
// control points are finite and whose weights are positive: nothing read from it leaves its
// arrays, no weight divides by zero, and the curve never runs off to infinity between its points.
bool IsUsableNurbsCurve(const ON_NurbsCurve& curve);

// The Euclidean control points, in order. Only for usable curves.
ON_3dPointArray EuclideanControlPoints(const ON_NurbsCurve& curve);

// Distances up to this are zero for the curve: a tight fraction of its control points' extent,
// so that the shape tests do not depend on the curve's size or units.
double CurveTolerance(const ON_3dPointArray& controlPoints);
