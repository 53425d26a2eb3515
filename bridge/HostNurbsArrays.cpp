#include "HostNurbsArrays.h"

static void AppendScaledPoint(const ON_3dPoint& point, double scale, std::vector<double>& points)
{
    points.push_back(point.x * scale);
    points.push_back(point.y * scale);
    points.push_back(point.z * scale);
}

template <class KnotAt>
static void AppendPaddedKnots(int knotCount, KnotAt knotAt, std::vector<double>& knots)
{
    knots.push_back(knotAt(0));
    for (int i = 0; i < knotCount; ++i)
        knots.push_back(knotAt(i));
    knots.push_back(knotAt(knotCount - 1));
}

void AppendHostKnots(const ON_NurbsCurve& curve, std::vector<double>& knots)
{
    AppendPaddedKnots(
        curve.KnotCount(), [&](int i) { return curve.Knot(i); }, knots);
}

void AppendHostKnots(const ON_NurbsSurface& surface, int dir, std::vector<double>& knots)
{
    AppendPaddedKnots(
        surface.KnotCount(dir), [&](int i) { return surface.Knot(dir, i); }, knots);
}

void AppendHostControlPoints(const ON_NurbsCurve& curve, double scale, std::vector<double>& points)
{
    for (int i = 0; i < curve.CVCount(); ++i)
    {
        ON_3dPoint point;
        curve.GetCV(i, point);
        AppendScaledPoint(point, scale, points);
    }
}

void AppendHostControlPoints(const ON_NurbsSurface& surface, double scale, std::vector<double>& points)
{
    for (int j = 0; j < surface.CVCount(1); ++j)
    {
        for (int i = 0; i < surface.CVCount(0); ++i)
        {
            ON_3dPoint point;
            surface.GetCV(i, j, point);
            AppendScaledPoint(point, scale, points);
        }
    }
}
