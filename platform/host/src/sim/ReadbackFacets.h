// The objects through which the add-in reads the model back: faces of bodies, body
// enumerations, components, configurations and sketches.
#pragma once

#include "Facets.h"

#include <vector>

namespace sim
{
class FaceFacet final : public Facet<IFace>
{
public:
    FaceFacet(HostState& host, const std::string& name, Body& body, size_t index)
        : Facet(host, name), m_body(body), m_index(index)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IFace); }

    HRESULT GetTriangleCount(LONG* count) override;
    HRESULT GetTriangles(LONG first, float* corners) override;
    HRESULT GetNextFace(IFace** face) override;

private:
    Body& m_body;
    size_t m_index;
};

// The facet of face `index` of a body: face<body>_<index from 1>.
FacetCore* FaceInterface(HostState& host, Body& body, size_t index);
FacetCore* BodyInterface(HostState& host, Body& body);

// Walks the bodies that were there when it was made.
class EnumBodiesFacet final : public UnknownFacet<IEnumBodies>
{
public:
    EnumBodiesFacet(HostState& host, const std::string& name, std::vector<Body*> bodies)
        : UnknownFacet(host, name), m_bodies(std::move(bodies))
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IEnumBodies); }

    HRESULT Next(ULONG count, IBody** body, ULONG* fetched) override;

private:
    std::vector<Body*> m_bodies;
    size_t m_next = 0;
};

// Hands out an enumeration of the bodies of one kind; `visibleOnly` leaves hidden ones out.
HRESULT EnumerateBodies(HostState& host, Call& call, const std::vector<std::unique_ptr<Body>>& bodies,
                        LONG kind, bool visibleOnly, IEnumBodies** out);
// Writes ten material values, or fails when there are none.
HRESULT WriteMaterialValues(Call& call, const std::optional<MaterialValues>& values, double* out);

class ComponentFacet final : public Facet<IComponent>
{
public:
    ComponentFacet(HostState& host, const std::string& name, Component& component)
        : Facet(host, name), m_component(component)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IComponent); }

    HRESULT GetName(BSTR* name) override;
    HRESULT GetBodies(LONG kind, IEnumBodies** bodies) override;
    HRESULT GetModelDoc(IModelDoc** document) override;
    HRESULT GetTransform(double* values) override;
    HRESULT GetMaterialValues(double* values) override;
    HRESULT GetChildCount(LONG* count) override;
    HRESULT GetChildren(IComponent** children) override;

private:
    Component& m_component;
};

FacetCore* ComponentInterface(HostState& host, Component& component);

class ConfigurationFacet final : public Facet<IConfiguration>
{
public:
    ConfigurationFacet(HostState& host, const std::string& name, Document& document)
        : Facet(host, name), m_document(document)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IConfiguration); }

    HRESULT GetRootComponent(IComponent** root) override;

private:
    Document& m_document;
};

class SketchFacet final : public Facet<ISketch>
{
public:
    SketchFacet(HostState& host, const std::string& name, Sketch& sketch)
        : Facet(host, name), m_sketch(sketch)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ISketch); }

    HRESULT GetLineCount(LONG* count) override;
    HRESULT GetLines(double* data) override;
    HRESULT GetArcCount(LONG* count) override;
    HRESULT GetArcs(double* data) override;
    HRESULT GetPolylineDataSize(LONG* size, LONG* count) override;
    HRESULT GetPolylines(double* data) override;
    HRESULT GetSplineDataSize(LONG* size, LONG* count) override;
    HRESULT GetSplines(double* data) override;

private:
    Sketch& m_sketch;
};
} // namespace sim
