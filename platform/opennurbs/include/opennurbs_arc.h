#pragma once

#include "opennurbs_circle.h"
#include "opennurbs_defines.h"
#include "opennurbs_interval.h"

class ON_NurbsCurve;

// A circular arc: a circle and an angle interval in radians, measured from the plane's x axis.
// The default is the unit circle in the world XY plane over [0, 2pi].
class ON_Arc : public ON_Circle
{
public:
    ON_Interval m_angle = ON_Interval(0.0, 2.0 * ON_PI);

    ON_Arc() = default;

    // Create(circle, [0, angle]).
    bool Create(const ON_Circle& circle, double angle_radians);
    // A decreasing interval is swapped and the arc reversed (Reverse); an interval longer than
    // 2pi is cut to 2pi. Either returns false, though the arc is then usable. Otherwise IsValid().
    bool Create(const ON_Circle& circle, const ON_Interval& angle_interval);
    // The plane keeps its axes and moves its origin to center.
    bool Create(const ON_Plane& arc_plane, const ON_3dPoint& center, double arc_radius, double angle_radians);

    double AngleRadians() const { return m_angle[1] - m_angle[0]; }
    ON_Interval Domain() const { return m_angle; }
    ON_Interval DomainRadians() const { return m_angle; }
    double Length() const;

    // Within ON_ZERO_TOLERANCE of a full turn.
    bool IsCircle() const;
    // A valid circle and ON_ZERO_TOLERANCE < angle <= 2pi + ON_ZERO_TOLERANCE.
    bool IsValid() const;

    // The circle's points at the interval's ends, not snapped.
    ON_3dPoint StartPoint() const { return PointAt(m_angle[0]); }
    ON_3dPoint EndPoint() const { return PointAt(m_angle[1]); }

    // Negates and swaps the interval and flips the plane's y and z axes: the same points, run
    // the other way.
    void Reverse();

    // The exact rational quadratic form: 1, 2 or 4 spans (up to a quarter turn each), knots in
    // radians of m_angle. Returns 2, or 0 for an invalid arc.
    int GetNurbForm(ON_NurbsCurve& nurbs) const;
};
