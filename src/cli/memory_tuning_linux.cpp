#include "cli/memory_tuning.hpp"

#include <malloc.h>
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace vadrel::cli {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Address space only: pages are faulted in as they are used. Twice what the
// largest 1,000,000-vertex road uses; beyond it the heap grows on small pages.
constexpr std::size_t kHugeStretch = std::size_t{512} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

bool tuneMemory()
{
    if (kSanitized) return false;
    // Large blocks from the heap rather than from mappings of their own, and
    // nothing handed back: a freed block is reused by the next one instead of
    // the kernel zeroing fresh pages for it.
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kHugeStretch));
    // glibc has no setting for huge pages that a running process can change,
    // so the heap is grown once by a block that is freed at once, and that
    // stretch is marked for huge pages (the kernel gives them on request).
    void* block = std::malloc(kHugeStretch);
    if (!block) return false;
    const auto from = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const auto to = (reinterpret_cast<std::uintptr_t>(block) + kHugeStretch) & ~(kHugePage - 1);
    if (from < to) madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    std::free(block);
    return true;
}

}  // namespace vadrel::cli
