// NURBS data in the form the host takes it: knot vectors padded at both ends, control points as
// scaled Euclidean locations without weights. The curve or surface must be readable
// (NurbsChecks.h).
#pragma once

#include "opennurbs.h"

#include <vector>

// The first knot once more, the order + CV count - 2 knots, the last knot once more: order + CV
// count values in all. Knots are parameters and are never scaled.
void AppendHostKnots(const ON_NurbsCurve& curve, std::vector<double>& knots);
void AppendHostKnots(const ON_NurbsSurface& surface, int dir, std::vector<double>& knots);

// x, y and z of each control point divided by its weight, times the scale; a surface's with the
// u index running fastest.
void AppendHostControlPoints(const ON_NurbsCurve& curve, double scale, std::vector<double>& points);
void AppendHostControlPoints(const ON_NurbsSurface& surface, double scale, std::vector<double>& points);
