// A mesh into one solid body of planar faces.
#include "NVKSWON.h"

#include "MeshChecks.h"

#include "NVKProgress.h"

// The vertex widened to double, then scaled; the order matters for exactness.
static void StorePoint(const ON_3dPoint& point, double factor, double* xyz)
{
    xyz[0] = point.x * factor;
    xyz[1] = point.y * factor;
    xyz[2] = point.z * factor;
}

int NVKSWON::CreateSolidFromMesh(IPartDoc* pPart, ON_Mesh& mesh, double factor, int progress)
{
    if (!MeshFacesInRange(mesh))
    {
        m_strError = kMeshIndexError;
        return 0;
    }

    ITemporaryBody* pBody = NULL;
    HRESULT hr = pPart->CreateTemporaryBody(&pBody);
    if (hr != S_OK || pBody == NULL)
    {
        m_strError = L"Unable to create new body";
        return 0;
    }

    NVKProgress progressWindow(L"Creating solid", L"", 0.0, 100.0, NULL);
    const int faceCount = mesh.FaceCount();
    if (progress)
    {
        progressWindow.SetMax((double)faceCount);
        progressWindow.StartProgress();
    }

    double points[12];
    for (int fi = 0; fi < faceCount; fi++)
    {
        if (progress)
            progressWindow.StepIt(1.0);
        const ON_MeshFace& face = mesh.m_F[fi];
        const ON_3dPoint p0(mesh.m_V[face.vi[0]]);
        const ON_3dPoint p1(mesh.m_V[face.vi[1]]);
        const ON_3dPoint p2(mesh.m_V[face.vi[2]]);
        // The unit normal of the first three points; (0, 0, 0) when they span no plane.
        ON_3dVector normal;
        normal.PerpendicularTo(p0, p1, p2);
        StorePoint(p0, factor, points);
        StorePoint(p1, factor, points + 3);
        StorePoint(p2, factor, points + 6);
        int n = 3;
        if (face.vi[2] != face.vi[3])
        {
            StorePoint(ON_3dPoint(mesh.m_V[face.vi[3]]), factor, points + 9);
            n = 4;
        }
        const double normalXyz[3] = {normal.x, normal.y, normal.z};
        pBody->AddPlanarFace(n, points, normalXyz);
    }

    if (progress)
        progressWindow.SetStatus(L"Creating body from surfaces. This may take several minutes...");
    IBody* pMadeBody = NULL;
    int result = 1;
    hr = pBody->MakeBody(&pMadeBody);
    if (hr != S_OK)
    {
        m_strError = L"Unable to create body from surfaces";
        result = 0;
    }
    if (pMadeBody)
        pMadeBody->Release();
    if (progress)
        progressWindow.EndProgress();
    pBody->Release();
    return result;
}
