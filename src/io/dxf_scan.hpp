#pragma once
// Vertices of the lightweight polylines of a DXF drawing, read line by line
// as both windows' DXF buttons do.

#include <filesystem>
#include <functional>
#include <string_view>

#include "core/coord_list.hpp"
#include "core/ui.hpp"

namespace vadrel {

inline const FileFilter kFiltroDxf{"Archivos DXF|*.dxf", "dxf"};

inline constexpr const char* kDxfNoSeAbre =
    "Error al cargar el fichero. Fichero abierto por otro programa o fichero erróneo. Pruebe a cerrar Autocad e "
    "intentelo de nuevo.";

// Called when a further polyline starts; true goes on reading its vertices,
// false stops the scan.
using OtraPolilinea = std::function<bool()>;

// Appends the vertices of the first polyline entity (a line with
// "LWPOLYLINE" at one of its first four characters, after a group code 0),
// up to a line holding "ENDSEC" or the end of the text. Only the codes 10 (X) and 20 (Y) of
// polyline entities count, and only values of 7 or more characters (blanks
// removed), cut to 4 decimals by redondeaCadena; a value that is no number
// throws its Failure, the points before it kept.
void escaneaDxf(std::string_view text, CoordList& MX, CoordList& MY, const OtraPolilinea& otraPolilinea);

// The file read and scanned; a file that cannot be read is told with the
// window's message and changes nothing.
void cargaDxf(Ui& ui, const std::filesystem::path& file, CoordList& MX, CoordList& MY,
              const OtraPolilinea& otraPolilinea);

}  // namespace vadrel
