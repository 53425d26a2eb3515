// The object behind one interface handed out by the simulated host. Every reference it hands out
// is counted in the ledger; an object that nobody holds any more is deleted, and the next request
// for the same interface of the same entity makes a new one under the same journal name.
#pragma once

#include "HostState.h"

#include <string>

namespace sim
{
class FacetCore
{
public:
    FacetCore(HostState& host, std::string name);
    virtual ~FacetCore();
    FacetCore(const FacetCore&) = delete;
    FacetCore& operator=(const FacetCore&) = delete;

    const std::string& Name() const { return m_name; }
    HostState& Host() const { return m_host; }
    virtual IUnknown* Unknown() = 0;

    // Another interface of the same entity, or null; the caller adds the reference.
    virtual FacetCore* OtherInterface(REFIID iid) { return nullptr; }
    virtual bool Implements(REFIID iid) const = 0;

    ULONG AddReference();
    ULONG ReleaseReference();
    ULONG References() const { return m_references; }
    HRESULT Query(REFIID iid, void** out);

    // The object stays alive with no reference (the host's own objects, such as its application).
    void KeepAlive() { m_keepAlive = true; }
    // Deletes an object that was made for a hand-out that did not happen.
    void DiscardIfUnheld();

    // Every object of a host is on its list, so that the host can delete what callers leaked.
    FacetCore* m_previous = nullptr;
    FacetCore* m_next = nullptr;
    bool m_registeredByName = false;

protected:
    HostState& m_host;

private:
    std::string m_name;
    ULONG m_references = 0;
    bool m_keepAlive = false;
};

// The live object of an entity's interface under its journal name, made when there is none, so
// that the same interface of the same entity keeps its name and identity while it is held.
template <class FacetType, class... Args>
FacetType* EntityFacet(HostState& host, const std::string& name, Args&... args)
{
    if (FacetCore* live = host.FindEntityFacet(name))
        return static_cast<FacetType*>(live);
    auto* made = new FacetType(host, name, args...);
    host.RegisterEntityFacet(made);
    return made;
}

template <class Interface> class Facet : public Interface, public FacetCore
{
public:
    Facet(HostState& host, std::string name) : FacetCore(host, std::move(name)) {}

    HRESULT QueryInterface(REFIID iid, void** out) override { return Query(iid, out); }
    ULONG AddRef() override { return AddReference(); }
    ULONG Release() override { return ReleaseReference(); }

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    IUnknown* Unknown() override { return static_cast<Interface*>(this); }
    Interface* Interface_() { return this; }
};

// The same for interfaces that derive from IUnknown only.
template <class Interface> class UnknownFacet : public Interface, public FacetCore
{
public:
    UnknownFacet(HostState& host, std::string name) : FacetCore(host, std::move(name)) {}

    HRESULT QueryInterface(REFIID iid, void** out) override { return Query(iid, out); }
    ULONG AddRef() override { return AddReference(); }
    ULONG Release() override { return ReleaseReference(); }
    IUnknown* Unknown() override { return static_cast<Interface*>(this); }
};

std::string InterfaceName(REFIID iid);
} // namespace sim
