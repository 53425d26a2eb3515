// BSTR allocation with a live count, so that tests can prove every string was freed.
#include "oleauto.h"
#include "win32_testing.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace
{
std::atomic<long> g_liveBstrs{0};

// The byte count lives in the four bytes in front of the text, as on Windows.
constexpr size_t kPrefix = sizeof(uint32_t);
static_assert(kPrefix % alignof(OLECHAR) == 0, "the text must stay aligned behind its prefix");

uint32_t* PrefixOf(BSTR bstr)
{
    return reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(bstr) - kPrefix);
}
} // namespace

long platform::LiveBstrCount()
{
    return g_liveBstrs.load();
}

extern "C" BSTR SysAllocStringLen(const OLECHAR* pch, UINT cch)
{
    const size_t bytes = size_t(cch) * sizeof(OLECHAR);
    if (bytes > 0xFFFFFFF0u)
        return nullptr;
    char* block = static_cast<char*>(std::malloc(kPrefix + bytes + sizeof(OLECHAR)));
    if (!block)
        return nullptr;
    uint32_t byteCount = uint32_t(bytes);
    std::memcpy(block, &byteCount, kPrefix);
    BSTR text = reinterpret_cast<BSTR>(block + kPrefix);
    if (pch)
        std::memcpy(text, pch, bytes);
    else
        std::memset(text, 0, bytes);
    text[cch] = 0;
    ++g_liveBstrs;
    return text;
}

extern "C" BSTR SysAllocString(const OLECHAR* psz)
{
    if (!psz)
        return nullptr;
    UINT length = 0;
    while (psz[length])
        ++length;
    return SysAllocStringLen(psz, length);
}

extern "C" void SysFreeString(BSTR bstr)
{
    if (!bstr)
        return;
    --g_liveBstrs;
    std::free(PrefixOf(bstr));
}

extern "C" UINT SysStringByteLen(BSTR bstr)
{
    return bstr ? *PrefixOf(bstr) : 0;
}

extern "C" UINT SysStringLen(BSTR bstr)
{
    return SysStringByteLen(bstr) / sizeof(OLECHAR);
}
