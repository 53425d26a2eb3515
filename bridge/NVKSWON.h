// The geometry bridge: openNURBS geometry into host documents and back. Static functions only;
// a failing function sets the error text and returns 0, and the caller reads it with GetError.
#pragma once

#include "HostUtils.h"

#include "afxwin.h"
#include "opennurbs.h"
#include "sldworks.h"

enum ImportAs
{
    ImportAsSolid = 0,
    ImportAs3DSketch = 1,
};

class NVKSWON : public HostUtils
{
public:
    NVKSWON() {}
    ~NVKSWON() {}

    static CString GetError();
    static void SetError(const CString& error);

    // Meshes into new parts: all into one part (multibody) or one part per mesh; each mesh a solid
    // of planar faces (ImportAsSolid) or its edges as lines of a 3D sketch (ImportAs3DSketch).
    static int CreatePartFromMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, int unit, int mode,
                                    int multiBody, int progress);
    static int CreatePartFromMesh(ISldWorks* pApp, const ON_Mesh& mesh, int unit, int mode, int progress);
    // One body of one planar face per face of a mesh whose quadrilaterals are already split.
    static int CreateSolidFromMesh(IPartDoc* pPart, ON_Mesh& mesh, double factor, int progress);
    // One line per topological edge, into the open 3D sketch. 1, or 0 for a mesh whose faces name
    // vertices it does not have.
    static int CreateSketchFromMesh(IModelDoc* pDoc, const ON_Mesh& mesh, double factor, int progress);
    static int CreateSketchFromMeshes(IModelDoc* pDoc, const ON_ClassArray<ON_Mesh>& meshes, double factor,
                                      int progress);

private:
    static CString m_strError;
};
