#include "opennurbs_arc.h"
#include "opennurbs_defines.h"
#include "opennurbs_nurbscurve.h"

#include <cmath>

bool ON_Arc::Create(const ON_Circle& circle, double angle_radians)
{
    return Create(circle, ON_Interval(0.0, angle_radians));
}

bool ON_Arc::Create(const ON_Circle& circle, const ON_Interval& angle_interval)
{
    plane = circle.plane;
    plane.UpdateEquation();
    radius = circle.radius;
    m_angle = angle_interval;
    bool ok = true;
    if (m_angle.IsDecreasing())
    {
        m_angle.Swap();
        Reverse();
        ok = false;
    }
    if (m_angle.Length() > 2.0 * ON_PI)
    {
        m_angle[1] = m_angle[0] + 2.0 * ON_PI;
        ok = false;
    }
    return ok && IsValid();
}

bool ON_Arc::Create(const ON_Plane& arc_plane, const ON_3dPoint& center, double arc_radius,
                    double angle_radians)
{
    ON_Plane moved = arc_plane;
    moved.origin = center;
    moved.UpdateEquation();
    return Create(ON_Circle(moved, arc_radius), ON_Interval(0.0, angle_radians));
}

double ON_Arc::Length() const
{
    return std::fabs(AngleRadians() * radius);
}

bool ON_Arc::IsCircle() const
{
    return std::fabs(std::fabs(AngleRadians()) - 2.0 * ON_PI) <= ON_ZERO_TOLERANCE;
}

bool ON_Arc::IsValid() const
{
    const double angle = AngleRadians();
    return ON_Circle::IsValid() && m_angle.IsValid() && angle > ON_ZERO_TOLERANCE &&
           angle <= 2.0 * ON_PI + ON_ZERO_TOLERANCE;
}

void ON_Arc::Reverse()
{
    m_angle.Reverse();
    plane.yaxis = -plane.yaxis;
    plane.zaxis = -plane.zaxis;
    plane.UpdateEquation();
}

int ON_Arc::GetNurbForm(ON_NurbsCurve& nurbs) const
{
    if (!IsValid())
    {
        return 0;
    }
    const double angle = AngleRadians();
    const double quarter = (0.5 + ON_SQRT_EPSILON) * ON_PI;
    const int spans = angle <= quarter ? 1 : (angle <= 2.0 * quarter ? 2 : 4);
    const double step = angle / spans;
    const double weight = std::cos(0.5 * step);
    const double a0 = m_angle[0];
    const double a1 = m_angle[1];
    const ON_3dPoint center = Center();

    nurbs.Create(3, true, 3, 2 * spans + 1);
    nurbs.SetCV(0, ON_4dPoint(StartPoint().x, StartPoint().y, StartPoint().z, 1.0));
    for (int span = 0; span < spans; span++)
    {
        const ON_3dPoint end = span + 1 == spans ? EndPoint() : PointAt(a0 + (span + 1) * step);
        nurbs.SetCV(2 * span + 2, ON_4dPoint(end.x, end.y, end.z, 1.0));

        // The middle CV, pushed out from the centre by 1/weight: in homogeneous form that is
        // the arc point plus (weight - 1) * centre.
        const ON_3dPoint mid = PointAt(a0 + (span + 0.5) * step);
        double cv[3];
        for (int i = 0; i < 3; i++)
        {
            cv[i] = mid[i] + (weight - 1.0) * center[i];
            // Rounding noise near a multiple of 1/128 (usually a stray 1e-16 for 0) is removed.
            const double scaled = 128.0 * cv[i];
            const double nearest = std::round(scaled);
            if (scaled != nearest && std::fabs(scaled - nearest) <= 1024.0 * ON_EPSILON)
            {
                cv[i] = nearest / 128.0;
            }
        }
        nurbs.SetCV(2 * span + 1, ON_4dPoint(cv[0], cv[1], cv[2], weight));

        if (span + 1 < spans)
        {
            nurbs.m_knot[2 * span + 2] = nurbs.m_knot[2 * span + 3] = a0 + (span + 1) * step;
        }
    }
    nurbs.m_knot[0] = nurbs.m_knot[1] = a0;
    nurbs.m_knot[2 * spans] = nurbs.m_knot[2 * spans + 1] = a1;
    return 2;
}
