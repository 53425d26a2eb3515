// Checks that keep the bridge from reading outside, or dividing by the weights of, a NURBS curve
// or surface it is handed.
#pragma once

#include "opennurbs.h"

// True when the curve has a dimension, an order of 2 or more, at least order control points,
// its knot and control-point arrays allocated as long as its counts need, and no control point
// of weight 0.
bool NurbsCurveReadable(const ON_NurbsCurve& curve);
// The same for both directions of a surface.
bool NurbsSurfaceReadable(const ON_NurbsSurface& surface);
