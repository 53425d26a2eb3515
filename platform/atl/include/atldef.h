// The class library's checks: a failed ATLENSURE raises CAtlException, as AtlThrow does where the
// application framework does not replace it.
#pragma once

#include "windows.h"

#include <cassert>

#ifndef WINAPI
#define WINAPI
#endif

#define ATLASSERT(expr) assert(expr)

// On Windows a class that is never created itself leaves out its own table of virtual operations.
#define ATL_NO_VTABLE

namespace ATL
{
class CAtlException
{
public:
    explicit CAtlException(HRESULT hr) : m_hr(hr) {}
    operator HRESULT() const { return m_hr; }

    HRESULT m_hr;
};

[[noreturn]] inline void AtlThrow(HRESULT hr)
{
    throw CAtlException(hr);
}
} // namespace ATL

#define ATLENSURE_THROW(expr, hr)                                                                            \
    do                                                                                                       \
    {                                                                                                        \
        if (!(expr))                                                                                         \
            ATL::AtlThrow(hr);                                                                               \
    } while (0)
#define ATLENSURE(expr) ATLENSURE_THROW(expr, E_FAIL)
