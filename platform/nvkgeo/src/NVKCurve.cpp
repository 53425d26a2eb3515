#include "NVKCurve.h"

#include "NurbsCurveChecks.h"

#include <cmath>

namespace
{
// Dimensionless comparisons: a weight against a cosine, the sine between two normals, angles.
constexpr double kRatioTolerance = 1e-10;

// The curve's NURBS form, when the library can work on it.
bool GetUsableNurbForm(const ON_Curve* curve, ON_NurbsCurve& nurbs)
{
    return curve != nullptr && curve->GetNurbForm(nurbs) != 0 && IsUsableNurbsCurve(nurbs);
}

// A circle, its normal along the way the span turns, and the angle that the span turns through.
struct SpanCircle
{
    ON_3dPoint center;
    ON_3dVector normal;
    double radius = 0.0;
    double angle = 0.0;
};

// The circle of the rational quadratic span whose control points start at `first`. Such a span is
// a circular arc exactly when its legs are equally long and its middle weight, relative to the end
// weights, is the cosine of the angle between a leg and the chord (half the arc's angle).

bool GetSpanCircle(const ON_NurbsCurve& nurbs, int first, double tolerance, SpanCircle& circle)
{
    ON_3dPoint p0, p1, p2;
    nurbs.GetCV(first, p0);
    nurbs.GetCV(first + 1, p1);
    nurbs.GetCV(first + 2, p2);
    const double weight = nurbs.Weight(first + 1) / std::sqrt(nurbs.Weight(first) * nurbs.Weight(first + 2));

    const ON_3dVector leg0 = p1 - p0;
    const ON_3dVector leg1 = p2 - p1;
    const ON_3dVector chord = p2 - p0;
    const double legLength = leg0.Length();
    const double chordLength = chord.Length();
    if (!(legLength > tolerance && chordLength > tolerance) ||
        std::fabs(leg1.Length() - legLength) > tolerance)
        return false;
    ON_3dVector normal = ON_CrossProduct(leg0, leg1);
    if (!normal.Unitize())
        return false;
    const double cosHalfAngle = (leg0 * chord) / (legLength * chordLength);
    const double sinHalfAngle = ON_CrossProduct(leg0, chord).Length() / (legLength * chordLength);
    if (!(sinHalfAngle > 0.0) || std::fabs(weight - cosHalfAngle) > kRatioTolerance)
        return false;

    // The centre lies beyond the chord's middle, seen from the middle control point.
    ON_3dVector inward = (p0 + p2) * 0.5 - p1;
    if (!inward.Unitize())
        return false;
    const double halfChord = 0.5 * chordLength;
    circle.center = (p0 + p2) * 0.5 + inward * (halfChord * cosHalfAngle / sinHalfAngle);
    circle.normal = normal;
    circle.radius = halfChord / sinHalfAngle;
    circle.angle = 2.0 * std::atan2(sinHalfAngle, cosHalfAngle);
    return true;
}

// Arcs are written as spans of three control points that meet at double knots.
bool HasArcSpans(const ON_NurbsCurve& nurbs)
{
    if (nurbs.Order() != 3 || !nurbs.IsRational() || nurbs.CVCount() % 2 == 0)
        return false;
    for (int i = 0; i + 1 < nurbs.KnotCount(); i += 2)
    {
        if (nurbs.Knot(i) != nurbs.Knot(i + 1))
            return false;
    }
    return true;
}
} // namespace

int NVKCurve::IsLine(const ON_Curve* curve, ON_Line& line)
{
    ON_NurbsCurve nurbs;
    if (!GetUsableNurbForm(curve, nurbs))
        return 0;
    const ON_3dPointArray points = EuclideanControlPoints(nurbs);
    const double tolerance = CurveTolerance(points);
    const ON_3dPoint start = nurbs.PointAtStart();
    const ON_3dPoint end = nurbs.PointAtEnd();
    ON_3dVector direction = end - start;
    if (!(direction.Length() > tolerance) || !direction.Unitize())
        return 0;

    // Control points on the line and in order along it keep the curve on the segment: a spline
    // crosses no plane more often than its control polygon does.
    double reached = -INFINITY;
    for (int i = 0; i < points.Count(); i++)
    {
        const ON_3dVector offset = points[i] - start;
        const double along = offset * direction;
        if ((offset - direction * along).Length() > tolerance || along < reached - tolerance)
            return 0;
        reached = std::fmax(reached, along);
    }
    line = ON_Line(start, end);
    return 1;
}

int NVKCurve::IsArc(const ON_Curve* curve, ON_Arc& arc)
{
    ON_NurbsCurve nurbs;
    if (!GetUsableNurbForm(curve, nurbs) || !HasArcSpans(nurbs))
        return 0;
    const double tolerance = CurveTolerance(EuclideanControlPoints(nurbs));

    SpanCircle circle;
    if (!GetSpanCircle(nurbs, 0, tolerance, circle))
        return 0;
    double angle = circle.angle;
    for (int first = 2; first + 2 < nurbs.CVCount(); first += 2)
    {
        SpanCircle next;
        if (!GetSpanCircle(nurbs, first, tolerance, next) ||
            next.center.DistanceTo(circle.center) > tolerance ||
            std::fabs(next.radius - circle.radius) > tolerance || !(next.normal * circle.normal > 0.0) ||
            ON_CrossProduct(next.normal, circle.normal).Length() > kRatioTolerance)
            return 0;
        angle += next.angle;
    }

    ON_3dPoint start, end;
    nurbs.GetCV(0, start);
    nurbs.GetCV(nurbs.CVCount() - 1, end);
    if (start.DistanceTo(end) <= tolerance)
    {
        // Spans that come back to the start make the full circle, or more than it.
        if (std::fabs(angle - 2.0 * ON_PI) > kRatioTolerance)
            return 0;
        angle = 2.0 * ON_PI;
    }
    else if (angle >= 2.0 * ON_PI)
        return 0;

    ON_Plane plane;
    plane.origin = circle.center;
    plane.zaxis = circle.normal;
    plane.xaxis = start - circle.center;
    plane.yaxis = ON_CrossProduct(circle.normal, plane.xaxis);
    if (!plane.xaxis.Unitize() || !plane.yaxis.Unitize() || !plane.UpdateEquation())
        return 0;
    ON_Arc shape;
    if (!shape.Create(ON_Circle(plane, circle.radius), ON_Interval(0.0, angle)))
        return 0;
    arc = shape;
    return 1;
}

int NVKCurve::IsPolyline(const ON_Curve* curve, ON_Polyline& polyline)
{
    ON_NurbsCurve nurbs;
    if (!GetUsableNurbForm(curve, nurbs) || nurbs.Degree() != 1 || nurbs.CVCount() <= 2)
        return 0;
    polyline = ON_Polyline(EuclideanControlPoints(nurbs));
    return 1;
}
