#pragma once
// Where the installed data sits: the templates, the help guide, the map
// pages' scripts and the check's schemas.

#include <filesystem>

namespace vadrel {

// The installed data folder: share/vadrel beside the bin/ folder of the
// running executable (the build tree stages its data in the same place).
// Empty when the executable cannot be found.
std::filesystem::path carpetaDeDatos();

// The check's XML schemas, with their catalog.xml, inside the data folder.
inline constexpr const char* kCarpetaEsquemas = "schemas";

}  // namespace vadrel
