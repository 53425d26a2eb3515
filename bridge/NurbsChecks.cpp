#include "NurbsChecks.h"

// The public counts may have been set without allocating for them: the capacities say what the
// arrays hold. Widened, so that no count overflows.
static bool HoldsKnots(int capacity, int order, int cvCount)
{
    return capacity >= static_cast<long long>(order) + cvCount - 2;
}

bool NurbsCurveReadable(const ON_NurbsCurve& curve)
{
    if (curve.m_dim < 1 || curve.m_order < 2 || curve.m_cv_count < curve.m_order || !curve.m_knot ||
        !curve.m_cv || curve.m_cv_stride < curve.CVSize() ||
        !HoldsKnots(curve.m_knot_capacity, curve.m_order, curve.m_cv_count) ||
        curve.m_cv_capacity < static_cast<long long>(curve.m_cv_count) * curve.m_cv_stride)
        return false;
    for (int i = 0; i < curve.m_cv_count; ++i)
        if (curve.Weight(i) == 0.0)
            return false;
    return true;
}

bool NurbsSurfaceReadable(const ON_NurbsSurface& surface)
{
    if (surface.m_dim < 1 || !surface.m_cv)
        return false;
    long long cvExtent = surface.CVSize();
    for (int dir = 0; dir < 2; ++dir)
    {
        if (surface.m_order[dir] < 2 || surface.m_cv_count[dir] < surface.m_order[dir] ||
            !surface.m_knot[dir] || surface.m_cv_stride[dir] < surface.CVSize() ||
            !HoldsKnots(surface.m_knot_capacity[dir], surface.m_order[dir], surface.m_cv_count[dir]))
            return false;
        cvExtent += (surface.m_cv_count[dir] - 1LL) * surface.m_cv_stride[dir];
    }
    if (surface.m_cv_capacity < cvExtent)
        return false;
    for (int i = 0; i < surface.m_cv_count[0]; ++i)
        for (int j = 0; j < surface.m_cv_count[1]; ++j)
            if (surface.Weight(i, j) == 0.0)
                return false;
    return true;
}
