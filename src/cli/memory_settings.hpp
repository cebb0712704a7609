#pragma once
// A million-vertex ring fills some 150 MB in a few hundred milliseconds; on
// 4 KB pages the page faults alone took longer than all the work (half the
// run on a virtual machine). glibc's allocator backs its memory with
// transparent huge pages, and keeps what is freed for the next large block
// instead of mapping fresh zeroed pages each time, when its tunables say so;
// they are only read when a process starts, so the command starts itself
// once more with them set, unless the huge-page one is set already.

namespace vadrel::cli {

// Returns only when the command goes on in this process: the tunable was
// already there (the first start set it, or the user chose their own), the
// build runs under a sanitizer (which brings its own allocator), or the
// restart failed. Leaves the environment as the user had it, so that
// programs started from here inherit nothing of it.
void restartWithMemorySettings(char** argv);

}  // namespace vadrel::cli
