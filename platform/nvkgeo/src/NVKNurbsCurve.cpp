#include "NVKNurbsCurve.h"

#include "NurbsCurveChecks.h"

#include <cmath>
#include <vector>

namespace
{
// One span of the curve in Bezier form: order homogeneous control points.
using Bezier = std::vector<ON_4dPoint>;

// Halvings of one span at most: a cusp, where the turning never falls, ends there.
constexpr int kMaxDepth = 12;

ON_4dPoint Mix(const ON_4dPoint& a, const ON_4dPoint& b, double t)
{
    const double s = 1.0 - t;
    return ON_4dPoint(s * a.x + t * b.x, s * a.y + t * b.y, s * a.z + t * b.z, s * a.w + t * b.w);
}

ON_3dPoint Euclidean(const ON_4dPoint& p)
{
    return ON_3dPoint(p.x / p.w, p.y / p.w, p.z / p.w);
}

// The span [knot[span], knot[span + 1]] in Bezier form. Its control point m is the blossom of the
// span's B-spline control points at (a, ..., a, b, ..., b) with m values b: de Boor's algorithm
// with one parameter per level.
Bezier SpanBezier(const ON_NurbsCurve& curve, int span)
{
    const int degree = curve.Degree();
    const int first = span - degree + 1;
    const double a = curve.Knot(span);
    const double b = curve.Knot(span + 1);
    Bezier bezier(curve.Order());
    Bezier work(curve.Order());
    for (int m = 0; m <= degree; m++)
    {
        for (int i = 0; i <= degree; i++)
            curve.GetCV(first + i, work[i]);
        for (int level = 1; level <= degree; level++)
        {
            const double u = level <= m ? b : a;
            for (int i = degree; i >= level; i--)
            {
                const double left = curve.Knot(first + i - 1);
                const double right = curve.Knot(first + i + degree - level);
                work[i] = Mix(work[i - 1], work[i], (u - left) / (right - left));
            }
        }
        bezier[m] = work[degree];
    }
    return bezier;
}

// The sum of the angles between consecutive legs of the control polygon; legs of length zero
// have no direction and are passed over. A piece's tangent never turns by more than this.
double PolygonTurning(const Bezier& bezier)
{
    double turning = 0.0;
    ON_3dVector previous;
    for (size_t i = 1; i < bezier.size(); i++)
    {
        const ON_3dVector leg = Euclidean(bezier[i]) - Euclidean(bezier[i - 1]);
        if (leg.IsZero())
            continue;
        if (!previous.IsZero())
            turning += std::atan2(ON_CrossProduct(previous, leg).Length(), previous * leg);
        previous = leg;
    }
    return turning;
}

// de Casteljau's algorithm at the middle of the piece.
void Halve(const Bezier& bezier, Bezier& left, Bezier& right)
{
    const size_t n = bezier.size();
    Bezier work = bezier;
    left.resize(n);
    right.resize(n);
    for (size_t level = 0; level < n; level++)
    {
        left[level] = work[0];
        right[n - 1 - level] = work[n - 1 - level];
        for (size_t i = 0; i + 1 < n - level; i++)
            work[i] = Mix(work[i], work[i + 1], 0.5);
    }
}

// The end of every piece whose polygon turns by at most the limit, halving the others.
void AppendPieceEnds(const Bezier& bezier, double limit, int depth, ON_3dPointArray& points)
{
    if (depth == kMaxDepth || PolygonTurning(bezier) <= limit)
    {
        points.Append(Euclidean(bezier.back()));
        return;
    }
    Bezier left, right;
    Halve(bezier, left, right);
    AppendPieceEnds(left, limit, depth + 1, points);
    AppendPieceEnds(right, limit, depth + 1, points);
}
} // namespace

int NVKNurbsCurve::GetPoints(const ON_NurbsCurve& curve, ON_3dPointArray& points, double angle)
{
    if (!IsUsableNurbsCurve(curve) || !(angle > 0.0))
        return 0;
    // A chord lies among the legs of its piece's polygon, and where the curve runs on smoothly the
    // last leg of a piece is parallel to the first of the next: if every piece turns by at most
    // half the angle, neighbouring chords turn by at most the angle.
    const double limit = 0.5 * angle * ON_PI / 180.0;
    points.Append(curve.PointAtStart());
    for (int span = curve.Order() - 2; span < curve.CVCount() - 1; span++)
    {
        if (curve.Knot(span) < curve.Knot(span + 1))
            AppendPieceEnds(SpanBezier(curve, span), limit, 0, points);
    }
    return 1;
}
