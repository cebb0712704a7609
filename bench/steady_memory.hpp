#pragma once
#include <malloc.h>

namespace vadrel::bench {

// Freed memory stays with the process and is reused: each iteration then
// measures the work, not the kernel zeroing fresh pages for it, which small
// sizes would be spared (their blocks come back from the heap) and large
// ones not (theirs are mapped anew). The whole-process figures of
// bench/run.sh include that cost.
inline void keepFreedMemory()
{
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
}

}  // namespace vadrel::bench
