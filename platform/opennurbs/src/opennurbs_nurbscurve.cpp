#include "opennurbs_nurbscurve.h"
#include "opennurbs_defines.h"
#include "opennurbs_nurbs_math.h"
#include "opennurbs_xform.h"

#include <algorithm>
#include <cstring>
#include <vector>

ON_NurbsCurve::ON_NurbsCurve(const ON_NurbsCurve& src) : ON_Curve(src)
{
    *this = src;
}

ON_NurbsCurve& ON_NurbsCurve::operator=(const ON_NurbsCurve& src)
{
    if (this == &src)
    {
        return *this;
    }
    Destroy();
    ON_Curve::operator=(src);
    m_dim = src.m_dim;
    m_is_rat = src.m_is_rat;
    m_order = src.m_order;
    m_cv_count = src.m_cv_count;
    m_cv_stride = src.m_cv_stride;
    // Widened, so that counts set out of all proportion cannot overflow.
    const long long knot_count = static_cast<long long>(src.m_order) + src.m_cv_count - 2;
    m_knot = ON_NurbsMath::CopyOfDoubles(src.m_knot, src.m_knot_capacity, knot_count);
    m_knot_capacity = m_knot != nullptr ? static_cast<int>(knot_count) : 0;
    const long long cv_doubles = static_cast<long long>(src.m_cv_count) * src.m_cv_stride;
    m_cv = ON_NurbsMath::CopyOfDoubles(src.m_cv, src.m_cv_capacity, cv_doubles);
    m_cv_capacity = m_cv != nullptr ? static_cast<int>(cv_doubles) : 0;
    return *this;
}

ON_NurbsCurve::~ON_NurbsCurve()
{
    Destroy();
}

ON_NurbsCurve* ON_NurbsCurve::Cast(ON_Object* p)
{
    return dynamic_cast<ON_NurbsCurve*>(p);
}

const ON_NurbsCurve* ON_NurbsCurve::Cast(const ON_Object* p)
{
    return dynamic_cast<const ON_NurbsCurve*>(p);
}

void ON_NurbsCurve::Destroy()
{
    delete[] m_knot;
    delete[] m_cv;
    m_knot = nullptr;
    m_cv = nullptr;
    m_knot_capacity = m_cv_capacity = 0;
    m_dim = m_is_rat = m_order = m_cv_count = m_cv_stride = 0;
}

bool ON_NurbsCurve::Create(int dim, bool is_rat, int order, int cv_count)
{
    if (dim < 1 || order < 2 || cv_count < order)
    {
        return false;
    }
    Destroy();
    m_dim = dim;
    m_is_rat = is_rat ? 1 : 0;
    m_order = order;
    m_cv_count = cv_count;
    m_cv_stride = CVSize();
    m_knot_capacity = KnotCount();
    m_knot = new double[m_knot_capacity]();
    m_cv_capacity = m_cv_count * m_cv_stride;
    m_cv = new double[m_cv_capacity]();
    return true;
}

bool ON_NurbsCurve::CreateClampedUniformNurbs(int dim, int order, int point_count, const ON_3dPoint* points,
                                              double delta)
{
    if (dim < 1 || dim > 3 || points == nullptr || !Create(dim, false, order, point_count))
    {
        return false;
    }
    for (int i = 0; i < point_count; i++)
    {
        SetCV(i, points[i]);
    }
    return MakeClampedUniformKnotVector(delta);
}

bool ON_NurbsCurve::MakeClampedUniformKnotVector(double delta)
{
    return ON_NurbsMath::MakeClampedUniformKnots(m_order, m_cv_count, m_knot, delta);
}

double ON_NurbsCurve::Knot(int i) const
{
    return (m_knot != nullptr && i >= 0 && i < KnotCount()) ? m_knot[i] : 0.0;
}

double* ON_NurbsCurve::CV(int i) const
{
    return (m_cv != nullptr && i >= 0 && i < m_cv_count) ? m_cv + i * m_cv_stride : nullptr;
}

double ON_NurbsCurve::Weight(int i) const
{
    const double* cv = CV(i);
    return (cv != nullptr && m_is_rat) ? cv[m_dim] : 1.0;
}

bool ON_NurbsCurve::GetCV(int i, ON_3dPoint& p) const
{
    const double* cv = CV(i);
    return cv != nullptr && ON_NurbsMath::EuclideanPoint(cv, m_dim, m_is_rat != 0, p);
}

