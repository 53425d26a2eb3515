// The application's connection point for its event interface, and the container that finds it.
#pragma once

#include "Facet.h"

#include "ocidl.h"

namespace sim
{
// The application's IConnectionPointContainer: another interface of the application, under a
// journal name of its own.
class ConnectionPointContainerFacet final : public UnknownFacet<IConnectionPointContainer>
{
public:
    ConnectionPointContainerFacet(HostState& host, const std::string& name) : UnknownFacet(host, name) {}
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IConnectionPointContainer); }

    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
};

// The one connection point, for the event interface DIID_DSldWorksEvents.
class ConnectionPointFacet final : public UnknownFacet<IConnectionPoint>
{
public:
    ConnectionPointFacet(HostState& host, const std::string& name) : UnknownFacet(host, name) {}
    bool Implements(REFIID iid) const override { return IsEqualIID(iid, IID_IConnectionPoint); }

    HRESULT GetConnectionInterface(IID* iid) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** container) override;
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;
    HRESULT EnumConnections(IEnumConnections** connections) override;
};

FacetCore* ConnectionPointContainer(HostState& host);
} // namespace sim
