#include "opennurbs_xform.h"
#include "opennurbs_defines.h"

#include <cmath>

ON_Xform::ON_Xform() : ON_Xform(0.0) {}

ON_Xform::ON_Xform(double d)
{
    for (int r = 0; r < 4; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            m_xform[r][c] = 0.0;
        }
    }
    m_xform[0][0] = m_xform[1][1] = m_xform[2][2] = d;
    m_xform[3][3] = 1.0;
}

ON_3dPoint ON_Xform::operator*(const ON_3dPoint& p) const
{
    const double(*m)[4] = m_xform;
    double x = m[0][0] * p.x + m[0][1] * p.y + m[0][2] * p.z + m[0][3];
    double y = m[1][0] * p.x + m[1][1] * p.y + m[1][2] * p.z + m[1][3];
    double z = m[2][0] * p.x + m[2][1] * p.y + m[2][2] * p.z + m[2][3];
    const double w = m[3][0] * p.x + m[3][1] * p.y + m[3][2] * p.z + m[3][3];
    if (w != 0.0)
    {
        const double s = 1.0 / w;
        x *= s;
        y *= s;
        z *= s;
    }
    return ON_3dPoint(x, y, z);
}

ON_3dVector ON_Xform::operator*(const ON_3dVector& v) const
{
    const double(*m)[4] = m_xform;
    return ON_3dVector(m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                       m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                       m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z);
}

ON_Xform ON_Xform::operator*(const ON_Xform& rhs) const
{
    ON_Xform product;
    for (int r = 0; r < 4; r++)
    {
        for (int c = 0; c < 4; c++)
        {
            product.m_xform[r][c] = m_xform[r][0] * rhs.m_xform[0][c] + m_xform[r][1] * rhs.m_xform[1][c] +
                                    m_xform[r][2] * rhs.m_xform[2][c] + m_xform[r][3] * rhs.m_xform[3][c];
        }
    }
    return product;
}

void ON_Xform::Identity()
{
    *this = ON_Xform(1.0);
}

double ON_Xform::Determinant() const
{
    // Laplace expansion along the first two rows by 2x2 minors.
    const double(*m)[4] = m_xform;
    const double s0 = m[0][0] * m[1][1] - m[1][0] * m[0][1];
    const double s1 = m[0][0] * m[1][2] - m[1][0] * m[0][2];
    const double s2 = m[0][0] * m[1][3] - m[1][0] * m[0][3];
    const double s3 = m[0][1] * m[1][2] - m[1][1] * m[0][2];
    const double s4 = m[0][1] * m[1][3] - m[1][1] * m[0][3];
    const double s5 = m[0][2] * m[1][3] - m[1][2] * m[0][3];
    const double c5 = m[2][2] * m[3][3] - m[3][2] * m[2][3];
    const double c4 = m[2][1] * m[3][3] - m[3][1] * m[2][3];
    const double c3 = m[2][1] * m[3][2] - m[3][1] * m[2][2];
    const double c2 = m[2][0] * m[3][3] - m[3][0] * m[2][3];
    const double c1 = m[2][0] * m[3][2] - m[3][0] * m[2][2];
    const double c0 = m[2][0] * m[3][1] - m[3][0] * m[2][1];
    return s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
}

void ON_Xform::Rotation(double sin_angle, double cos_angle, ON_3dVector axis, const ON_3dPoint& center)
{
    const double eps = ON_SQRT_EPSILON;
    if (std::fabs(sin_angle) >= 1.0 - eps && std::fabs(cos_angle) <= eps)
    {
        cos_angle = 0.0;
        sin_angle = sin_angle < 0.0 ? -1.0 : 1.0;
    }
    else if (std::fabs(cos_angle) >= 1.0 - eps && std::fabs(sin_angle) <= eps)
    {
        cos_angle = cos_angle < 0.0 ? -1.0 : 1.0;
        sin_angle = 0.0;
    }
    else if (std::fabs(cos_angle * cos_angle + sin_angle * sin_angle - 1.0) > eps)
    {
        ON_3dVector cs(cos_angle, sin_angle, 0.0);
        if (cs.Unitize())
        {
            cos_angle = cs.x;
            sin_angle = cs.y;
        }
    }
    else
    {
        cos_angle = std::fmin(1.0, std::fmax(-1.0, cos_angle));
        sin_angle = std::fmin(1.0, std::fmax(-1.0, sin_angle));
    }

    if (std::fabs(axis.LengthSquared() - 1.0) > ON_EPSILON)
    {
        axis.Unitize();
    }
    const double s = sin_angle;
    const double c = cos_angle;
    const double t = 1.0 - c;
    const double ax = axis.x;
    const double ay = axis.y;
    const double az = axis.z;

    *this = ON_Xform(1.0);
    double(*m)[4] = m_xform;
    m[0][0] = ax * ax * t + c;
    m[0][1] = ax * ay * t - az * s;
    m[0][2] = ax * az * t + ay * s;
    m[1][0] = ay * ax * t + az * s;
    m[1][1] = ay * ay * t + c;
    m[1][2] = ay * az * t - ax * s;
    m[2][0] = az * ax * t - ay * s;
    m[2][1] = az * ay * t + ax * s;
    m[2][2] = az * az * t + c;

    if (center.x != 0.0 || center.y != 0.0 || center.z != 0.0)
    {
        // Keep the centre fixed: translation = center - R * center.
        const ON_3dVector moved = *this * ON_3dVector(center);
        m[0][3] = center.x - moved.x;
        m[1][3] = center.y - moved.y;
        m[2][3] = center.z - moved.z;
    }
}

void ON_Xform::Rotation(double angle, const ON_3dVector& axis, const ON_3dPoint& center)
{
    Rotation(std::sin(angle), std::cos(angle), axis, center);
}

void ON_Xform::Translation(const ON_3dVector& delta)
{
    Translation(delta.x, delta.y, delta.z);
}

void ON_Xform::Translation(double dx, double dy, double dz)
{
    *this = ON_Xform(1.0);
    m_xform[0][3] = dx;
    m_xform[1][3] = dy;
    m_xform[2][3] = dz;
}
