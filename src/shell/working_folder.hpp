#pragma once
// The folder the desktop program works in: its templates, its help guide
// and the web-map scripts sit there, and its pages are written there.

#include <filesystem>
#include <string>

#include "core/data_folder.hpp"

namespace vadrel {

struct CarpetaDeTrabajo {
    std::filesystem::path carpeta;
    // Said to the person when the folder could not be made or filled; the
    // program then works where it started.
    std::string aviso;
};

// The start folder when it holds the parcel template (a folder prepared by
// hand, or the build's own); else `personal` (~/Vadrel), created when
// missing and filled with every file of `datos` (the installed
// share/vadrel) that it lacks: a file already there, a template the person
// edited, is never replaced.
CarpetaDeTrabajo eligeCarpetaDeTrabajo(const std::filesystem::path& inicio, const std::filesystem::path& personal,
                                       const std::filesystem::path& datos);

}  // namespace vadrel
