// Global memory blocks: a handle names a block that can grow while it is not locked.
#include "errhandlingapi.h"
#include "ole_testing.h"
#include "winbase.h"
#include "winerror.h"

#include <atomic>
#include <vector>

namespace
{
struct GlobalBlock
{
    std::vector<BYTE> bytes;
    int locks = 0;
};

std::atomic<long> g_liveGlobals{0};
} // namespace

long platform::LiveGlobalCount()
{
    return g_liveGlobals.load();
}

extern "C" HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    ++g_liveGlobals;
    return new GlobalBlock{std::vector<BYTE>(dwBytes), 0};
}

extern "C" HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    auto* block = static_cast<GlobalBlock*>(hMem);
    if (!block || block->locks)
    {
        SetLastError(block ? ERROR_ACCESS_DENIED : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    block->bytes.resize(dwBytes);
    return block;
}

extern "C" SIZE_T GlobalSize(HGLOBAL hMem)
{
    return hMem ? static_cast<GlobalBlock*>(hMem)->bytes.size() : 0;
}

extern "C" LPVOID GlobalLock(HGLOBAL hMem)
{
    auto* block = static_cast<GlobalBlock*>(hMem);
    if (!block)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++block->locks;
    return block->bytes.data();
}

extern "C" BOOL GlobalUnlock(HGLOBAL hMem)
{
    auto* block = static_cast<GlobalBlock*>(hMem);
    if (block && block->locks)
        --block->locks;
    return block && block->locks > 0;
}

extern "C" HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (hMem)
    {
        delete static_cast<GlobalBlock*>(hMem);
        --g_liveGlobals;
    }
    return nullptr;
}
