#include "Facet.h"

#include "Call.h"

#include "ocidl.h"

#include <cstdio>

namespace sim
{
FacetCore::FacetCore(HostState& host, std::string name) : m_host(host), m_name(std::move(name))
{
    m_host.Link(this);
}

FacetCore::~FacetCore()
{
    m_host.Unlink(this);
}

void FacetCore::DiscardIfUnheld()
{
    if (m_references == 0 && !m_keepAlive)
        delete this;
}

ULONG FacetCore::AddReference()
{
    ++m_host.liveReferences;
    return ++m_references;
}

ULONG FacetCore::ReleaseReference()
{
    if (m_references == 0)
        return 0; // the host's own object released once too often; the ledger shows it as negative
    --m_host.liveReferences;
    const ULONG left = --m_references;
    if (left == 0 && !m_keepAlive)
        delete this;
    return left;
}

HRESULT FacetCore::Query(REFIID iid, void** out)
{
    static const int operation = OperationId("QueryInterface");
    Call call(m_host, *this, operation, "QueryInterface");
    call.Raw(InterfaceName(iid));
    if (!out)
        return call.Done(E_POINTER);
    *out = nullptr;
    if (call.Failed())
        return call.Done();
    FacetCore* target = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || Implements(iid))
        target = this;
    else
        target = OtherInterface(iid);
    if (!target)
        return call.Done(E_NOINTERFACE);
    call.OutObject(out, target);
    return call.Done(S_OK);
}

std::string InterfaceName(REFIID iid)
{
    struct Known
    {
        const IID* iid;
        const char* name;
    };
    static const Known known[] = {
        {&IID_IUnknown, "IUnknown"},
        {&IID_IDispatch, "IDispatch"},
        {&IID_ISldWorks, "ISldWorks"},
        {&DIID_DSldWorksEvents, "DSldWorksEvents"},
        {&IID_IPartDoc, "IPartDoc"},
        {&IID_IAssemblyDoc, "IAssemblyDoc"},
        {&IID_ITitledModelDoc, "ITitledModelDoc"},
        {&IID_ISwAddin, "ISwAddin"},
        {&IID_IModelDoc, "IModelDoc"},
        {&IID_IDrawingDoc, "IDrawingDoc"},
        {&IID_IHostFrame, "IHostFrame"},
        {&IID_ITemporaryBody, "ITemporaryBody"},
        {&IID_IHostSurface, "IHostSurface"},
        {&IID_IBody, "IBody"},
        {&IID_IFace, "IFace"},
        {&IID_IEnumBodies, "IEnumBodies"},
        {&IID_IComponent, "IComponent"},
        {&IID_IConfiguration, "IConfiguration"},
        {&IID_ISketch, "ISketch"},
        {&IID_ISketchSegment, "ISketchSegment"},
        {&IID_ISketchPoint, "ISketchPoint"},
        {&IID_ICommandManager, "ICommandManager"},
        {&IID_ICommandGroup, "ICommandGroup"},
        {&IID_ICommandTab, "ICommandTab"},
        {&IID_ICommandTabBox, "ICommandTabBox"},
        {&IID_IConnectionPointContainer, "IConnectionPointContainer"},
        {&IID_IConnectionPoint, "IConnectionPoint"},
    };
    for (const Known& k : known)
        if (IsEqualIID(iid, *k.iid))
            return k.name;
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", iid.Data1,
                  iid.Data2, iid.Data3, iid.Data4[0], iid.Data4[1], iid.Data4[2], iid.Data4[3], iid.Data4[4],
                  iid.Data4[5], iid.Data4[6], iid.Data4[7]);
    return text;
}
} // namespace sim
