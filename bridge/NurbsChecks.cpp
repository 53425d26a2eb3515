#include "NurbsChecks.h"

bool NurbsCurveReadable(const ON_NurbsCurve& curve)
{
    if (curve.m_dim < 1 || curve.m_order < 2 || curve.m_cv_count < curve.m_order || !curve.m_knot ||
        !curve.m_cv || curve.m_cv_stride < curve.CVSize())
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
    for (int dir = 0; dir < 2; ++dir)
    {
        if (surface.m_order[dir] < 2 || surface.m_cv_count[dir] < surface.m_order[dir] ||
            !surface.m_knot[dir] || surface.m_cv_stride[dir] < surface.CVSize())
            return false;
    }
    for (int i = 0; i < surface.m_cv_count[0]; ++i)
        for (int j = 0; j < surface.m_cv_count[1]; ++j)
            if (surface.Weight(i, j) == 0.0)
                return false;
    return true;
}
