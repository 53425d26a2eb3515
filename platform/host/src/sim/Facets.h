// The objects behind the application, its frame, documents, temporary bodies, bodies and sketch
// entities. Their operations are defined in one file per concern.
#pragma once

#include "Facet.h"

namespace sim
{
class Call;

class ApplicationFacet final : public Facet<ISldWorks>
{
public:
    explicit ApplicationFacet(HostState& host) : Facet(host, "app") { KeepAlive(); }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ISldWorks); }
    FacetCore* OtherInterface(REFIID iid) override;

    HRESULT GetRevisionNumber(BSTR* revision) override;
    HRESULT GetFrame(IHostFrame** frame) override;
    HRESULT GetCommandManager(LONG cookie, ICommandManager** manager) override;
    HRESULT SetAddinCallbackInfo(LONG moduleHandle, IDispatch* callbacks, LONG cookie, VARIANT_BOOL* done) override;
    HRESULT AddFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension, BSTR unused1,
                            BSTR unused2, VARIANT_BOOL* done) override;
    HRESULT RemoveFileOpenItem(LONG cookie, BSTR callback, BSTR description, BSTR extension,
                               VARIANT_BOOL* done) override;
    HRESULT NewPartDocument(IPartDoc** part) override;
    HRESULT NewAssemblyDocument(IAssemblyDoc** assembly) override;
    HRESULT NewDrawingDocument(LONG a, LONG b, LONG c, double width, double height, IDrawingDoc** drawing) override;
    HRESULT GetActiveDocument(IModelDoc** document) override;
    HRESULT GetActiveDocument2(IModelDoc** document) override;
    HRESULT LoadFile(BSTR path, BSTR options, IModelDoc** document) override;

private:
    HRESULT ActiveDocument(Call& call, IModelDoc** document);
};

class FrameFacet final : public Facet<IHostFrame>
{
public:
    FrameFacet(HostState& host, const std::string& name) : Facet(host, name) {}
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IHostFrame); }
    HRESULT GetWindowHandle(int* handle) override;
};

// The interfaces of one document share its model entry; each has its own journal name:
// doc<n> (IModelDoc), part<n>, asm<n>, drw<n>, titled<n>.
template <class Interface>
class DocumentFacetBase : public Facet<Interface>
{
public:
    DocumentFacetBase(HostState& host, const std::string& name, Document& document)
        : Facet<Interface>(host, name), m_document(document)
    {
    }
    FacetCore* OtherInterface(REFIID iid) override;

protected:
    Document& m_document;
};

class DocumentFacet final : public DocumentFacetBase<IModelDoc>
{
public:
    using DocumentFacetBase::DocumentFacetBase;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IModelDoc); }

    HRESULT SetLengthUnit(LONG unit) override;
    HRESULT GetLengthUnit(LONG* unit) override;
    HRESULT ToggleSketch3D(LONG flag) override;
    HRESULT PrepareFirst(LONG flag) override;
    HRESULT PrepareSecond(LONG flag) override;
    HRESULT FinishFirst() override;
    HRESULT FinishSecond() override;
    HRESULT FinishThird() override;
    HRESULT CreateSketchPoint(double x, double y, double z, ISketchPoint** point) override;
    HRESULT CreateSketchLine(double x1, double y1, double z1, double x2, double y2, double z2,
                             ISketchSegment** line) override;
    HRESULT CreateSketchCircle(double cx, double cy, double cz, double radius, ISketchSegment** circle) override;
    HRESULT CreateSketchArc(double cx, double cy, double cz, double sx, double sy, double sz, double ex, double ey,
                            double ez, short direction, ISketchSegment** arc) override;
    HRESULT CreateSketchSpline(LONG count, const double* points, ISketchSegment** spline) override;
    HRESULT CreateSketchBSpline(const LONG* properties, const double* knots, const double* controlPoints,
                                ISketchSegment** spline) override;
    HRESULT WriteModel(BSTR path, LONG options, short a, short b, LONG* status) override;
    HRESULT GetActiveConfiguration(IConfiguration** configuration) override;

