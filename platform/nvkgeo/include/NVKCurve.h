// Shape tests on curves of the geometry library.
#pragma once

#include "opennurbs.h"

// Each test looks at the curve's NURBS form. A result of 1 means the curve is that shape, and the
// whole shape is then written to the second argument (nothing of an earlier call stays in it);
// 0 means it is not, and the argument is left as it was. A null curve, or one whose NURBS form is
// not a valid curve with finite control points and positive weights, is none of the shapes.
// "Is" holds within a tight tolerance, relative to the size of the control polygon.
class NVKCurve
{
public:
    // A straight segment: every control point on the line through the curve's ends, in order
    // along it (so the curve never turns back). The line runs from the start to the end.
    static int IsLine(const ON_Curve* curve, ON_Line& line);
    // A circular arc, or a full circle, in the form arcs are written in: rational quadratic spans
    // (double knots between them) of one circle, each turning the same way by less than a half
    // turn. The arc starts at the curve's start (angle 0 on its plane's x axis) and turns about
    // the plane's normal, which points so that the angle grows along the curve.
    static int IsArc(const ON_Curve* curve, ON_Arc& arc);
    // Degree 1 with more than two control points: the polyline through them.
    static int IsPolyline(const ON_Curve* curve, ON_Polyline& polyline);
};
