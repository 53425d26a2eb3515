#include "NurbsCurveChecks.h"

#include <cmath>

namespace
{
// Far above the rounding of coordinates, far below any deviation that a drawing shows.
constexpr double kRelativeTolerance = 1e-10;
} // namespace

bool IsUsableNurbsCurve(const ON_NurbsCurve& curve)
{
    if (!curve.IsValid())
        return false;
    for (int i = 0; i < curve.CVCount(); i++)
    {
        ON_4dPoint cv;
        if (!curve.GetCV(i, cv) || !std::isfinite(cv.x) || !std::isfinite(cv.y) || !std::isfinite(cv.z) ||
            !std::isfinite(cv.w) || !(cv.w > 0.0))
            return false;
    }
    return true;
}

ON_3dPointArray EuclideanControlPoints(const ON_NurbsCurve& curve)
{
    ON_3dPointArray points(curve.CVCount());
    for (int i = 0; i < curve.CVCount(); i++)
    {
        ON_3dPoint point;
        curve.GetCV(i, point);
        points.Append(point);
    }
    return points;
}

double CurveTolerance(const ON_3dPointArray& controlPoints)
{
    ON_BoundingBox box;
    for (int i = 0; i < controlPoints.Count(); i++)
        box.Set(controlPoints[i], i > 0);
    return kRelativeTolerance * (box.m_max - box.m_min).Length();
}
