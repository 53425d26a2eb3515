// CComPtr: an interface pointer that holds one reference and gives it back when it goes.
#pragma once

#include "atldef.h"

namespace ATL
{
template <class T> class CComPtr
{
public:
    CComPtr() : p(nullptr) {}
    CComPtr(T* lp) : p(lp)
    {
        if (p)
            p->AddRef();
    }
    CComPtr(const CComPtr& other) : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(other.p) { other.p = nullptr; }
    ~CComPtr()
    {
        if (p)
            p->Release();
    }

    T* operator=(T* lp)
    {
        if (lp != p)
        {
            if (lp)
                lp->AddRef();
            T* old = p;
            p = lp;
            if (old)
                old->Release();
        }
        return p;
    }
    T* operator=(const CComPtr& other) { return *this = other.p; }
    T* operator=(CComPtr&& other) noexcept
    {
        if (this != &other)
        {
            Release();
            p = other.p;
            other.p = nullptr;
        }
        return p;
    }

    operator T*() const { return p; }
    // For out-arguments: the pointer must be empty, or its reference would leak.
    T** operator&()
    {
        ATLASSERT(p == nullptr);
        return &p;
    }
    T* operator->() const
    {
        ATLASSERT(p != nullptr);
        return p;
    }
    bool operator!() const { return p == nullptr; }

    void Release()
    {
        T* old = p;
        if (old)
        {
            p = nullptr;
            old->Release();
        }
    }

    T* p;
};
} // namespace ATL
