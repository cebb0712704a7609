#pragma once
// A million-vertex ring fills some 150 MB in a few hundred milliseconds; on
// 4 KB pages the page faults alone took longer than all the work (half the
// run on a virtual machine). The command therefore keeps its memory in the
// allocator's one heap, never gives freed memory back, and asks the kernel
// for transparent huge pages on the first stretch of that heap.

namespace vadrel::cli {

// Call first thing in main, before the work allocates. False when nothing
// was tuned: a build under a sanitizer (which brings its own allocator), no
// address space for the stretch, or Windows (nothing of this there).
bool tuneMemory();

}  // namespace vadrel::cli
