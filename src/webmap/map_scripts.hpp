#pragma once
// The scripts and styles a web-map page loads from beside itself: Leaflet's
// own files, its WMS layer and the projection; so that, without a network,
// the geometry is still drawn on a blank background.

#include <filesystem>
#include <string>
#include <vector>

namespace vadrel {

// Paths relative to the page's folder.
const std::vector<std::string>& scriptsMapa();

// Copies into `destino` each script it lacks, taken from the first of
// `origenes` that holds it. Returns the scripts found nowhere; a copy that
// fails throws Failure.
std::vector<std::string> copiaScriptsMapa(const std::vector<std::filesystem::path>& origenes,
                                          const std::filesystem::path& destino);

}  // namespace vadrel
