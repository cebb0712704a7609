#include "core/data_folder.hpp"

#include "core/platform/executable.hpp"

namespace vadrel {

std::filesystem::path carpetaDeDatos()
{
    const std::filesystem::path exe = platform::runningExecutable();
    if (exe.empty()) return {};
    return exe.parent_path().parent_path() / "share" / "vadrel";
}

}  // namespace vadrel
