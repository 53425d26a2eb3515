// New documents filled with openNURBS geometry.
#include "NVKSWON.h"

namespace
{
// The document types that CreateDocument makes.
enum NewDocumentType
{
    NewPart = 0,
    NewAssembly = 1,
    NewDrawing = 2,
};
} // namespace

int NVKSWON::CreatePartFromSurface(ISldWorks* pApp, const ON_NurbsSurface& surface, int unit, int mode,
                                   double thickness, int flatBottom, int progress)
{
    IPartDoc* pPart;
    IModelDoc* pDoc;
    if (!OpenNewPart(pApp, L"Unable to create part", &pPart, &pDoc))
        return 0;

    pDoc->PrepareFirst(1);
    double factor = 1.0;
    SetDocumentUnits(pDoc, unit, &factor);
    int result = 1;
    if (mode == ImportAsSolid)
        result = CreateSolidFromSurface(pPart, surface, thickness, flatBottom, factor);
    else if (mode == ImportAs3DSketch)
    {
        pDoc->ToggleSketch3D(0);
        pDoc->PrepareSecond(0);
        result = CreateSketchFromSurface(pDoc, surface, factor, progress);
    }
    CloseNewPart(pPart, pDoc, mode == ImportAs3DSketch);
    return result;
}

int NVKSWON::CreateDocument(ISldWorks* pApp, int type, int unit, const ON_3dPointArray* points,
                            const ON_ClassArray<ON_NurbsCurve>* curves,
                            const ON_ClassArray<ON_NurbsSurface>* surfaces,
                            const ON_ClassArray<ON_Brep>* breps, const ON_ClassArray<ON_Mesh>* meshes,
                            int progress)
{
    // Any other type makes no document: the active one is filled.
    IUnknown* pNewDocument = NULL;
    const wchar_t* failure = NULL;
    if (type == NewPart)
    {
        IPartDoc* pPart = NULL;
        pApp->NewPartDocument(&pPart);
        pNewDocument = pPart;
        failure = L"Unable to create part";
    }
    else if (type == NewAssembly)
    {
        IAssemblyDoc* pAssembly = NULL;
        pApp->NewAssemblyDocument(&pAssembly);
        pNewDocument = pAssembly;
        failure = L"Unable to create assembly";
    }
    else if (type == NewDrawing)
    {
        IDrawingDoc* pDrawing = NULL;
        pApp->NewDrawingDocument(11, 0, 11, 0.0, 0.0, &pDrawing);
        pNewDocument = pDrawing;
        failure = L"Unable to create drawing";
    }
    if (failure && pNewDocument == NULL)
    {
        m_strError = failure;
        return 0;
    }

    IModelDoc* pDoc = NULL;
    pApp->GetActiveDocument(&pDoc);
    if (pDoc == NULL)
    {
        m_strError = L"Unable to retrieve active model";
        if (pNewDocument)
            pNewDocument->Release();
        return 0;
    }

    // Drawings, and documents of other types, take the entities without a 3D sketch.
    const bool sketch3D = type == NewPart || type == NewAssembly;
    pDoc->PrepareFirst(1);
    double factor = 1.0;
    SetDocumentUnits(pDoc, unit, &factor);
    if (sketch3D)
        pDoc->ToggleSketch3D(0);
    pDoc->PrepareSecond(0);
    if (points)
        CreateSketchPoints(pDoc, *points, factor, progress);
    if (curves)
        CreateSketchCurves(pDoc, *curves, factor, progress);
    if (surfaces)
        CreateSketchFromSurfaces(pDoc, *surfaces, factor, progress);
    if (breps)
        CreateSketchFromBreps(pDoc, *breps, factor, progress);
    if (meshes)
        CreateSketchFromMeshes(pDoc, *meshes, factor, progress);
    pDoc->FinishSecond();
    pDoc->FinishFirst();
    if (sketch3D)
        pDoc->ToggleSketch3D(0);
    pDoc->Release();
    if (pNewDocument)
        pNewDocument->Release();
    return 1;
}