private:
    // Records a new entity in the open 3D sketch (or the document's own sketch) and hands out
    // its segment or point.
    template <class Interface>
    HRESULT AddSketchEntity(Call& call, SketchEntity&& entity, Interface** out);
};

class PartFacet final : public DocumentFacetBase<IPartDoc>
{
public:
    using DocumentFacetBase::DocumentFacetBase;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IPartDoc); }

    HRESULT CreateTemporaryBody(ITemporaryBody** body) override;
    HRESULT GetMaterialValues(double* values) override;
    HRESULT GetBodies(LONG kind, short visibleOnly, IEnumBodies** bodies) override;
};

class AssemblyFacet final : public DocumentFacetBase<IAssemblyDoc>
{
public:
    using DocumentFacetBase::DocumentFacetBase;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IAssemblyDoc); }

    HRESULT PrepareAssembly(LONG flag, LONG* result) override;
};

class DrawingFacet final : public DocumentFacetBase<IDrawingDoc>
{
public:
    using DocumentFacetBase::DocumentFacetBase;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IDrawingDoc); }
};

class TitledFacet final : public DocumentFacetBase<ITitledModelDoc>
{
public:
    using DocumentFacetBase::DocumentFacetBase;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ITitledModelDoc); }

    HRESULT GetTitle(BSTR* title) override;
};

// The facet of a document's interface, made on demand.
FacetCore* DocumentInterface(HostState& host, Document& document, REFIID iid);
std::string DocumentPrefix(REFIID iid);

class HostSurfaceFacet;

class TemporaryBodyFacet final : public Facet<ITemporaryBody>
{
public:
    TemporaryBodyFacet(HostState& host, const std::string& name, Document& document)
        : Facet(host, name), m_document(document)
    {
    }
    ~TemporaryBodyFacet() override;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_ITemporaryBody); }

    HRESULT AddPlanarFace(int n, const double* points, const double* normal) override;
    HRESULT MakeBody(IBody** body) override;
    HRESULT CreateBSplineSurface(const LONG* properties, const double* uKnots, const double* vKnots,
                                 const double* controlPoints, IHostSurface** surface) override;
    HRESULT CreatePlanarSurface(const double* rootPoint, const double* normal, IHostSurface** surface) override;
    HRESULT IsSurfaceTrimmed(short* trimmed) override;
    HRESULT BoundSurface(LONG a, LONG b, const double* bounds) override;

    // What has been added and not yet made into a body.
    Body pending;
    // Surfaces handed out for `pending`; they lose their surface once the body is made or goes.
    std::vector<HostSurfaceFacet*> surfaceFacets;

private:
    void DetachSurfaces();

    Document& m_document;
};

// A surface on a temporary body, by its place among the body's pending surfaces.
class HostSurfaceFacet final : public Facet<IHostSurface>
{
public:
    HostSurfaceFacet(HostState& host, const std::string& name, TemporaryBodyFacet& body, size_t index);
    ~HostSurfaceFacet() override;
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IHostSurface); }

    HRESULT AddTrimmingLoop(LONG count, const LONG* orders, const LONG* dimensions, const LONG* periodic,
                            const LONG* knotCounts, const LONG* controlPointCounts, const double* knots,
                            const double* controlPoints, const double* reserved) override;

    void Detach() { m_body = nullptr; }

private:
    TemporaryBodyFacet* m_body;
    size_t m_index;
};

class BodyFacet final : public Facet<IBody>
{
public:
    BodyFacet(HostState& host, const std::string& name, Body& body) : Facet(host, name), m_body(body) {}
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IBody); }

    HRESULT GetFirstFace(IFace** face) override;
    HRESULT GetName(BSTR* name) override;

    Body& GetBody() { return m_body; }

private:
    Body& m_body;
};

// A sketch segment or point that the add-in made; nothing of it is read back through it.
template <class Interface>
class SketchEntityFacet final : public Facet<Interface>
{
public:
    SketchEntityFacet(HostState& host, const std::string& name, REFIID iid) : Facet<Interface>(host, name), m_iid(iid)
    {
    }
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, m_iid); }

private:
    IID m_iid;
};
} // namespace sim
