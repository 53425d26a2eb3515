#include "opennurbs_nurbs_math.h"
#include "opennurbs_defines.h"
#include "opennurbs_interval.h"
#include "opennurbs_xform.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ON_NurbsMath
{

int KnotCount(int order, int cv_count)
{
    return order + cv_count - 2;
}

double* CopyOfDoubles(const double* src, int capacity, long long count)
{
    if (src == nullptr || count < 1 || count > capacity)
    {
        return nullptr;
    }
    double* copy = new double[count];
    std::copy(src, src + count, copy);
    return copy;
}

bool CanEvaluate(int order, int cv_count, const double* knot, const double* cv)
{
    return order >= 2 && cv_count >= order && knot != nullptr && cv != nullptr;
}

bool IsValidKnotVector(int order, int cv_count, const double* knot)
{
    if (order < 2 || cv_count < order || knot == nullptr)
    {
        return false;
    }
    const int knot_count = KnotCount(order, cv_count);
    for (int i = 0; i + 1 < knot_count; i++)
    {
        if (!(knot[i] <= knot[i + 1]))
        {
            return false;
        }
    }
    for (int i = 0; i + order - 1 < knot_count; i++)
    {
        if (!(knot[i] < knot[i + order - 1]))
        {
            return false;
        }
    }
    return ON_Interval(knot[order - 2], knot[cv_count - 1]).IsIncreasing();
}

bool EuclideanPoint(const double* cv, int dim, bool rational, ON_3dPoint& p)
{
    double w = 1.0;
    if (rational)
    {
        if (cv[dim] == 0.0)
        {
            return false;
        }
        w = 1.0 / cv[dim];
    }
    ON_3dPoint q;
    for (int i = 0; i < dim && i < 3; i++)
    {
        q[i] = rational ? w * cv[i] : cv[i];
    }
    p = q;
    return true;
}

ON_4dPoint HomogeneousPoint(const double* cv, int dim, bool rational)
{
    return ON_4dPoint(cv[0], dim > 1 ? cv[1] : 0.0, dim > 2 ? cv[2] : 0.0, rational ? cv[dim] : 1.0);
}

bool StoreCV(const ON_4dPoint& p, int dim, bool rational, double* cv)
{
    if (!rational && p.w == 0.0)
    {
        return false;
    }
    const double scale = rational ? 1.0 : 1.0 / p.w;
    const double coordinates[3] = {p.x, p.y, p.z};
    for (int k = 0; k < dim; k++)
    {
        cv[k] = k < 3 ? coordinates[k] * scale : 0.0;
    }
    if (rational)
    {
        cv[dim] = p.w;
    }
    return true;
}

void TransformCV(const ON_Xform& xform, int dim, bool rational, double* cv)
{
    if (rational)
    {
        const double in[4] = {cv[0], dim > 1 ? cv[1] : 0.0, dim > 2 ? cv[2] : 0.0, cv[dim]};
        double out[4];
        for (int r = 0; r < 4; r++)
        {
            out[r] = xform[r][0] * in[0] + xform[r][1] * in[1] + xform[r][2] * in[2] + xform[r][3] * in[3];
        }
        for (int k = 0; k < dim && k < 3; k++)
        {
            cv[k] = out[k];
        }
        cv[dim] = out[3];
        return;
    }
    ON_3dPoint p;
    EuclideanPoint(cv, dim, false, p);
    p = xform * p;
    for (int k = 0; k < dim && k < 3; k++)
    {
        cv[k] = p[k];
    }
}

bool MakeClampedUniformKnots(int order, int cv_count, double* knot, double delta)
{
    if (!(delta > 0.0) || order < 2 || cv_count < order || knot == nullptr)
    {
        return false;
    }
    const int last = cv_count - order + 1;
    for (int i = 0; i < KnotCount(order, cv_count); i++)
    {
        knot[i] = std::clamp(i - order + 2, 0, last) * delta;
    }
    return true;
}

bool IsKnotVectorPeriodic(int order, int cv_count, const double* knot)
{
    if (order < 3 || knot == nullptr || cv_count < (order <= 4 ? order + 2 : 2 * order - 2))
    {
        return false;
    }
    const double tol = ON_SQRT_EPSILON * std::max(std::fabs(knot[order - 1] - knot[order - 3]),
                                                  std::fabs(knot[cv_count - 1] - knot[order - 2]));
    const int period = cv_count - order + 1;
    for (int i = 0; i < 2 * (order - 2); i++)
    {
        const double gap = knot[i + 1] - knot[i];
        const double later = knot[i + 1 + period] - knot[i + period];
        if (!(std::fabs(gap - later) <= tol))
        {
            return false;
        }
    }
    return true;
}

bool SameCoordinates(int count, const double* a, const double* b)
{
    for (int i = 0; i < count; i++)
    {
        const double tol = std::max((std::fabs(a[i]) + std::fabs(b[i])) * ON_SQRT_EPSILON, ON_ZERO_TOLERANCE);
        if (!(std::fabs(a[i] - b[i]) <= tol))
        {
            return false;
        }
    }
    return true;
}

bool CVsWrap(int cv_size, int order, int cv_count, const double* cv, int cv_stride)
{
    if (cv == nullptr || cv_count < order || order < 2)
    {
        return false;
    }
    const int shift = cv_count - order + 1;
    for (int i = 0; i < order - 1; i++)
    {
        if (!SameCoordinates(cv_size, cv + i * cv_stride, cv + (i + shift) * cv_stride))
        {
            return false;
        }
    }
    return true;
}

bool Evaluate(int cv_size, int order, int cv_count, const double* knot, const double* cv, int cv_stride,
              double t, double* result)
{
    if (!CanEvaluate(order, cv_count, knot, cv) || cv_size < 1)
    {
        return false;
    }
    const int degree = order - 1;
    int span = order - 2;
    while (span < cv_count - 2 && knot[span + 1] <= t)
    {
        span++;
    }
    const int first = span - degree + 1;
    std::vector<double> q(std::size_t(order) * cv_size);
    for (int i = 0; i < order; i++)
    {
        std::copy(cv + (first + i) * cv_stride, cv + (first + i) * cv_stride + cv_size,
                  q.begin() + i * cv_size);
    }
    for (int r = 1; r <= degree; r++)
    {
        for (int i = degree; i >= r; i--)
        {
            const int j = first + i;
            const double denominator = knot[j + degree - r] - knot[j - 1];
            const double alpha = denominator != 0.0 ? (t - knot[j - 1]) / denominator : 0.0;
            for (int c = 0; c < cv_size; c++)
            {
                q[i * cv_size + c] = (1.0 - alpha) * q[(i - 1) * cv_size + c] + alpha * q[i * cv_size + c];
            }
        }
    }
    std::copy(q.begin() + degree * cv_size, q.begin() + order * cv_size, result);
    return true;
}

} // namespace ON_NurbsMath
