#pragma once
// What a form captures when it is created: the start-up directory (where
// templates, the help document and web pages live) and the number format.

#include <filesystem>
#include <string_view>
#include <vector>

#include "core/number_format.hpp"

namespace vadrel {

struct Entorno {
    std::filesystem::path directorioInicio;
    NumberFormat formato;
    // Where to look for a template missing from the start-up directory (the
    // batch command's installed data folder); the desktop program has none.
    std::vector<std::filesystem::path> carpetasPlantillas;

    // The template's path: in the start-up directory when it is there, else
    // in the first fallback folder holding it, else the start-up one (so a
    // load failure names the place the person expects).
    std::filesystem::path plantilla(std::string_view nombre) const;
};

}  // namespace vadrel
