#include "core/environment.hpp"
#include "core/utf8_path.hpp"

#include <system_error>

namespace vadrel {

std::filesystem::path Entorno::plantilla(std::string_view nombre) const
{
    std::error_code ec;
    std::filesystem::path first = directorioInicio / pathFromUtf8(nombre);
    if (std::filesystem::exists(first, ec)) return first;
    for (const auto& dir : carpetasPlantillas) {
        std::filesystem::path p = dir / pathFromUtf8(nombre);
        if (std::filesystem::exists(p, ec)) return p;
    }
    return first;
}

}  // namespace vadrel
