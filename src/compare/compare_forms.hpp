#pragma once
// "Comparar con Catastro" as the windows run it: the cadastral map
// downloaded or chosen, the figures shown as a report with its picture.

#include <vector>

#include "compare/shapes.hpp"
#include "core/ui.hpp"

namespace vadrel::compare {

inline constexpr const char* kAskDownload =
    "¿Descargar la cartografía catastral de la zona? (No: elegir un archivo GML del catastro)";

// The new parcels against the map; throws Failure (shown by the window)
// when the map cannot be had. Nothing in the window changes.
void compareParcelsInWindow(Ui& ui, const std::vector<Shape>& fresh, int zone);

}  // namespace vadrel::compare
