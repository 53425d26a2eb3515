// Assembly components and configurations.
#pragma once

#include "oaidl.h"

#include "host/HostIds.h"

struct IModelDoc;
struct IEnumBodies;

struct IComponent : public IDispatch
{
    virtual HRESULT GetName(BSTR* name) = 0;
    virtual HRESULT GetBodies(LONG kind, IEnumBodies** bodies) = 0;
    virtual HRESULT GetModelDoc(IModelDoc** document) = 0;
    // Writes sixteen doubles: the rotation column by column, then the translation in metres.
    virtual HRESULT GetTransform(double* values) = 0;
    virtual HRESULT GetMaterialValues(double* values) = 0;
    virtual HRESULT GetChildCount(LONG* count) = 0;
    // Fills an array of GetChildCount interfaces; the caller releases each.
    virtual HRESULT GetChildren(IComponent** children) = 0;

protected:
    ~IComponent() = default;
};

struct IConfiguration : public IDispatch
{
    virtual HRESULT GetRootComponent(IComponent** root) = 0;

protected:
    ~IConfiguration() = default;
};
