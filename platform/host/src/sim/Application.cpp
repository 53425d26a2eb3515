// The application: its revision, frame and documents.
#include "Call.h"
#include "Facets.h"

#include "ui/ScriptedDriver.h"

#include <cstdio>

namespace sim
{
HRESULT ApplicationFacet::GetRevisionNumber(BSTR* revision)
{
    SIM_CALL(call, "GetRevisionNumber");
    *revision = nullptr;
    if (call.Failed())
        return call.Done();
    *revision = m_host.revisionIsNull ? nullptr : SysAllocString(m_host.revision.c_str());
    call.OutString(*revision);
    return call.Done(S_OK);
}

HRESULT ApplicationFacet::GetFrame(IHostFrame** frame)
{
    SIM_CALL(call, "GetFrame");
    *frame = nullptr;
    if (call.Failed())
        return call.Done();
    call.OutObject(frame, EntityFacet<FrameFacet>(m_host, "frame1"));
    return call.Done(S_OK);
}

HRESULT FrameFacet::GetWindowHandle(int* handle)
{
    SIM_CALL(call, "GetWindowHandle");
    if (call.Failed())
        return call.Done();
    *handle = m_host.frameHandle;
    call.OutValue(long(*handle));
    return call.Done(S_OK);
}

// A new document is made unless the call fails or is made to come back without it.
template <class Interface>
static HRESULT NewDocument(HostState& host, Call& call, DocumentType type, REFIID iid, Interface** out)
{
    *out = nullptr;
    if (call.Failed())
        return call.Done();
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    Document& document = host.model.AddDocument(type);
    call.OutObject(out, DocumentInterface(host, document, iid));
    return call.Done(S_OK);
}

HRESULT ApplicationFacet::NewPartDocument(IPartDoc** part)
{
    SIM_CALL(call, "NewPartDocument");
    return NewDocument(m_host, call, DocumentType::Part, IID_IPartDoc, part);
}

HRESULT ApplicationFacet::NewAssemblyDocument(IAssemblyDoc** assembly)
{
    SIM_CALL(call, "NewAssemblyDocument");
    return NewDocument(m_host, call, DocumentType::Assembly, IID_IAssemblyDoc, assembly);
}

HRESULT ApplicationFacet::NewDrawingDocument(LONG a, LONG b, LONG c, double width, double height,
                                             IDrawingDoc** drawing)
{
    SIM_CALL(call, "NewDrawingDocument");
    call.Arg(long(a)).Arg(long(b)).Arg(long(c)).Arg(width).Arg(height);
    return NewDocument(m_host, call, DocumentType::Drawing, IID_IDrawingDoc, drawing);
}

HRESULT ApplicationFacet::ActiveDocument(Call& call, IModelDoc** document)
{
    *document = nullptr;
    if (call.Failed())
        return call.Done();
    Document* active = m_host.model.active;
    call.OutObject(document, active ? DocumentInterface(m_host, *active, IID_IModelDoc) : nullptr);
    return call.Done(S_OK);
}

HRESULT ApplicationFacet::GetActiveDocument(IModelDoc** document)
{
    SIM_CALL(call, "GetActiveDocument");
    return ActiveDocument(call, document);
}

HRESULT ApplicationFacet::GetActiveDocument2(IModelDoc** document)
{
    SIM_CALL(call, "GetActiveDocument2");
    return ActiveDocument(call, document);
}

HRESULT ApplicationFacet::LoadFile(BSTR path, BSTR options, IModelDoc** document)
{
    SIM_CALL(call, "LoadFile");
    call.String(path).String(options);
    *document = nullptr;
    if (call.Failed())
        return call.Done();
    // The host opens what exists: a file it can read becomes a new active drawing titled after it.
    std::FILE* file = path ? std::fopen(ui::Utf8(path).c_str(), "rb") : nullptr;
    if (!file)
        return call.Done(E_FAIL);
    std::fclose(file);
    if (call.WithoutObject())
    {
        call.OutRaw("null");
        return call.Done(S_OK);
    }
    Document& loaded = m_host.model.AddDocument(DocumentType::Drawing);
    std::wstring title = path;
    size_t slash = title.find_last_of(L"/\\");
    loaded.title = slash == std::wstring::npos ? title : title.substr(slash + 1);
    call.OutObject(document, DocumentInterface(m_host, loaded, IID_IModelDoc));
    return call.Done(S_OK);
}
} // namespace sim
