#include "core/data_folder.hpp"

#include <system_error>

namespace vadrel {

std::filesystem::path carpetaDeDatos()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return exe.parent_path().parent_path() / "share" / "vadrel";
}

}  // namespace vadrel
