#pragma once
// The coordinate text file: one "N;X;Y" line per vertex, the X and Y texts
// exactly as they stand in the lists. Both windows share these routines.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/coord_list.hpp"
#include "core/ui.hpp"

namespace vadrel {

inline const FileFilter kFiltroCoordenadas{"Archivos de Texto|*.txt", "txt"};

inline constexpr std::string_view kCoordenadasDistintas =
    "Error. Debe haber el mismo número de coordenadas en X que en Y.";

// "Guardar": asks for the file, normalises the commas, refuses unequal
// lists, then writes one line per vertex. True when the file was written.
bool guardarCoordenadas(Ui& ui, CoordList& MX, CoordList& MY);

// "Cargar": asks for the file and appends its points after those already in
// the lists.
void cargarCoordenadas(Ui& ui, CoordList& MX, CoordList& MY);

// The file's text, each line ended by CR LF, for two lists of equal length.
std::string textoCoordenadas(const CoordList& MX, const CoordList& MY);

// X and Y texts of one file line; the ordinal is ignored and nothing is
// validated, so any line gives some pair.
void partirLineaCoordenadas(std::string_view s, std::string_view& x, std::string_view& y);

// Appends the points of a coordinate file; empty lines are no vertex.
void leerArchivoCoordenadas(const std::filesystem::path& path, CoordList& MX, CoordList& MY);

}  // namespace vadrel
