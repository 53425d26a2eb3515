// Vector functions of the geometry library.
#pragma once

#include "opennurbs.h"

class NVKVector
{
public:
    // The angle in radians, in [0, 2pi), that turns `from` into `to` counter-clockwise about
    // `normal` (right-hand rule); both vectors are seen along the normal, so any part of them along
    // it is ignored. 0 when either vector has no direction across the normal, or the normal is
    // zero. `mode` is reserved: pass 0.
    static double Angle(const ON_3dVector& from, const ON_3dVector& to, const ON_3dVector& normal, int mode);
};
