// A NURBS surface into one body, alone or closed below by a slab of walls and a bottom.
#include "NVKSWON.h"

#include "NurbsChecks.h"

// Top and bottom edges by side, in the order south, east, north, west; vertical edge k stands
// at the corner where edge k starts or ends, so the verticals run SW, SE, NE, NW.
enum SlabSide
{
    South,
    East,
    North,
    West,
    SideCount
};

// The NURBS form of a new curve, which is deleted; an empty curve when there is none.
static void TakeNurbForm(ON_Curve* pCurve, ON_NurbsCurve& nurbs)
{
    if (pCurve)
        pCurve->GetNurbForm(nurbs, 0.0, NULL);
    delete pCurve;
}

static void LineNurbForm(const ON_3dPoint& from, const ON_3dPoint& to, ON_NurbsCurve& nurbs)
{
    ON_LineCurve lineCurve;
    lineCurve = ON_Line(from, to);
    lineCurve.GetNurbForm(nurbs, 0.0, NULL);
}

int NVKSWON::CreateSolidFromSurface(IPartDoc* pPart, const ON_NurbsSurface& surface, double thickness,
                                    int flatBottom, double scale)
{
    ITemporaryBody* pBody = NULL;
    if (pPart->CreateTemporaryBody(&pBody) != S_OK || !pBody)
    {
        m_strError = L"Unable to create new body";
        return 0;
    }

    const ON_ClassArray<ON_NurbsCurve> noLoop;
    int result = CreateSurface(pBody, surface, noLoop, scale);
    if (result)
    {
        // NaN is not above 0 either.
        if (thickness > 0.0)
            CreateSlabSurfaces(pBody, surface, thickness, flatBottom, scale);
        IBody* pMadeBody = NULL;
        if (pBody->MakeBody(&pMadeBody) != S_OK)
        {
            m_strError = L"Unable to create body from surface";
            result = 0;
        }
        if (pMadeBody)
            pMadeBody->Release();
    }
    pBody->Release();
    return result;
}

int NVKSWON::CreateSlabSurfaces(ITemporaryBody* pBody, const ON_NurbsSurface& surface, double thickness,
                                int flatBottom, double scale)
{
    if (!NurbsSurfaceReadable(surface))
    {
        m_strError = L"Invalid nurbs surface";
        return 0;
    }
    const ON_Interval u = surface.Domain(0);
    const ON_Interval v = surface.Domain(1);

    // South and north run along u (SW to SE, NW to NE), east and west along v (SE to NE, SW to NW).
    ON_NurbsCurve top[SideCount];
    TakeNurbForm(surface.IsoCurve(0, v.Min()), top[South]);
    TakeNurbForm(surface.IsoCurve(1, u.Max()), top[East]);
    TakeNurbForm(surface.IsoCurve(0, v.Max()), top[North]);
    TakeNurbForm(surface.IsoCurve(1, u.Min()), top[West]);

    const ON_3dVector down(0.0, 0.0, -thickness);
    const double zmin = surface.BoundingBox().m_min.z;
    ON_NurbsCurve bottom[SideCount];
    for (int side = 0; side < SideCount; ++side)
    {
        if (flatBottom)
        {
            const ON_3dPoint start = top[side].PointAtStart();
            const ON_3dPoint end = top[side].PointAtEnd();
            LineNurbForm(ON_3dPoint(start.x, start.y, zmin), ON_3dPoint(end.x, end.y, zmin), bottom[side]);
        }
        else
            bottom[side] = top[side];
        bottom[side].Translate(down);
    }

    // Each corner's vertical runs down from where its edge starts (SW, SE) or ends (NE, NW).
    ON_NurbsCurve vertical[SideCount];
    for (int corner = 0; corner < SideCount; ++corner)
    {
        const bool atEnd = corner == North || corner == West;
        const ON_NurbsCurve& upper = top[corner];
        const ON_NurbsCurve& lower = bottom[corner];
        LineNurbForm(atEnd ? upper.PointAtEnd() : upper.PointAtStart(),
                     atEnd ? lower.PointAtEnd() : lower.PointAtStart(), vertical[corner]);
    }

    // Wall k: its top edge, the vertical at its first corner, its bottom edge, the vertical at the
    // next corner; the normals point out of a height field whose u runs along +x and v along +y.
    const ON_3dVector wallNormals[SideCount] = {ON_3dVector(0, -1, 0), ON_3dVector(1, 0, 0),
                                                ON_3dVector(0, 1, 0), ON_3dVector(-1, 0, 0)};
    ON_ClassArray<ON_NurbsCurve> loop;
    for (int side = 0; side < SideCount; ++side)
    {
        loop.Empty();
        loop.Append(top[side]);
        loop.Append(vertical[side]);
        loop.Append(bottom[side]);
        loop.Append(vertical[(side + 1) % SideCount]);
        const ON_PlaneSurface wall(ON_Plane(top[side].PointAtStart(), wallNormals[side]));
        if (!CreateSurface(pBody, wall, loop, scale))
            return 0;
    }

    if (flatBottom)
    {
        loop.Empty();
        for (int side = 0; side < SideCount; ++side)
            loop.Append(bottom[side]);
        const ON_PlaneSurface flat(ON_Plane(bottom[South].PointAtStart(), ON_3dVector(0, 0, -1)));
        return CreateSurface(pBody, flat, loop, scale);
    }
    ON_NurbsSurface lowered(surface);
    lowered.Translate(down);
    loop.Empty();
    return CreateSurface(pBody, lowered, loop, scale);
}
