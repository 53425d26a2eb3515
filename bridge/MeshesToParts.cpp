// Meshes into new part documents.
#include "NVKSWON.h"

#include "NVKMesh.h"

int NVKSWON::CreatePartFromMeshes(ISldWorks* pApp, ON_ClassArray<ON_Mesh>& meshes, int unit, int mode,
                                  int multiBody, int progress)
{
    if (!multiBody)
    {
        for (int i = 0; i < meshes.Count(); i++)
        {
            if (!CreatePartFromMesh(pApp, meshes[i], unit, mode, progress))
                return 0;
        }
        return 1;
    }

    IPartDoc* pPart;
    IModelDoc* pDoc;
    if (!OpenNewPart(pApp, L"Unable to create part", &pPart, &pDoc))
        return 0;

    pDoc->PrepareFirst(1);
    pDoc->PrepareSecond(0);
    double factor = 1.0;
    SetDocumentUnits(pDoc, unit, &factor);
    if (mode == ImportAs3DSketch)
        pDoc->ToggleSketch3D(0);

    // One working copy serves every mesh of the solid road.
    ON_Mesh workingMesh;
    int result = 1;
    for (int i = 0; i < meshes.Count() && result; i++)
    {
        if (mode == ImportAsSolid)
        {
            workingMesh = meshes[i];
            NVKMesh::BreakQuads(workingMesh, 1, NULL);
            result = CreateSolidFromMesh(pPart, workingMesh, factor, progress);
        }
        else if (mode == ImportAs3DSketch)
            result = CreateSketchFromMesh(pDoc, meshes[i], factor, progress);
    }

    CloseNewPart(pPart, pDoc, mode == ImportAs3DSketch);
    return result;
}

int NVKSWON::CreatePartFromMesh(ISldWorks* pApp, const ON_Mesh& mesh, int unit, int mode, int progress)
{
    IPartDoc* pPart;
    IModelDoc* pDoc;
    if (!OpenNewPart(pApp, L"Unable to create new part", &pPart, &pDoc))
        return 0;

    pDoc->PrepareFirst(1);
    pDoc->PrepareSecond(0);
    double factor = 1.0;
    SetDocumentUnits(pDoc, unit, &factor);
    if (mode == ImportAs3DSketch)
        pDoc->ToggleSketch3D(0);

    int result = 1;
    if (mode == ImportAsSolid)
    {
        ON_Mesh workingMesh(mesh);
        NVKMesh::BreakQuads(workingMesh, 1, NULL);
        result = CreateSolidFromMesh(pPart, workingMesh, factor, progress);
    }
    else if (mode == ImportAs3DSketch)
        result = CreateSketchFromMesh(pDoc, mesh, factor, progress);

    CloseNewPart(pPart, pDoc, mode == ImportAs3DSketch);
    return result;
}
