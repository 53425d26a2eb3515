// openNURBS surfaces into surfaces of a temporary body, trimmed by a loop or bounded.
#include "NVKSWON.h"

#include "HostNurbsArrays.h"
#include "NurbsChecks.h"

#include <vector>

int NVKSWON::CreateSurface(ITemporaryBody* pBody, const ON_Surface& surface,
                           const ON_ClassArray<ON_NurbsCurve>& loop, double scale)
{
    IHostSurface* pSurface = NULL;
    int result = 0;
    if (const ON_PlaneSurface* pPlane = ON_PlaneSurface::Cast(&surface))
        result = CreatePlaneSurface(pBody, &pSurface, *pPlane, scale);
    else if (const ON_NurbsSurface* pNurbs = ON_NurbsSurface::Cast(&surface))
        result = CreateNurbsSurface(pBody, &pSurface, *pNurbs, scale);
    else
        m_strError = L"Unsupported surface type";
    if (!result)
        return 0;

    if (loop.Count() > 0)
    {
        result = AddTrimmingLoop(pSurface, loop, scale);
        if (result)
        {
            short trimmed = 0;
            const HRESULT hr = pBody->IsSurfaceTrimmed(&trimmed);
            if (hr != S_OK || !trimmed)
            {
                m_strError = L"Unable to create trimmed surface";
                result = 0;
            }
        }
    }
    else
    {
        // Parameters, so not scaled.
        const ON_Interval u = surface.Domain(0);
        const ON_Interval v = surface.Domain(1);
        const double bounds[4] = {u.Min(), u.Max(), v.Min(), v.Max()};
        if (pBody->BoundSurface(1, 1, bounds) != S_OK)
        {
            m_strError = L"Unable to create bounded surface";
            result = 0;
        }
    }
    pSurface->Release();
    return result;
}

// 1 when the host made the surface and handed it out; otherwise the matching text and 0.
static int CheckNewSurface(HRESULT hr, const IHostSurface* pSurface, CString& error,
                           const wchar_t* failedText, const wchar_t* missingText)
{
    if (hr != S_OK)
    {
        error = failedText;
        return 0;
    }
    if (!pSurface)
    {
        error = missingText;
        return 0;
    }
    return 1;
}

int NVKSWON::CreateNurbsSurface(ITemporaryBody* pBody, IHostSurface** ppSurface,
                                const ON_NurbsSurface& surface, double scale)
{
    *ppSurface = NULL;
    if (!NurbsSurfaceReadable(surface))
    {
        m_strError = L"Invalid nurbs surface";
        return 0;
    }
    const int uCount = surface.CVCount(0);
    const int vCount = surface.CVCount(1);
    // Orders u then v, but counts v then u; 3 and 0 are the host's fixed entries.
    const LONG properties[8] = {surface.Order(0),
                                surface.Order(1),
                                vCount,
                                uCount,
                                surface.IsPeriodic(0) ? 1 : 0,
                                surface.IsPeriodic(1) ? 1 : 0,
                                3,
                                0};
    std::vector<double> uKnots, vKnots, controlPoints;
    uKnots.reserve(size_t(surface.Order(0) + uCount));
    vKnots.reserve(size_t(surface.Order(1) + vCount));
    controlPoints.reserve(3 * size_t(uCount) * size_t(vCount));
    AppendHostKnots(surface, 0, uKnots);
    AppendHostKnots(surface, 1, vKnots);
    AppendHostControlPoints(surface, scale, controlPoints);

    const HRESULT hr = pBody->CreateBSplineSurface(properties, uKnots.data(), vKnots.data(),
                                                   controlPoints.data(), ppSurface);
    return CheckNewSurface(hr, *ppSurface, m_strError, L"Unable to create nurbs surface",
                           L"Unable to create valid nurbs surface");
}

int NVKSWON::CreatePlaneSurface(ITemporaryBody* pBody, IHostSurface** ppSurface,
                                const ON_PlaneSurface& surface, double scale)
{
    *ppSurface = NULL;
    const ON_Plane& plane = surface.m_plane;
    const double rootPoint[3] = {plane.origin.x * scale, plane.origin.y * scale, plane.origin.z * scale};
    const double normal[3] = {plane.zaxis.x, plane.zaxis.y, plane.zaxis.z};
    const HRESULT hr = pBody->CreatePlanarSurface(rootPoint, normal, ppSurface);
    return CheckNewSurface(hr, *ppSurface, m_strError, L"Unable to create plane surface",
                           L"Unable to create valid plane surface");
}

int NVKSWON::AddTrimmingLoop(IHostSurface* pSurface, const ON_ClassArray<ON_NurbsCurve>& loop, double scale)
{
    const int n = loop.Count();
    if (n < 1)
    {
        m_strError = L"Unable to add trimming loop";
        return 0;
    }
    for (int k = 0; k < n; ++k)
    {
        if (!NurbsCurveReadable(loop[k]))
        {
            m_strError = L"Invalid trimming loop curve";
            return 0;
        }
    }

    std::vector<LONG> orders(n), dimensions(n), periodic(n), knotCounts(n), controlPointCounts(n);
    size_t knotTotal = 0;
    size_t controlPointTotal = 0;
    for (int k = 0; k < n; ++k)
    {
        const ON_NurbsCurve& curve = loop[k];
        orders[k] = curve.Order();
        dimensions[k] = 3;
        periodic[k] = curve.IsPeriodic() ? 1 : 0;
        controlPointCounts[k] = curve.CVCount();
        knotCounts[k] = curve.Order() + curve.CVCount();
        knotTotal += size_t(knotCounts[k]);
        controlPointTotal += size_t(controlPointCounts[k]);
    }
    // The host takes the loop's first curve with a negative dimension.
    dimensions[0] = -3;

    std::vector<double> knots, controlPoints;
    knots.reserve(knotTotal);
    controlPoints.reserve(3 * controlPointTotal);
    for (int k = 0; k < n; ++k)
    {
        AppendHostKnots(loop[k], knots);
        AppendHostControlPoints(loop[k], scale, controlPoints);
    }

    if (pSurface->AddTrimmingLoop(n, orders.data(), dimensions.data(), periodic.data(), knotCounts.data(),
                                  controlPointCounts.data(), knots.data(), controlPoints.data(),
                                  NULL) != S_OK)
    {
        m_strError = L"Unable to add trimming loop";
        return 0;
    }
    return 1;
}
