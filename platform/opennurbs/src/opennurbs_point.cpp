#include "opennurbs_point.h"
#include "opennurbs_defines.h"
#include "opennurbs_xform.h"

#include <cfloat>
#include <cmath>

const ON_3dPoint ON_origin(0.0, 0.0, 0.0);
const ON_3dPoint ON_UNSET_POINT(ON_UNSET_VALUE, ON_UNSET_VALUE, ON_UNSET_VALUE);
const ON_3dVector ON_xaxis(1.0, 0.0, 0.0);
const ON_3dVector ON_yaxis(0.0, 1.0, 0.0);
const ON_3dVector ON_zaxis(0.0, 0.0, 1.0);

namespace
{

double Length3d(double x, double y, double z)
{
    double m = std::fabs(x);
    double a = std::fabs(y);
    double b = std::fabs(z);
    // Ties go to y, then z; the order of the two smaller terms changes the last bit.
    if (a >= m && a >= b)
    {
        const double t = m;
        m = a;
        a = t;
    }
    else if (b >= m && b >= a)
    {
        const double t = m;
        m = b;
        b = t;
    }
    if (m > DBL_MIN)
    {
        const double r = 1.0 / m;
        a *= r;
        b *= r;
        return m * std::sqrt(1.0 + a * a + b * b);
    }
    if (m > 0.0 && std::isfinite(m))
    {
        return m;
    }
    return 0.0;
}

bool Unitize3d(double& x, double& y, double& z)
{
    const double d = Length3d(x, y, z);
    if (d > DBL_MIN)
    {
        const double s = 1.0 / d;
        x *= s;
        y *= s;
        z *= s;
        return true;
    }
    if (d > 0.0)
    {
        // Denormal: scale into the normal range and try once more.
        const double big = std::ldexp(1.0, 1023);
        double tx = x * big;
        double ty = y * big;
        double tz = z * big;
        const double td = Length3d(tx, ty, tz);
        if (td > DBL_MIN)
        {
            const double s = 1.0 / td;
            x = tx * s;
            y = ty * s;
            z = tz * s;
            return true;
        }
        x = y = z = 0.0;
    }
    return false;
}

} // namespace

ON_3fPoint::ON_3fPoint(const ON_3dPoint& p) : x(float(p.x)), y(float(p.y)), z(float(p.z)) {}

ON_3fVector ON_3fPoint::operator-(const ON_3fPoint& p) const
{
    return ON_3fVector(x - p.x, y - p.y, z - p.z);
}

ON_3fPoint ON_3fPoint::operator+(const ON_3fVector& v) const
{
    return ON_3fPoint(x + v.x, y + v.y, z + v.z);
}

double ON_3fPoint::DistanceTo(const ON_3fPoint& p) const
{
    return ON_3dPoint(*this).DistanceTo(ON_3dPoint(p));
}

ON_3fVector::ON_3fVector(const ON_3dVector& v) : x(float(v.x)), y(float(v.y)), z(float(v.z)) {}

double ON_3fVector::Length() const
{
    return Length3d(x, y, z);
}

bool ON_3fVector::Unitize()
{
    double dx = x;
    double dy = y;
    double dz = z;
    const bool ok = Unitize3d(dx, dy, dz);
    x = float(dx);
    y = float(dy);
    z = float(dz);
    return ok;
}

ON_3dPoint::ON_3dPoint(const ON_3dVector& v) : x(v.x), y(v.y), z(v.z) {}

ON_3dVector ON_3dPoint::operator-(const ON_3dPoint& p) const
{
    return ON_3dVector(x - p.x, y - p.y, z - p.z);
}

ON_3dPoint ON_3dPoint::operator+(const ON_3dVector& v) const
{
    return ON_3dPoint(x + v.x, y + v.y, z + v.z);
}

ON_3dPoint ON_3dPoint::operator-(const ON_3dVector& v) const
{
    return ON_3dPoint(x - v.x, y - v.y, z - v.z);
}

ON_3dPoint& ON_3dPoint::operator+=(const ON_3dVector& v)
{
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

ON_3dPoint& ON_3dPoint::operator-=(const ON_3dVector& v)
{
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

double ON_3dPoint::DistanceTo(const ON_3dPoint& p) const
{
    return (p - *this).Length();
}

ON_3dVector& ON_3dVector::operator+=(const ON_3dVector& v)
{
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

ON_3dVector& ON_3dVector::operator*=(double s)
{
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

double ON_3dVector::Length() const
{
    return Length3d(x, y, z);
}

bool ON_3dVector::Unitize()
{
    return Unitize3d(x, y, z);
}

bool ON_3dVector::PerpendicularTo(const ON_3dVector& v)
{
    const double ax = std::fabs(v.x);
    const double ay = std::fabs(v.y);
    const double az = std::fabs(v.z);
    int i = 0;
    int j = 1;
    if (ay > ax)
    {
        if (az > ay)
        {
            i = 2;
            j = 1;
        }
        else if (az >= ax)
        {
            i = 1;
            j = 2;
        }
        else
        {
            i = 1;
            j = 0;
        }
    }
    else if (az > ax)
    {
        i = 2;
        j = 0;
    }
    else if (az > ay)
    {
        i = 0;
        j = 2;
    }
    ON_3dVector result;
    result[i] = -v[j];
    result[j] = v[i];
    result[3 - i - j] = 0.0;
    *this = result;
    return v[i] != 0.0;
}

bool ON_3dVector::PerpendicularTo(const ON_3dPoint& P0, const ON_3dPoint& P1, const ON_3dPoint& P2)
{
    *this = ON_3dVector(0.0, 0.0, 0.0);
    const ON_3dVector V[3] = {P2 - P1, P0 - P2, P1 - P0};
    ON_3dVector N[3] = {ON_CrossProduct(V[1], V[2]), ON_CrossProduct(V[2], V[0]),
                        ON_CrossProduct(V[0], V[1])};
    for (ON_3dVector& n : N)
    {
        if (!n.Unitize())
        {
            return false;
        }
    }
    double s[3];
    for (int j = 0; j < 3; j++)
    {
        s[j] = 1.0 / V[j].Length();
    }
    double e[3];
    for (int k = 0; k < 3; k++)
    {
        e[k] = s[0] * std::fabs(N[k] * V[0]) + s[1] * std::fabs(N[k] * V[1]) + s[2] * std::fabs(N[k] * V[2]);
    }
    if (e[0] <= e[1] && e[0] <= e[2])
    {
        *this = N[0];
    }
    else if (e[0] <= e[1])
    {
        *this = N[2];
    }
    else if (e[1] <= e[2])
    {
        *this = N[1];
    }
    else
    {
        *this = N[2];
    }
    return true;
}

void ON_3dVector::Rotate(double angle, const ON_3dVector& axis)
{
    ON_Xform rotation;
    rotation.Rotation(angle, axis, ON_origin);
    *this = rotation * *this;
}

ON_3dVector operator*(double s, const ON_3dVector& v)
{
    return ON_3dVector(s * v.x, s * v.y, s * v.z);
}

ON_3dPoint operator*(double s, const ON_3dPoint& p)
{
    return ON_3dPoint(s * p.x, s * p.y, s * p.z);
}

ON_3dVector ON_CrossProduct(const ON_3dVector& a, const ON_3dVector& b)
{
    return ON_3dVector(a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y);
}

double ON_DotProduct(const ON_3dVector& a, const ON_3dVector& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
