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

std::vector<std::string> commandArguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void useUtf8StandardStreams() {}

}  // namespace vadrel::platform
