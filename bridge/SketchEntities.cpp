// openNURBS points and curves into entities of the open 3D sketch.
#include "NVKSWON.h"

#include "HostNurbsArrays.h"
#include "NurbsChecks.h"

#include "NVKCurve.h"
#include "NVKNurbsCurve.h"
#include "NVKProgress.h"

#include <memory>
#include <vector>

// The sketch operations hand back the entity they made; the bridge has no use for it.
template <class Entity> static void ReleaseEntity(Entity* pEntity)
{
    if (pEntity)
        pEntity->Release();
}

static HRESULT AddSketchLine(IModelDoc* pDoc, const ON_3dPoint& from, const ON_3dPoint& to, double scale)
{
    ISketchSegment* pLine = NULL;
    HRESULT hr = pDoc->CreateSketchLine(from.x * scale, from.y * scale, from.z * scale, to.x * scale,
                                        to.y * scale, to.z * scale, &pLine);
    ReleaseEntity(pLine);
    return hr;
}

int NVKSWON::CreateSketchPoint(IModelDoc* pDoc, const ON_3dPoint& point, double scale)
{
    ISketchPoint* pPoint = NULL;
    HRESULT hr = pDoc->CreateSketchPoint(point.x * scale, point.y * scale, point.z * scale, &pPoint);
    ReleaseEntity(pPoint);
    return hr;
}

int NVKSWON::CreateSketchLine(IModelDoc* pDoc, const ON_Line& line, double scale)
{
    return AddSketchLine(pDoc, line.from, line.to, scale) == S_OK ? 1 : 0;
}

int NVKSWON::CreateSketchPoints(IModelDoc* pDoc, const ON_3dPointArray& points, double scale, int progress)
{
    NVKProgress progressWindow(L"Creating points", L"", 0.0, 100.0, NULL);
    if (progress)
    {
        progressWindow.SetMax((double)points.Count());
        progressWindow.StartProgress();
    }
    for (int i = 0; i < points.Count(); i++)
    {
        if (progress)
            progressWindow.StepIt(1.0);
        CreateSketchPoint(pDoc, points[i], scale);
    }
    if (progress)
        progressWindow.EndProgress();
    return 1;
}

int NVKSWON::CreateSketchPolyline(IModelDoc* pDoc, const ON_Polyline& polyline, double scale)
{
    for (int i = 0; i + 1 < polyline.PointCount(); i++)
    {
        if (AddSketchLine(pDoc, polyline[i], polyline[i + 1], scale) != S_OK)
            return 0;
    }
    return 1;
}

int NVKSWON::CreateSketchSpline(IModelDoc* pDoc, const ON_3dPointArray& points, double scale)
{
    const int count = points.Count();
    std::unique_ptr<double[]> xyz(new double[3 * count]);
    for (int i = 0; i < count; i++)
    {
        xyz[3 * i] = points[i].x * scale;
        xyz[3 * i + 1] = points[i].y * scale;
        xyz[3 * i + 2] = points[i].z * scale;
    }
    ISketchSegment* pSpline = NULL;
    HRESULT hr = pDoc->CreateSketchSpline(count, xyz.get(), &pSpline);
    ReleaseEntity(pSpline);
    return hr == S_OK ? 1 : 0;
}

int NVKSWON::CreateSketchNurbsCurve(IModelDoc* pDoc, const ON_NurbsCurve& curve, double scale)
{
    // A curve that cannot be read would take the arrays below out of bounds or divide by a weight of 0.
    if (!NurbsCurveReadable(curve))
        return 0;
    if (curve.IsClosed())
    {
        ON_3dPointArray points;
        NVKNurbsCurve::GetPoints(curve, points, 15.0);
        return CreateSketchSpline(pDoc, points, scale);
    }

    const LONG properties[4] = {3, curve.m_order, curve.CVCount(), curve.IsPeriodic() ? 1 : 0};
    std::vector<double> knots;
    AppendHostKnots(curve, knots);
    std::vector<double> controlPoints;
    AppendHostControlPoints(curve, scale, controlPoints);
    ISketchSegment* pSpline = NULL;
    HRESULT hr = pDoc->CreateSketchBSpline(properties, knots.data(), controlPoints.data(), &pSpline);
    ReleaseEntity(pSpline);
    return hr == S_OK ? 1 : 0;
}

int NVKSWON::CreateSketchArc(IModelDoc* pDoc, const ON_Arc& arc, double scale)
{
    // The host draws circles and arcs only in the plane z = 0; the test samples the whole circle.
    if (!arc.IsInPlane(ON_xy_plane, 1e-12))
    {
        ON_NurbsCurve nurbs;
        arc.GetNurbForm(nurbs);
        return CreateSketchNurbsCurve(pDoc, nurbs, scale);
    }

    const ON_3dPoint center = arc.Center();
    ISketchSegment* pSegment = NULL;
    HRESULT hr;
    if (arc.IsCircle())
        hr = pDoc->CreateSketchCircle(center.x * scale, center.y * scale, center.z * scale,
                                      arc.Radius() * scale, &pSegment);
    else
    {
        const short direction = arc.Normal().z > 0.0 ? 1 : -1;
        const ON_3dPoint start = arc.StartPoint();
        const ON_3dPoint end = arc.EndPoint();
        hr = pDoc->CreateSketchArc(center.x * scale, center.y * scale, center.z * scale, start.x * scale,
                                   start.y * scale, start.z * scale, end.x * scale, end.y * scale,
                                   end.z * scale, direction, &pSegment);
    }
    ReleaseEntity(pSegment);
    return hr == S_OK ? 1 : 0;
}

int NVKSWON::CreateSketchCurves(IModelDoc* pDoc, const ON_ClassArray<ON_NurbsCurve>& curves, double scale,
                                int progress)
{
    // One of each shape serves every curve: the tests write the whole shape when they answer 1.
    ON_Line line;
    ON_Arc arc;
    ON_Polyline polyline;
    NVKProgress progressWindow(L"Creating curves", L"", 0.0, 100.0, NULL);
    if (progress)
    {
        progressWindow.SetMax((double)curves.Count());
        progressWindow.StartProgress();
    }
    for (int i = 0; i < curves.Count(); i++)
    {
        if (progress)
            progressWindow.StepIt(1.0);
        const ON_NurbsCurve& curve = curves[i];
        if (NVKCurve::IsLine(&curve, line) == 1)
            AddSketchLine(pDoc, line.from, line.to, scale);
        else if (NVKCurve::IsArc(&curve, arc) == 1)
            CreateSketchArc(pDoc, arc, scale);
        else if (NVKCurve::IsPolyline(&curve, polyline) == 1)
            CreateSketchPolyline(pDoc, polyline, scale);
        else
            CreateSketchNurbsCurve(pDoc, curve, scale);
    }
    if (progress)
        progressWindow.EndProgress();
    return 1;
}
