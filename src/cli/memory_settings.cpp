#include "cli/memory_settings.hpp"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vadrel::cli {

namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kSettings =
    "glibc.malloc.hugetlb=1:glibc.malloc.mmap_max=0:glibc.malloc.trim_threshold=1073741824";
// Marks the second start and keeps the user's own tunables, if any.
constexpr const char* kSaved = "VADREL_GLIBC_TUNABLES";

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

}  // namespace

void restartWithMemorySettings(char** argv)
{
    if (const char* saved = std::getenv(kSaved)) {
        // The second start: put back what the user had.
        if (*saved)
            ::setenv(kTunables, saved + 1, 1);
        else
            ::unsetenv(kTunables);
        ::unsetenv(kSaved);
        return;
    }
    if (kSanitized) return;
    const char* current = std::getenv(kTunables);
    std::string tunables = current ? current : "";
    if (tunables.find("glibc.malloc.hugetlb") != std::string::npos) return;

    // "=" + the old value when there was one, "" when there was none.
    const std::string saved = current ? "=" + tunables : "";
    if (!tunables.empty()) tunables += ':';
    tunables += kSettings;
    ::setenv(kSaved, saved.c_str(), 1);
    ::setenv(kTunables, tunables.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Not restarted: the command runs all the same, on small pages.
    if (current)
        ::setenv(kTunables, saved.c_str() + 1, 1);
    else
        ::unsetenv(kTunables);
    ::unsetenv(kSaved);
}

}  // namespace vadrel::cli
