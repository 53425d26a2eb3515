// Assemblies read back: the active configuration, its root component, and each component's
// name, bodies, document, placement, material and children.
#include "Call.h"
#include "ReadbackFacets.h"

namespace sim
{
FacetCore* ComponentInterface(HostState& host, Component& component)
{
    return EntityFacet<ComponentFacet>(host, "comp" + std::to_string(component.number), component);
}

HRESULT DocumentFacet::GetActiveConfiguration(IConfiguration** configuration)
{
    SIM_CALL(call, "GetActiveConfiguration");
    *configuration = nullptr;
    if (call.Failed())
        return call.Done();
    const std::string name = "config" + std::to_string(m_document.number);
    call.OutObject(configuration, EntityFacet<ConfigurationFacet>(m_host, name, m_document));
    return call.Done(S_OK);
}

HRESULT ConfigurationFacet::GetRootComponent(IComponent** root)
{
    SIM_CALL(call, "GetRootComponent");
    *root = nullptr;
    if (call.Failed())
        return call.Done();
    Component* component = m_document.rootComponent.get();
    call.OutObject(root, component ? ComponentInterface(m_host, *component) : nullptr);
    return call.Done(S_OK);
}

HRESULT AssemblyFacet::PrepareAssembly(LONG flag, LONG* result)
{
    SIM_CALL(call, "PrepareAssembly");
    call.Arg(long(flag));
    if (call.Failed())
        return call.Done();
    *result = 0;
    call.OutValue(long(*result));
    return call.Done(S_OK);
}

HRESULT ComponentFacet::GetName(BSTR* name)
{
    SIM_CALL(call, "GetName");
    *name = nullptr;
    if (call.Failed())
        return call.Done();
    *name = SysAllocString(m_component.name.c_str());
    call.OutString(*name);
    return call.Done(S_OK);
}

HRESULT ComponentFacet::GetBodies(LONG kind, IEnumBodies** bodies)
{
    SIM_CALL(call, "GetBodies");
    call.Arg(long(kind));
    return EnumerateBodies(m_host, call, m_component.bodies, kind, false, bodies);
}

HRESULT ComponentFacet::GetModelDoc(IModelDoc** document)
{
    SIM_CALL(call, "GetModelDoc");
    *document = nullptr;
    if (call.Failed())
        return call.Done();
    Document* shown = m_component.modelDoc;
    call.OutObject(document, shown ? DocumentInterface(m_host, *shown, IID_IModelDoc) : nullptr);
    return call.Done(S_OK);
}

HRESULT ComponentFacet::GetTransform(double* values)
{
    SIM_CALL(call, "GetTransform");
    if (call.Failed())
        return call.Done();
    std::copy(m_component.transform.begin(), m_component.transform.end(), values);
    call.OutDoubles(values, long(m_component.transform.size()));
    return call.Done(S_OK);
}

HRESULT ComponentFacet::GetMaterialValues(double* values)
{
    SIM_CALL(call, "GetMaterialValues");
    return WriteMaterialValues(call, m_component.materialValues, values);
}

HRESULT ComponentFacet::GetChildCount(LONG* count)
{
    SIM_CALL(call, "GetChildCount");
    if (call.Failed())
        return call.Done();
    *count = LONG(m_component.children.size());
    call.OutValue(long(*count));
    return call.Done(S_OK);
}

HRESULT ComponentFacet::GetChildren(IComponent** children)
{
    SIM_CALL(call, "GetChildren");
    if (call.Failed())
        return call.Done();
    std::string names = "[";
    for (size_t i = 0; i < m_component.children.size(); ++i)
    {
        FacetCore* child = ComponentInterface(m_host, *m_component.children[i]);
        child->AddReference();
        children[i] = reinterpret_cast<IComponent*>(child->Unknown());
        names += (i ? ", " : "") + child->Name();
    }
    call.OutRaw(names + "]");
    return call.Done(S_OK);
}
} // namespace sim
