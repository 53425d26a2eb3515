#include "opennurbs_array.h"

#include <algorithm>

#include <sys/mman.h>

namespace ON_ArrayDetail
{
namespace
{
constexpr std::size_t kLargePage = std::size_t(1) << 21;
constexpr std::size_t kLargeBlock = 2 * kLargePage;
} // namespace

void* Reallocate(void* block, std::size_t old_bytes, std::size_t bytes)
{
    if (bytes == 0)
    {
        std::free(block);
        return nullptr;
    }
    if (bytes < kLargeBlock)
    {
        void* grown = std::realloc(block, bytes);
        if (grown == nullptr)
        {
            throw std::bad_alloc();
        }
        return grown;
    }
    // Every fresh 4 KiB page costs a fault, and on a virtual machine a fault can cost more than the
    // work done on the page, while a mesh of a million faces fills tens of megabytes of arrays and
    // topology. So a large block starts on a 2 MiB boundary and asks for 2 MiB pages, which the
    // system may grant.
    const std::size_t rounded = (bytes + kLargePage - 1) & ~(kLargePage - 1);
    void* moved = std::aligned_alloc(kLargePage, rounded);
    if (moved == nullptr)
    {
        throw std::bad_alloc();
    }
    madvise(moved, rounded, MADV_HUGEPAGE); // advice only
    if (block != nullptr)
    {
        std::memcpy(moved, block, std::min(old_bytes, bytes));
        std::free(block);
    }
    return moved;
}
} // namespace ON_ArrayDetail
