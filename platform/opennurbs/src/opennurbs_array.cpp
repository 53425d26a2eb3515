#include "opennurbs_array.h"

#include <cstdint>

#include <sys/mman.h>

namespace ON_ArrayDetail
{
namespace
{
// Every fresh 4 KiB page costs a fault, and on a virtual machine a fault can cost more than the
// work done on the page, while a mesh of a million faces fills tens of megabytes of arrays and
// topology. Large blocks therefore ask for 2 MiB pages, which the system may grant for the whole
// 2 MiB stretches of a block.
constexpr std::size_t kLargePage = std::size_t(1) << 21;
constexpr std::size_t kLargeBlock = 2 * kLargePage;

void AdviseLargePages(void* block, std::size_t bytes)
{
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~std::uintptr_t(kLargePage - 1);
    const std::uintptr_t end = (begin + bytes) & ~std::uintptr_t(kLargePage - 1);
    if (end > first)
    {
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE); // advice only
    }
}
} // namespace

void* Reallocate(void* block, std::size_t bytes)
{
    if (bytes == 0)
    {
        std::free(block);
        return nullptr;
    }
    // A large array made at its size, as the topology's tables and a mesh's copy are, starts on a
    // 2 MiB boundary and fills whole 2 MiB stretches, so that all of it can have large pages. One
    // that grows or shrinks is reallocated, which the allocator may do in place.
    const bool fresh = block == nullptr && bytes >= kLargeBlock;
    const std::size_t size = fresh ? (bytes + kLargePage - 1) & ~(kLargePage - 1) : bytes;
    void* result = fresh ? std::aligned_alloc(kLargePage, size) : std::realloc(block, size);
    if (result == nullptr)
    {
        throw std::bad_alloc();
    }
    if (size >= kLargeBlock)
    {
        AdviseLargePages(result, size);
    }
    return result;
}
} // namespace ON_ArrayDetail
