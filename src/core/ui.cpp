#include "core/ui.hpp"

#include <filesystem>

namespace vadrel {

std::string withDefaultExtension(const std::string& path, const std::string& ext)
{
    if (ext.empty() || path.empty()) return path;
    if (std::filesystem::path(path).has_extension()) return path;
    return path + "." + ext;
}

}  // namespace vadrel
