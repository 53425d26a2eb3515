// Mesh edges into lines of the open 3D sketch.
#include "NVKSWON.h"

#include "MeshChecks.h"
#include "SketchFromEach.h"

#include "NVKProgress.h"

int NVKSWON::CreateSketchFromMesh(IModelDoc* pDoc, const ON_Mesh& mesh, double factor, int progress)
{
    if (!MeshFacesInRange(mesh))
    {
        m_strError = kMeshIndexError;
        return 0;
    }

    const ON_MeshTopology& topology = mesh.Topology();
    if (!MeshTopologyInRange(mesh, topology))
    {
        m_strError = kMeshTopologyError;
        return 0;
    }
    NVKProgress progressWindow(L"Creating mesh", L"", 0.0, 100.0, NULL);
    const int edgeCount = topology.m_tope.Count();
    if (progress)
    {
        progressWindow.SetMax((double)edgeCount);
        progressWindow.StartProgress();
    }

    for (int ei = 0; ei < edgeCount; ei++)
    {
        if (progress)
            progressWindow.StepIt(1.0);
        const ON_MeshTopologyEdge& edge = topology.m_tope[ei];
        const ON_3dPoint a(mesh.m_V[topology.m_topv[edge.m_topvi[0]].m_vi[0]]);
        const ON_3dPoint b(mesh.m_V[topology.m_topv[edge.m_topvi[1]].m_vi[0]]);
        ISketchSegment* pLine = NULL;
        pDoc->CreateSketchLine(a.x * factor, a.y * factor, a.z * factor, b.x * factor, b.y * factor,
                               b.z * factor, &pLine);
        if (pLine)
            pLine->Release();
    }

    if (progress)
        progressWindow.EndProgress();
    return 1;
}

int NVKSWON::CreateSketchFromMeshes(IModelDoc* pDoc, const ON_ClassArray<ON_Mesh>& meshes, double factor,
                                    int progress)
{
    return CreateSketchFromEach(pDoc, meshes, factor, progress, L"Creating meshes", CreateSketchFromMesh);
}
