// Temporary bodies: faces are collected until the body is made.
#include "Call.h"
#include "Facets.h"

namespace sim
{
HRESULT TemporaryBodyFacet::AddPlanarFace(int n, const double* points, const double* normal)
{
    SIM_CALL(call, "AddPlanarFace");
    const int pointCount = n == 3 || n == 4 ? n : 0;
    call.Arg(n).Doubles(points, 3L * pointCount).Doubles(normal, 3);
    if (call.Failed())
        return call.Done();
    if (pointCount == 0 || !points || !normal)
        return call.Done(E_INVALIDARG);
    ++pending.planarFaceCount;
    if (!m_host.lean)
    {
        PlanarFace face{pointCount, {}, {normal[0], normal[1], normal[2]}};
        for (int i = 0; i < 3 * pointCount; ++i)
            face.points[size_t(i)] = points[i];
        pending.planarFaces.push_back(face);
    }
    return call.Done(S_OK);
}

HRESULT TemporaryBodyFacet::MakeBody(IBody** body)
{
    SIM_CALL(call, "MakeBody");
    *body = nullptr;
    if (call.Failed())
        return call.Done();
    // The host makes a body of whatever it was given, an empty one included.
    DetachSurfaces();
    auto made = std::make_unique<Body>(std::move(pending));
    pending = Body();
    made->number = ++m_host.model.bodiesMade;
    made->name = L"Body" + std::to_wstring(m_document.bodies.size() + 1);
    Body& kept = *made;
    m_document.bodies.push_back(std::move(made));
    call.OutObject(body, EntityFacet<BodyFacet>(m_host, "body" + std::to_string(kept.number), kept));
    return call.Done(S_OK);
}
} // namespace sim
