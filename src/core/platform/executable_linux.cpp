#include "core/platform/executable.hpp"

#include <system_error>

namespace vadrel::platform {

std::filesystem::path runningExecutable()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe;
}

}  // namespace vadrel::platform
