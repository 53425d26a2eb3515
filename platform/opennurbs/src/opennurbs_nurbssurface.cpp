#include "opennurbs_nurbssurface.h"
#include "opennurbs_defines.h"
#include "opennurbs_nurbs_math.h"
#include "opennurbs_nurbscurve.h"

#include <algorithm>
#include <vector>

ON_NurbsSurface::ON_NurbsSurface(const ON_NurbsSurface& src) : ON_Surface(src)
{
    *this = src;
}

ON_NurbsSurface& ON_NurbsSurface::operator=(const ON_NurbsSurface& src)
{
    if (this == &src)
    {
        return *this;
    }
    Destroy();
    ON_Surface::operator=(src);
    m_dim = src.m_dim;
    m_is_rat = src.m_is_rat;
    for (int dir = 0; dir < 2; dir++)
    {
        m_order[dir] = src.m_order[dir];
        m_cv_count[dir] = src.m_cv_count[dir];
        m_cv_stride[dir] = src.m_cv_stride[dir];
        // Widened, so that counts set out of all proportion cannot overflow.
        const long long knot_count = static_cast<long long>(src.m_order[dir]) + src.m_cv_count[dir] - 2;
        m_knot[dir] = ON_NurbsMath::CopyOfDoubles(src.m_knot[dir], src.m_knot_capacity[dir], knot_count);
        m_knot_capacity[dir] = m_knot[dir] != nullptr ? static_cast<int>(knot_count) : 0;
    }
    const long long cv_doubles = src.CVExtent();
    m_cv = ON_NurbsMath::CopyOfDoubles(src.m_cv, src.m_cv_capacity, cv_doubles);
    m_cv_capacity = m_cv != nullptr ? static_cast<int>(cv_doubles) : 0;
    return *this;
}

ON_NurbsSurface::~ON_NurbsSurface()
{
    Destroy();
}

ON_NurbsSurface* ON_NurbsSurface::Cast(ON_Object* p)
{
    return dynamic_cast<ON_NurbsSurface*>(p);
}

const ON_NurbsSurface* ON_NurbsSurface::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_NurbsSurface*>(p);
}

bool ON_NurbsSurface::Create(int dim, bool is_rat, int order0, int order1, int cv_count0, int cv_count1)
{
    if (dim < 1 || order0 < 2 || order1 < 2 || cv_count0 < order0 || cv_count1 < order1)
    {
        return false;
    }
    Destroy();
    m_dim = dim;
    m_is_rat = is_rat ? 1 : 0;
    m_order[0] = order0;
    m_order[1] = order1;
    m_cv_count[0] = cv_count0;
    m_cv_count[1] = cv_count1;
    m_cv_stride[1] = CVSize();
    m_cv_stride[0] = CVSize() * cv_count1;
    for (int dir = 0; dir < 2; dir++)
    {
        m_knot_capacity[dir] = KnotCount(dir);
        m_knot[dir] = new double[m_knot_capacity[dir]]();
    }
    m_cv_capacity = cv_count0 * cv_count1 * CVSize();
    m_cv = new double[m_cv_capacity]();
    return true;
}

bool ON_NurbsSurface::MakeClampedUniformKnotVector(int dir, double delta)
{
    const int d = dir ? 1 : 0;
    return ON_NurbsMath::MakeClampedUniformKnots(m_order[d], m_cv_count[d], m_knot[d], delta);
}

void ON_NurbsSurface::Destroy()
{
    for (int dir = 0; dir < 2; dir++)
    {
        delete[] m_knot[dir];
        m_knot[dir] = nullptr;
        m_knot_capacity[dir] = m_order[dir] = m_cv_count[dir] = m_cv_stride[dir] = 0;
    }
    delete[] m_cv;
    m_cv = nullptr;
    m_cv_capacity = m_dim = m_is_rat = 0;
}

double ON_NurbsSurface::Knot(int dir, int i) const
{
    const int d = dir ? 1 : 0;
    return (m_knot[d] != nullptr && i >= 0 && i < KnotCount(d)) ? m_knot[d][i] : 0.0;
}

double* ON_NurbsSurface::CV(int i, int j) const
{
    if (m_cv == nullptr || i < 0 || i >= m_cv_count[0] || j < 0 || j >= m_cv_count[1])
    {
        return nullptr;
    }
    return m_cv + i * m_cv_stride[0] + j * m_cv_stride[1];
}

double ON_NurbsSurface::Weight(int i, int j) const
{
    const double* cv = CV(i, j);
    return (cv != nullptr && m_is_rat) ? cv[m_dim] : 1.0;
}

bool ON_NurbsSurface::GetCV(int i, int j, ON_3dPoint& p) const
{
    const double* cv = CV(i, j);
    return cv != nullptr && ON_NurbsMath::EuclideanPoint(cv, m_dim, m_is_rat != 0, p);
}

bool ON_NurbsSurface::GetCV(int i, int j, ON_4dPoint& p) const
{
    const double* cv = CV(i, j);
    if (cv == nullptr)
    {
        return false;
    }
    p = ON_NurbsMath::HomogeneousPoint(cv, m_dim, m_is_rat != 0);
    return true;
}

bool ON_NurbsSurface::SetCV(int i, int j, const ON_3dPoint& p)
{
    return SetCV(i, j, ON_4dPoint(p.x, p.y, p.z, 1.0));
}

