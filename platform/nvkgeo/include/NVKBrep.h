// Boundary-representation functions of the geometry library.
#pragma once

#include "opennurbs.h"

class NVKBrep
{
public:
    // Appends the NURBS form of each edge's 3D curve, in edge order, running as the curve runs.
    // An edge without a curve, or whose curve has no NURBS form, adds nothing. Returns the
    // number of curves appended.
    static int GetEdgeCurves(const ON_Brep& brep, ON_ClassArray<ON_NurbsCurve>& curves);
};
