// Surfaces on temporary bodies: B-spline and planar surfaces, their trimming loops and bounds.
// The sizes of the arrays come from the counts the caller hands over with them.
#include "Call.h"
#include "Facets.h"

#include <algorithm>

namespace sim
{
static long NonNegative(long value)
{
    return value > 0 ? value : 0;
}

template <class T>
static std::vector<T> Copied(const T* values, long count)
{
    return values ? std::vector<T>(values, values + count) : std::vector<T>();
}

static long Sum(const LONG* values, long count)
{
    long sum = 0;
    for (long i = 0; values && i < count; ++i)
        sum += NonNegative(values[i]);
    return sum;
}

TemporaryBodyFacet::~TemporaryBodyFacet()
{
    DetachSurfaces();
}

void TemporaryBodyFacet::DetachSurfaces()
{
    for (HostSurfaceFacet* surface : surfaceFacets)
        surface->Detach();
    surfaceFacets.clear();
}

HostSurfaceFacet::HostSurfaceFacet(HostState& host, const std::string& name, TemporaryBodyFacet& body, size_t index)
    : Facet(host, name), m_body(&body), m_index(index)
{
    body.surfaceFacets.push_back(this);
}

HostSurfaceFacet::~HostSurfaceFacet()
{
    if (m_body)
        std::erase(m_body->surfaceFacets, this);
}

// Adds the surface to the body and hands it out, unless the call was made to fail.
static HRESULT AddSurface(HostState& host, TemporaryBodyFacet& body, Call& call, HostSurface&& surface,
                          IHostSurface** out)
{
    body.pending.surfaces.push_back(std::move(surface));
    const size_t index = body.pending.surfaces.size() - 1;
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    call.OutObject(out, new HostSurfaceFacet(host, host.NextName("surface"), body, index));
    return call.Done(S_OK);
}

HRESULT TemporaryBodyFacet::CreateBSplineSurface(const LONG* properties, const double* uKnots, const double* vKnots,
                                                 const double* controlPoints, IHostSurface** surface)
{
    SIM_CALL(call, "CreateBSplineSurface");
    *surface = nullptr;
    // order u, order v, count v, count u, periodic u, periodic v, dimension, 0
    const long uKnotCount = properties ? NonNegative(properties[0] + properties[3]) : 0;
    const long vKnotCount = properties ? NonNegative(properties[1] + properties[2]) : 0;
    const long coordinateCount =
        properties ? NonNegative(properties[6]) * NonNegative(properties[2]) * NonNegative(properties[3]) : 0;
    call.Longs(properties, 8)
        .Doubles(uKnots, uKnotCount)
        .Doubles(vKnots, vKnotCount)
        .Doubles(controlPoints, coordinateCount);
    if (call.Failed())
        return call.Done();
    if (!properties || !uKnots || !vKnots || !controlPoints)
        return call.Done(E_INVALIDARG);
    HostSurface made;
    if (!m_host.lean)
    {
        made.properties = Copied(properties, 8);
        made.uKnots = Copied(uKnots, uKnotCount);
        made.vKnots = Copied(vKnots, vKnotCount);
        made.controlPoints = Copied(controlPoints, coordinateCount);
    }
    return AddSurface(m_host, *this, call, std::move(made), surface);
}

HRESULT TemporaryBodyFacet::CreatePlanarSurface(const double* rootPoint, const double* normal, IHostSurface** surface)
{
    SIM_CALL(call, "CreatePlanarSurface");
    *surface = nullptr;
    call.Doubles(rootPoint, 3).Doubles(normal, 3);
    if (call.Failed())
        return call.Done();
    if (!rootPoint || !normal)
        return call.Done(E_INVALIDARG);
    HostSurface made;
    made.planar = true;
    if (!m_host.lean)
    {
        made.rootPoint = Copied(rootPoint, 3);
        made.normal = Copied(normal, 3);
    }
    return AddSurface(m_host, *this, call, std::move(made), surface);
}

// The flag answers for the surface made last: 1 when a trimming loop was added to it. A call
// made to come back without its object answers 0, the host's way of refusing the trim.
HRESULT TemporaryBodyFacet::IsSurfaceTrimmed(short* trimmed)
{
    SIM_CALL(call, "IsSurfaceTrimmed");
    if (call.Failed())
        return call.Done();
    const bool hasLoop = !pending.surfaces.empty() && !pending.surfaces.back().loops.empty();
    *trimmed = short(hasLoop && !call.WithoutObject() ? 1 : 0);
    call.OutValue(long(*trimmed));
    return call.Done(S_OK);
}

HRESULT TemporaryBodyFacet::BoundSurface(LONG a, LONG b, const double* bounds)
{
    SIM_CALL(call, "BoundSurface");
    call.Arg(long(a)).Arg(long(b)).Doubles(bounds, 4);
    if (call.Failed())
        return call.Done();
    if (pending.surfaces.empty() || !bounds)
        return call.Done(E_FAIL);
    pending.surfaces.back().bounds = Copied(bounds, 4);
    return call.Done(S_OK);
}

HRESULT HostSurfaceFacet::AddTrimmingLoop(LONG count, const LONG* orders, const LONG* dimensions, const LONG* periodic,
                                          const LONG* knotCounts, const LONG* controlPointCounts, const double* knots,
                                          const double* controlPoints, const double* reserved)
{
    SIM_CALL(call, "AddTrimmingLoop");
    const long curves = NonNegative(count);
    const long knotTotal = Sum(knotCounts, curves);
    const long coordinateTotal = 3 * Sum(controlPointCounts, curves);
    call.Arg(long(count))
        .Longs(orders, curves)
        .Longs(dimensions, curves)
        .Longs(periodic, curves)
        .Longs(knotCounts, curves)
        .Longs(controlPointCounts, curves)
        .Doubles(knots, knotTotal)
        .Doubles(controlPoints, coordinateTotal)
        .Doubles(reserved, 0);
    if (call.Failed())
        return call.Done();
    // A surface whose body was made or released can no longer be trimmed.
    if (!m_body)
        return call.Done(E_FAIL);
    if (curves == 0 || !orders || !dimensions || !periodic || !knotCounts || !controlPointCounts || !knots ||
        !controlPoints)
        return call.Done(E_INVALIDARG);
    HostSurface::Loop loop;
    if (!m_host.lean)
        loop = {Copied(orders, curves),     Copied(dimensions, curves),         Copied(periodic, curves),
                Copied(knotCounts, curves), Copied(controlPointCounts, curves), Copied(knots, knotTotal),
                Copied(controlPoints, coordinateTotal)};
    m_body->pending.surfaces.at(m_index).loops.push_back(std::move(loop));
    return call.Done(S_OK);
}
} // namespace sim
