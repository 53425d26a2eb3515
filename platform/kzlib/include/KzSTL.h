// The STL file library: reads the meshes of an STL file, ASCII or binary.
#pragma once

#include "afxstr.h"
#include "opennurbs.h"

class KzSTL
{
public:
    // Appends the file's meshes to the array and returns non-zero; a file without facets
    // appends none. Each mesh has its distinct vertices in m_V and one triangle (a, b, c, c)
    // per facet in m_F, in file order, in the file's own unit. Returns 0 when the file cannot be
    // read, leaving the array as it was; GetError then says why.
    static int STLToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes);

    // Why the last STLToMesh failed, naming the file; empty after a success.
    static CString GetError();
};