bool ON_NurbsSurface::SetCV(int i, int j, const ON_4dPoint& p)
{
    double* cv = CV(i, j);
    return cv != nullptr && ON_NurbsMath::StoreCV(p, m_dim, m_is_rat != 0, cv);
}

bool ON_NurbsSurface::IsPeriodic(int dir) const
{
    const int d = dir ? 1 : 0;
    return ON_NurbsMath::IsKnotVectorPeriodic(m_order[d], m_cv_count[d], m_knot[d]) &&
           m_cv_count[1 - d] > 0 &&
           ON_NurbsMath::CVsWrap(CVSize(), m_order[d], m_cv_count[d], m_cv, m_cv_stride[d]);
}

ON_Interval ON_NurbsSurface::Domain(int dir) const
{
    const int d = dir ? 1 : 0;
    if (!CanEvaluate())
    {
        return ON_Interval();
    }
    return ON_Interval(m_knot[d][m_order[d] - 2], m_knot[d][m_cv_count[d] - 1]);
}

ON_3dPoint ON_NurbsSurface::PointAt(double s, double t) const
{
    if (!CanEvaluate())
    {
        return ON_UNSET_POINT;
    }
    const int cv_size = CVSize();
    // The u-direction curve at v = t, then its point at s.
    std::vector<double> row(static_cast<std::size_t>(m_cv_count[0]) * cv_size);
    for (int i = 0; i < m_cv_count[0]; i++)
    {
        EvaluateCVRow(1, i, t, row.data() + std::size_t(i) * cv_size);
    }
    std::vector<double> value(cv_size);
    ON_3dPoint p;
    if (!ON_NurbsMath::Evaluate(cv_size, m_order[0], m_cv_count[0], m_knot[0], row.data(), cv_size, s,
                                value.data()) ||
        !ON_NurbsMath::EuclideanPoint(value.data(), m_dim, m_is_rat != 0, p))
    {
        return ON_UNSET_POINT;
    }
    return p;
}

bool ON_NurbsSurface::IsValid() const
{
    if (!CanEvaluate() || !ON_NurbsMath::IsValidKnotVector(m_order[0], m_cv_count[0], m_knot[0]) ||
        !ON_NurbsMath::IsValidKnotVector(m_order[1], m_cv_count[1], m_knot[1]))
    {
        return false;
    }
    for (int i = 0; i < m_cv_count[0] && m_is_rat; i++)
    {
        for (int j = 0; j < m_cv_count[1]; j++)
        {
            if (Weight(i, j) == 0.0)
            {
                return false;
            }
        }
    }
    return true;
}

ON_Curve* ON_NurbsSurface::IsoCurve(int dir, double c) const
{
    if ((dir != 0 && dir != 1) || !CanEvaluate())
    {
        return nullptr;
    }
    // dir 0 keeps the u order, CVs and knots; each of its CVs is a v-direction row at c.
    const int fixed = 1 - dir;
    ON_NurbsCurve* curve = new ON_NurbsCurve();
    curve->Create(m_dim, m_is_rat != 0, m_order[dir], m_cv_count[dir]);
    std::copy(m_knot[dir], m_knot[dir] + KnotCount(dir), curve->m_knot);
    for (int k = 0; k < m_cv_count[dir]; k++)
    {
        EvaluateCVRow(fixed, k, c, curve->CV(k));
    }
    return curve;
}

bool ON_NurbsSurface::Transform(const ON_Xform& xform)
{
    if (m_cv == nullptr || m_dim < 1)
    {
        return false;
    }
    for (int i = 0; i < m_cv_count[0]; i++)
    {
        for (int j = 0; j < m_cv_count[1]; j++)
        {
            ON_NurbsMath::TransformCV(xform, m_dim, m_is_rat != 0, CV(i, j));
        }
    }
    return true;
}

bool ON_NurbsSurface::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    bool any = false;
    bool growing = grow && bbox.IsValid();
    for (int i = 0; i < m_cv_count[0]; i++)
    {
        for (int j = 0; j < m_cv_count[1]; j++)
        {
            ON_3dPoint p;
            if (GetCV(i, j, p))
            {
                bbox.Set(p, growing);
                any = growing = true;
            }
        }
    }
    return any;
}

bool ON_NurbsSurface::CanEvaluate() const
{
    return m_dim >= 1 && m_cv_stride[0] >= CVSize() && m_cv_stride[1] >= CVSize() &&
           ON_NurbsMath::CanEvaluate(m_order[0], m_cv_count[0], m_knot[0], m_cv) &&
           ON_NurbsMath::CanEvaluate(m_order[1], m_cv_count[1], m_knot[1], m_cv);
}

bool ON_NurbsSurface::EvaluateCVRow(int dir, int k, double t, double* result) const
{
    const double* first = dir == 1 ? CV(k, 0) : CV(0, k);
    return first != nullptr && ON_NurbsMath::Evaluate(CVSize(), m_order[dir], m_cv_count[dir], m_knot[dir],
                                                      first, m_cv_stride[dir], t, result);
}

long long ON_NurbsSurface::CVExtent() const
{
    if (m_cv == nullptr || m_cv_count[0] < 1 || m_cv_count[1] < 1 || m_cv_stride[0] < 0 || m_cv_stride[1] < 0)
    {
        return 0;
    }
    return (m_cv_count[0] - 1LL) * m_cv_stride[0] + (m_cv_count[1] - 1LL) * m_cv_stride[1] + CVSize();
}
