// The interface an add-in implements for the host to connect and disconnect it.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct ISwAddin : public IUnknown
{
    virtual HRESULT ConnectToSW(IDispatch* application, LONG cookie, VARIANT_BOOL* connected) = 0;
    virtual HRESULT DisconnectFromSW(VARIANT_BOOL* disconnected) = 0;

protected:
    ~ISwAddin() = default;
};
