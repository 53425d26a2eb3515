// Sampling of NURBS curves by the geometry library.
#pragma once

#include "opennurbs.h"

class NVKNurbsCurve
{
public:
    // Appends points of the curve to `points`, in order from its start to its end, both included,
    // dense enough that wherever the curve's tangent runs on smoothly, consecutive segments of the
    // polyline through the points turn by at most `angle` degrees. Corners (knots where the curve
    // is only continuous) are always among the points. Returns 1; 0, appending nothing, for a
    // curve that is not valid with finite control points and positive weights, or an angle that
    // is not positive.
    static int GetPoints(const ON_NurbsCurve& curve, ON_3dPointArray& points, double angle);
};
