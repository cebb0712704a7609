#include "core/platform/user_folders.hpp"

#include <cstdlib>

namespace vadrel::platform {

std::filesystem::path userHomeFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home == '/' ? std::filesystem::path(home) : std::filesystem::path();
}

std::filesystem::path userCacheFolder()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/') return std::filesystem::path(xdg);
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".cache";
    return {};
}

std::filesystem::path userConfigFolder()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') return std::filesystem::path(xdg);
    if (const char* home = std::getenv("HOME"); home && *home) return std::filesystem::path(home) / ".config";
    return {};
}

}  // namespace vadrel::platform