bool ON_NurbsCurve::GetCV(int i, ON_4dPoint& p) const
{
    const double* cv = CV(i);
    if (cv == nullptr)
    {
        return false;
    }
    p = ON_NurbsMath::HomogeneousPoint(cv, m_dim, m_is_rat != 0);
    return true;
}

bool ON_NurbsCurve::SetCV(int i, const ON_3dPoint& p)
{
    return SetCV(i, ON_4dPoint(p.x, p.y, p.z, 1.0));
}

bool ON_NurbsCurve::SetCV(int i, const ON_4dPoint& p)
{
    double* cv = CV(i);
    return cv != nullptr && ON_NurbsMath::StoreCV(p, m_dim, m_is_rat != 0, cv);
}

bool ON_NurbsCurve::IsPeriodic() const
{
    return ON_NurbsMath::IsKnotVectorPeriodic(m_order, m_cv_count, m_knot) &&
           ON_NurbsMath::CVsWrap(CVSize(), m_order, m_cv_count, m_cv, m_cv_stride);
}

ON_Curve* ON_NurbsCurve::DuplicateCurve() const
{
    return new ON_NurbsCurve(*this);
}

ON_Interval ON_NurbsCurve::Domain() const
{
    if (!ON_NurbsMath::CanEvaluate(m_order, m_cv_count, m_knot, m_cv))
    {
        return ON_Interval();
    }
    return ON_Interval(m_knot[m_order - 2], m_knot[m_cv_count - 1]);
}

ON_3dPoint ON_NurbsCurve::PointAt(double t) const
{
    std::vector<double> value(std::max(1, CVSize()));
    ON_3dPoint p;
    if (m_dim < 1 || m_cv_stride < CVSize() ||
        !ON_NurbsMath::Evaluate(CVSize(), m_order, m_cv_count, m_knot, m_cv, m_cv_stride, t, value.data()) ||
        !ON_NurbsMath::EuclideanPoint(value.data(), m_dim, m_is_rat != 0, p))
    {
        return ON_UNSET_POINT;
    }
    return p;
}

bool ON_NurbsCurve::IsClosed() const
{
    if (m_dim < 1 || m_cv_count < 4 || !ON_NurbsMath::CanEvaluate(m_order, m_cv_count, m_knot, m_cv))
    {
        return false;
    }
    if (IsPeriodic())
    {
        return true;
    }
    const ON_Interval domain = Domain();
    const ON_3dPoint start = PointAt(domain[0]);
    const ON_3dPoint third = PointAt(domain.ParameterAt(1.0 / 3.0));
    const ON_3dPoint two_thirds = PointAt(domain.ParameterAt(2.0 / 3.0));
    const ON_3dPoint end = PointAt(domain[1]);
    const auto same = [](const ON_3dPoint& a, const ON_3dPoint& b)
    {
        const double pa[3] = {a.x, a.y, a.z};
        const double pb[3] = {b.x, b.y, b.z};
        return ON_NurbsMath::SameCoordinates(3, pa, pb);
    };
    return same(start, end) && !same(start, third) && !same(start, two_thirds) && !same(end, third) &&
           !same(end, two_thirds);
}

bool ON_NurbsCurve::IsValid() const
{
    if (m_dim < 1 || m_cv_stride < CVSize() ||
        !ON_NurbsMath::CanEvaluate(m_order, m_cv_count, m_knot, m_cv) ||
        !ON_NurbsMath::IsValidKnotVector(m_order, m_cv_count, m_knot))
    {
        return false;
    }
    for (int i = 0; i < m_cv_count && m_is_rat; i++)
    {
        if (Weight(i) == 0.0)
        {
            return false;
        }
    }
    return true;
}

int ON_NurbsCurve::GetNurbForm(ON_NurbsCurve& nurbs, double, const ON_Interval* subdomain) const
{
    if (subdomain != nullptr)
    {
        return 0;
    }
    nurbs = *this;
    return 1;
}

bool ON_NurbsCurve::Transform(const ON_Xform& xform)
{
    if (m_cv == nullptr || m_dim < 1)
    {
        return false;
    }
    for (int i = 0; i < m_cv_count; i++)
    {
        ON_NurbsMath::TransformCV(xform, m_dim, m_is_rat != 0, CV(i));
    }
    return true;
}

bool ON_NurbsCurve::GetBoundingBox(ON_BoundingBox& bbox, bool grow) const
{
    bool any = false;
    bool growing = grow && bbox.IsValid();
    for (int i = 0; i < m_cv_count; i++)
    {
        ON_3dPoint p;
        if (GetCV(i, p))
        {
            bbox.Set(p, growing);
            any = growing = true;
        }
    }
    return any;
}
