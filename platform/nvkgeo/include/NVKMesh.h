// Mesh functions of the geometry library.
#pragma once

#include "opennurbs.h"

class NVKMesh
{
public:
    // Splits every quadrilateral face into two triangles in place: (a, b, c, d) becomes
    // (a, b, c) and (a, c, d), the second right after the first. Triangles stay as they are.
    // `mode` and `splitCount` are reserved (pass 1 and null); returns the number of quads split.
    static int BreakQuads(ON_Mesh& mesh, int mode, int* splitCount);
};
