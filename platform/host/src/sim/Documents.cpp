// Documents: their interfaces, unit, sketches and the operations around their content.
#include "Call.h"
#include "Facets.h"

#include "ui/ScriptedDriver.h"

#include <fstream>
#include <type_traits>

namespace sim
{
std::string DocumentPrefix(REFIID iid)
{
    if (IsEqualIID(iid, IID_IModelDoc))
        return "doc";
    if (IsEqualIID(iid, IID_IPartDoc))
        return "part";
    if (IsEqualIID(iid, IID_IAssemblyDoc))
        return "asm";
    if (IsEqualIID(iid, IID_IDrawingDoc))
        return "drw";
    if (IsEqualIID(iid, IID_ITitledModelDoc))
        return "titled";
    return "";
}

FacetCore* DocumentInterface(HostState& host, Document& document, REFIID iid)
{
    const std::string name = DocumentPrefix(iid) + std::to_string(document.number);
    if (IsEqualIID(iid, IID_IModelDoc))
        return EntityFacet<DocumentFacet>(host, name, document);
    if (IsEqualIID(iid, IID_IPartDoc) && document.type == DocumentType::Part)
        return EntityFacet<PartFacet>(host, name, document);
    if (IsEqualIID(iid, IID_IAssemblyDoc) && document.type == DocumentType::Assembly)
        return EntityFacet<AssemblyFacet>(host, name, document);
    if (IsEqualIID(iid, IID_IDrawingDoc) && document.type == DocumentType::Drawing)
        return EntityFacet<DrawingFacet>(host, name, document);
    if (IsEqualIID(iid, IID_ITitledModelDoc) && document.hasTitleInterface)
        return EntityFacet<TitledFacet>(host, name, document);
    return nullptr;
}

template <class Interface>
FacetCore* DocumentFacetBase<Interface>::OtherInterface(REFIID iid)
{
    return DocumentInterface(this->m_host, m_document, iid);
}

template class DocumentFacetBase<IModelDoc>;
template class DocumentFacetBase<IPartDoc>;
template class DocumentFacetBase<IAssemblyDoc>;
template class DocumentFacetBase<IDrawingDoc>;
template class DocumentFacetBase<ITitledModelDoc>;

HRESULT DocumentFacet::SetLengthUnit(LONG unit)
{
    SIM_CALL(call, "SetLengthUnit");
    call.Arg(long(unit));
    if (call.Failed())
        return call.Done();
    m_document.lengthUnit = unit;
    m_document.lengthUnitSet = true;
    return call.Done(S_OK);
}

HRESULT DocumentFacet::GetLengthUnit(LONG* unit)
{
    SIM_CALL(call, "GetLengthUnit");
    if (call.Failed())
        return call.Done();
    *unit = m_document.lengthUnit;
    call.OutValue(long(*unit));
    return call.Done(S_OK);
}

HRESULT DocumentFacet::ToggleSketch3D(LONG flag)
{
    SIM_CALL(call, "ToggleSketch3D");
    call.Arg(long(flag));
    if (call.Failed())
        return call.Done();
    if (m_document.openSketch)
        m_document.openSketch = nullptr;
    else
    {
        m_document.sketches.push_back(std::make_unique<Sketch>());
        m_document.openSketch = m_document.sketches.back().get();
    }
    return call.Done(S_OK);
}

#define SIM_FLAG_OPERATION(method, name)                                                                   \
    HRESULT DocumentFacet::method(LONG flag)                                                               \
    {                                                                                                      \
        SIM_CALL(call, name);                                                                              \
        call.Arg(long(flag));                                                                              \
        return call.Done(S_OK);                                                                            \
    }
#define SIM_PLAIN_OPERATION(method, name)                                                                  \
    HRESULT DocumentFacet::method()                                                                        \
    {                                                                                                      \
        SIM_CALL(call, name);                                                                              \
        return call.Done(S_OK);                                                                            \
    }
SIM_FLAG_OPERATION(PrepareFirst, "PrepareFirst")
SIM_FLAG_OPERATION(PrepareSecond, "PrepareSecond")
SIM_PLAIN_OPERATION(FinishFirst, "FinishFirst")
SIM_PLAIN_OPERATION(FinishSecond, "FinishSecond")
SIM_PLAIN_OPERATION(FinishThird, "FinishThird")
#undef SIM_FLAG_OPERATION
#undef SIM_PLAIN_OPERATION

// A lean host keeps no entities, so it need not make an object for each: one unnamed object of
// each interface serves every point or segment, and lives as long as the host. A sketch of a
// million lines then costs no million objects.
template <class Interface> static FacetCore* LeanSketchEntity(HostState& host, REFIID iid)
{
    FacetCore*& shared =
        std::is_same_v<Interface, ISketchPoint> ? host.leanSketchPoint : host.leanSketchSegment;
    if (!shared)
    {
        shared = new SketchEntityFacet<Interface>(host, std::string(), iid);
        shared->KeepAlive();
    }
    return shared;
}

template <class Interface>
HRESULT DocumentFacet::AddSketchEntity(Call& call, SketchEntity&& entity, Interface** out)
{
    *out = nullptr;
    if (call.Failed())
        return call.Done();
    const SketchEntityKind kind = entity.kind;
    Sketch* sketch = m_document.openSketch;
    if (!sketch)
    {
        if (!m_document.looseSketch)
        {
            m_document.sketches.push_back(std::make_unique<Sketch>());
            m_document.looseSketch = m_document.sketches.back().get();
            m_document.looseSketch->is3D = false;
        }
        sketch = m_document.looseSketch;
    }
    ++sketch->counts[size_t(kind)];
    if (!m_host.lean)
        sketch->entities.push_back(std::move(entity));
    if (!call.WithoutObject())
    {
        static const char* const kinds[] = {"point", "line", "circle", "arc", "spline", "bspline"};
        const IID& iid = kind == SketchEntityKind::Point ? IID_ISketchPoint : IID_ISketchSegment;
        if (m_host.lean)
            call.OutObject(out, LeanSketchEntity<Interface>(m_host, iid));
        else
            call.OutObject(
                out, new SketchEntityFacet<Interface>(m_host, m_host.NextName(kinds[size_t(kind)]), iid));
    }
    else
        call.OutRaw("null");
    return call.Done(S_OK);
}

HRESULT DocumentFacet::CreateSketchPoint(double x, double y, double z, ISketchPoint** point)
{
    SIM_CALL(call, "CreateSketchPoint");
    call.Arg(x).Arg(y).Arg(z);
    SketchEntity entity{SketchEntityKind::Point, {}, {}};
    if (!m_host.lean)
        entity.values = {x, y, z};
    return AddSketchEntity(call, std::move(entity), point);
}

HRESULT DocumentFacet::CreateSketchLine(double x1, double y1, double z1, double x2, double y2, double z2,
                                        ISketchSegment** line)
{
    SIM_CALL(call, "CreateSketchLine");
    call.Arg(x1).Arg(y1).Arg(z1).Arg(x2).Arg(y2).Arg(z2);
    SketchEntity entity{SketchEntityKind::Line, {}, {}};
    if (!m_host.lean)
        entity.values = {x1, y1, z1, x2, y2, z2};
    return AddSketchEntity(call, std::move(entity), line);
}

HRESULT DocumentFacet::CreateSketchCircle(double cx, double cy, double cz, double radius, ISketchSegment** circle)
{
    SIM_CALL(call, "CreateSketchCircle");
    call.Arg(cx).Arg(cy).Arg(cz).Arg(radius);
    return AddSketchEntity(call, {SketchEntityKind::Circle, {cx, cy, cz, radius}, {}}, circle);
}

HRESULT DocumentFacet::CreateSketchArc(double cx, double cy, double cz, double sx, double sy, double sz, double ex,
                                       double ey, double ez, short direction, ISketchSegment** arc)
{
    SIM_CALL(call, "CreateSketchArc");
    call.Arg(cx).Arg(cy).Arg(cz).Arg(sx).Arg(sy).Arg(sz).Arg(ex).Arg(ey).Arg(ez).Arg(direction);
    return AddSketchEntity(call, {SketchEntityKind::Arc, {cx, cy, cz, sx, sy, sz, ex, ey, ez}, {direction}}, arc);
}

HRESULT DocumentFacet::CreateSketchSpline(LONG count, const double* points, ISketchSegment** spline)
{
    SIM_CALL(call, "CreateSketchSpline");
    const long values = count > 0 ? 3L * count : 0;
    call.Arg(long(count)).Doubles(points, values);
    SketchEntity entity{SketchEntityKind::Spline, {}, {count}};
    if (points)
        entity.values.assign(points, points + values);
    return AddSketchEntity(call, std::move(entity), spline);
}

HRESULT DocumentFacet::CreateSketchBSpline(const LONG* properties, const double* knots, const double* controlPoints,
                                           ISketchSegment** spline)
{
    SIM_CALL(call, "CreateSketchBSpline");
    // The record gives the sizes: order + count knots and dimension x count coordinates.
    const long order = properties ? properties[1] : 0;
    const long count = properties ? properties[2] : 0;
    const long dimension = properties ? properties[0] : 0;
    const long knotCount = order + count > 0 ? order + count : 0;
    const long coordinateCount = count > 0 && dimension > 0 ? count * dimension : 0;
    call.Longs(properties, 4).Doubles(knots, knotCount).Doubles(controlPoints, coordinateCount);
    SketchEntity entity{SketchEntityKind::BSpline, {}, {}};
    if (properties)
        entity.integers.assign(properties, properties + 4);
    if (knots)
        entity.values.assign(knots, knots + knotCount);
    if (controlPoints)
        entity.values.insert(entity.values.end(), controlPoints, controlPoints + coordinateCount);
    return AddSketchEntity(call, std::move(entity), spline);
}

HRESULT DocumentFacet::WriteModel(BSTR path, LONG options, short a, short b, LONG* status)
{
    SIM_CALL(call, "WriteModel");
    call.String(path).Arg(long(options)).Arg(a).Arg(b);
    if (call.Failed())
        return call.Done();
    // The host writes a summary of the model; a path it cannot write gives a non-zero status.
    std::ofstream file;
    if (path)
        file.open(ui::Utf8(path), std::ios::binary | std::ios::trunc);
    if (file)
        file << ui::Utf8(m_document.title) << ": " << m_document.bodies.size() << " bodies, "
             << m_document.FaceCount() << " faces\n";
    *status = file ? 0 : 1;
    call.OutValue(long(*status));
    return call.Done(S_OK);
}

HRESULT PartFacet::CreateTemporaryBody(ITemporaryBody** body)
{
    SIM_CALL(call, "CreateTemporaryBody");
    *body = nullptr;
    if (call.Failed())
        return call.Done();
    const std::string name = m_host.NextName("tbody");
    call.OutObject(body, new TemporaryBodyFacet(m_host, name, m_document));
    return call.Done(S_OK);
}

HRESULT TitledFacet::GetTitle(BSTR* title)
{
    SIM_CALL(call, "GetTitle");
    *title = nullptr;
    if (call.Failed())
        return call.Done();
    *title = SysAllocString(m_document.title.c_str());
    call.OutString(*title);
    return call.Done(S_OK);
}
} // namespace sim
