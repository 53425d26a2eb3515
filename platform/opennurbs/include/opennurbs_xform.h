#pragma once

#include "opennurbs_point.h"

// A 4x4 homogeneous transform, row-major: m_xform[row][col]. Points are column vectors, so the
// translation is column 3.
class ON_Xform
{
public:
    double m_xform[4][4];

    // The zero matrix with m_xform[3][3] = 1 (not the identity).
    ON_Xform();
    // d on the first three diagonal entries and 1 at [3][3]; ON_Xform(1.0) is the identity.
    explicit ON_Xform(double d);

    double* operator[](int row) { return m_xform[row]; }
    const double* operator[](int row) const { return m_xform[row]; }

    // The point transformed, divided by the homogeneous w when w != 0.
    ON_3dPoint operator*(const ON_3dPoint& p) const;
    // The vector transformed by the upper-left 3x3 block only.
    ON_3dVector operator*(const ON_3dVector& v) const;
    ON_Xform operator*(const ON_Xform& rhs) const;

    void Identity();
    double Determinant() const;

    // Rotation about the axis through center. sin/cos pairs within ON_SQRT_EPSILON of a quarter
    // turn are snapped so that quarter turns are exact; other pairs are normalised or clamped.
    void Rotation(double sin_angle, double cos_angle, ON_3dVector axis, const ON_3dPoint& center);
    void Rotation(double angle, const ON_3dVector& axis, const ON_3dPoint& center);
    void Translation(const ON_3dVector& delta);
    void Translation(double dx, double dy, double dz);
};
