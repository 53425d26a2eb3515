// Bodies read back: their faces with the tessellation, their names, and the part's bodies and
// material values.
#include "Call.h"
#include "ReadbackFacets.h"

#include <algorithm>

namespace sim
{
FacetCore* BodyInterface(HostState& host, Body& body)
{
    return EntityFacet<BodyFacet>(host, "body" + std::to_string(body.number), body);
}

FacetCore* FaceInterface(HostState& host, Body& body, size_t index)
{
    const std::string name = "face" + std::to_string(body.number) + "_" + std::to_string(index + 1);
    return EntityFacet<FaceFacet>(host, name, body, index);
}

HRESULT BodyFacet::GetFirstFace(IFace** face)
{
    SIM_CALL(call, "GetFirstFace");
    *face = nullptr;
    if (call.Failed())
        return call.Done();
    call.OutObject(face, m_body.faceTriangles.empty() ? nullptr : FaceInterface(m_host, m_body, 0));
    return call.Done(S_OK);
}

HRESULT BodyFacet::GetName(BSTR* name)
{
    SIM_CALL(call, "GetName");
    *name = nullptr;
    if (call.Failed())
        return call.Done();
    *name = SysAllocString(m_body.name.c_str());
    call.OutString(*name);
    return call.Done(S_OK);
}

HRESULT FaceFacet::GetTriangleCount(LONG* count)
{
    SIM_CALL(call, "GetTriangleCount");
    if (call.Failed())
        return call.Done();
    *count = LONG(m_body.faceTriangles[m_index].size() / 9);
    call.OutValue(long(*count));
    return call.Done(S_OK);
}

HRESULT FaceFacet::GetTriangles(LONG first, float* corners)
{
    SIM_CALL(call, "GetTriangles");
    call.Arg(long(first));
    if (call.Failed())
        return call.Done();
    // Whole triangles only, as many as the count reported: the caller's buffer holds no more.
    const std::vector<float>& triangles = m_body.faceTriangles[m_index];
    const size_t end = triangles.size() / 9 * 9;
    const size_t start = std::min(end, size_t(first > 0 ? first : 0) * 9);
    std::copy(triangles.begin() + long(start), triangles.begin() + long(end), corners);
    call.OutFloats(corners, long(end - start));
    return call.Done(S_OK);
}

HRESULT FaceFacet::GetNextFace(IFace** face)
{
    SIM_CALL(call, "GetNextFace");
    *face = nullptr;
    if (call.Failed())
        return call.Done();
    const size_t next = m_index + 1;
    call.OutObject(face, next < m_body.faceTriangles.size() ? FaceInterface(m_host, m_body, next) : nullptr);
    return call.Done(S_OK);
}

HRESULT EnumBodiesFacet::Next(ULONG count, IBody** body, ULONG* fetched)
{
    SIM_CALL(call, "Next");
    call.Arg(long(count)).Raw(fetched ? "fetched" : "null");
    *body = nullptr;
    if (fetched)
        *fetched = 0;
    if (call.Failed())
        return call.Done();
    if (m_next >= m_bodies.size())
    {
        call.OutRaw("null");
        return call.Done(S_FALSE);
    }
    call.OutObject(body, BodyInterface(m_host, *m_bodies[m_next++]));
    if (fetched && *body)
        *fetched = 1;
    return call.Done(S_OK);
}

HRESULT EnumerateBodies(HostState& host, Call& call, const std::vector<std::unique_ptr<Body>>& bodies,
                        LONG kind, bool visibleOnly, IEnumBodies** out)
{
    *out = nullptr;
    if (call.Failed())
        return call.Done();
    std::vector<Body*> chosen;
    for (const auto& body : bodies)
        if (body->kind == kind && (body->visible || !visibleOnly))
            chosen.push_back(body.get());
    call.OutObject(out, new EnumBodiesFacet(host, host.NextName("bodies"), std::move(chosen)));
    return call.Done(S_OK);
}

HRESULT WriteMaterialValues(Call& call, const std::optional<MaterialValues>& values, double* out)
{
    if (call.Failed())
        return call.Done();
    if (!values)
        return call.Done(E_FAIL);
    std::copy(values->begin(), values->end(), out);
    call.OutDoubles(out, long(values->size()));
    return call.Done(S_OK);
}

HRESULT PartFacet::GetMaterialValues(double* values)
{
    SIM_CALL(call, "GetMaterialValues");
    return WriteMaterialValues(call, m_document.materialValues, values);
}

HRESULT PartFacet::GetBodies(LONG kind, short visibleOnly, IEnumBodies** bodies)
{
    SIM_CALL(call, "GetBodies");
    call.Arg(long(kind)).Arg(visibleOnly);
    return EnumerateBodies(m_host, call, m_document.bodies, kind, visibleOnly != 0, bodies);
}
} // namespace sim
