#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/memory_tuning.hpp"

namespace {

// The VmFlags of the mapping holding `p`, from /proc/self/smaps.
std::string flagsAt(const void* p)
{
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        if (std::istringstream(line) >> std::hex >> from >> dash >> to && dash == '-')
            inside = from <= at && at < to;
        else if (inside && line.starts_with("VmFlags:"))
            return line;
    }
    return {};
}

long minorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

}  // namespace

// A ring's buffers are blocks of tens of megabytes: each must get huge pages,
// and one freed must serve the next without the kernel zeroing pages again.
TEST(MemoryTuning, LargeBlocksGetHugePagesAndFreedOnesAreReused)
{
    if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled"))
        GTEST_SKIP() << "this kernel has no transparent huge pages";
    if (!vadrel::cli::tuneMemory()) GTEST_SKIP() << "built under a sanitizer, whose allocator is its own";

    constexpr std::size_t kSize = std::size_t{64} << 20;
    char* first = static_cast<char*>(std::malloc(kSize));
    ASSERT_NE(first, nullptr);
    std::memset(first, 1, kSize);
    EXPECT_NE(flagsAt(first + kSize / 2).find(" hg"), std::string::npos) << flagsAt(first + kSize / 2);
    std::free(first);

    const long before = minorFaults();
    char* second = static_cast<char*>(std::malloc(kSize));
    ASSERT_NE(second, nullptr);
    std::memset(second, 2, kSize);
    EXPECT_LT(minorFaults() - before, 8);
    EXPECT_EQ(second[kSize - 1], 2);
    std::free(second);
}
