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
    // One line per topological edge, into the open 3D sketch. 1, or 0 for a mesh whose faces or
    // topological edges name vertices it does not have.
    static int CreateSketchFromMesh(IModelDoc* pDoc, const ON_Mesh& mesh, double factor, int progress);
    static int CreateSketchFromMeshes(IModelDoc* pDoc, const ON_ClassArray<ON_Mesh>& meshes, double factor,
                                      int progress);

    // Host geometry back into meshes in metres, triangles only, identical vertices combined. Each
    // mesh appended comes with one name when names is not null ("%s-%s": owner, body); parts and
    // component trees also give each mesh one colour, the single entry of its m_C.
    static int AppendTriangle(ON_Mesh& mesh, const ON_3dPoint& a, const ON_3dPoint& b, const ON_3dPoint& c);
    static int GetMeshFromBody(IBody* pBody, ON_Mesh& mesh);
    static int GetPartMeshes(IPartDoc* pPart, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names,
                             short visibleOnly);
    static int GetComponentMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes,
                                  CStringArray* names);
    // Depth first, each component moved by its own transform; returns the component's child count.
    static int GetComponentTreeMeshes(IComponent* pComponent, ON_ClassArray<ON_Mesh>& meshes,
                                      CStringArray* names);
    // These three start from empty arrays.
    static int GetAssemblyMeshes(IModelDoc* pDoc, IAssemblyDoc* pAssembly, ON_ClassArray<ON_Mesh>& meshes,
                                 CStringArray* names);
    static int GetDocumentMeshes(IModelDoc* pDoc, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names);
    static int GetActiveDocumentMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, CStringArray* names);

private:
    static CString m_strError;
};
