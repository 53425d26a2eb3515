// Surfaces and breps as wireframes of curves in the open 3D sketch.
#include "NVKSWON.h"

#include "NurbsChecks.h"
#include "SketchFromEach.h"

#include "NVKBrep.h"

// The NURBS form of the surface's iso-curve of direction dir at c (dir 0: the first parameter
// varies), added to the grid. `nurbs` is the caller's scratch curve.
static void AppendIsoCurve(const ON_NurbsSurface& surface, int dir, double c, ON_NurbsCurve& nurbs,
                           ON_ClassArray<ON_NurbsCurve>& grid)
{
    ON_Curve* pIsoCurve = surface.IsoCurve(dir, c);
    if (pIsoCurve == NULL)
        return;
    pIsoCurve->GetNurbForm(nurbs, 0.0, NULL);
    grid.Append(nurbs);
    delete pIsoCurve;
}

// The iso-curves of direction dir, at parameters of the other direction from the start of its
// domain, growing by repeated addition of its length over its control-point count while below
// its end, then one at the end.
static void AppendIsoCurveFamily(const ON_NurbsSurface& surface, int dir, ON_NurbsCurve& nurbs,
                                 ON_ClassArray<ON_NurbsCurve>& grid)
{
    const int stepped = 1 - dir;
    const ON_Interval domain = surface.Domain(stepped);
    const double step = domain.Length() / surface.CVCount(stepped);
    for (double c = domain[0]; c < domain[1];)
    {
        AppendIsoCurve(surface, dir, c, nurbs, grid);
        // A step too small to change the parameter (or none at all) would never reach the end.
        const double next = c + step;
        if (!(next > c))
            break;
        c = next;
    }
    AppendIsoCurve(surface, dir, domain[1], nurbs, grid);
}

int NVKSWON::CreateSketchFromSurface(IModelDoc* pDoc, const ON_NurbsSurface& surface, double scale,
                                     int progress)
{
    ON_NurbsCurve nurbs;
    ON_ClassArray<ON_NurbsCurve> grid;
    // Iso-curves of a surface that cannot be read could not be formed without reading out of bounds.
    if (NurbsSurfaceReadable(surface))
    {
        AppendIsoCurveFamily(surface, 0, nurbs, grid);
        AppendIsoCurveFamily(surface, 1, nurbs, grid);
    }
    return CreateSketchCurves(pDoc, grid, scale, progress);
}

int NVKSWON::CreateSketchFromBrep(IModelDoc* pDoc, const ON_Brep& brep, double scale, int progress)
{
    ON_ClassArray<ON_NurbsCurve> curves;
    NVKBrep::GetEdgeCurves(brep, curves);
    return CreateSketchCurves(pDoc, curves, scale, progress);
}

int NVKSWON::CreateSketchFromSurfaces(IModelDoc* pDoc, const ON_ClassArray<ON_NurbsSurface>& surfaces,
                                      double scale, int progress)
{
    return CreateSketchFromEach(pDoc, surfaces, scale, progress, L"Creating surface curves",
                                CreateSketchFromSurface);
}

int NVKSWON::CreateSketchFromBreps(IModelDoc* pDoc, const ON_ClassArray<ON_Brep>& breps, double scale,
                                   int progress)
{
    return CreateSketchFromEach(pDoc, breps, scale, progress, L"Creating brep curves", CreateSketchFromBrep);
}
