#pragma once
// Vertices of the polylines of a DXF drawing (see io/dxf_polylines.hpp),
// read as both windows' DXF buttons do, arcs replaced by chords.

#include <filesystem>
#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

#include "core/arcs.hpp"
#include "core/coord_list.hpp"
#include "core/ui.hpp"
#include "io/arc_lists.hpp"

namespace vadrel {

inline const FileFilter kFiltroDxf{"Archivos DXF|*.dxf", "dxf"};

inline constexpr const char* kDxfNoSeAbre =
    "Error al cargar el fichero. Fichero abierto por otro programa o fichero erróneo. Pruebe a cerrar Autocad e "
    "intentelo de nuevo.";

inline constexpr const char* kDxfSinPolilinea = "Error. El dibujo no contiene ninguna polilínea (LWPOLYLINE).";
inline constexpr const char* kDxfNoUtm =
    "Error. Las coordenadas del dibujo no son UTM (tienen menos de 7 cifras).";

// Called when a further polyline starts; true goes on reading its vertices,
// false stops the scan.
using OtraPolilinea = std::function<bool()>;

struct ResultadoDxf {
    bool polilinea = false;    // a polyline entity was found
    std::size_t valores = 0;   // its codes 10 and 20 (and those of further polylines)
    std::size_t tomados = 0;   // values appended to the lists
    ResumenArcos arcos;        // what replacing the arcs did
};

// Appends the vertices of the first polyline of the drawing (see
// recorrePolilineas) and, as long as `otraPolilinea` says so, those of
// further ones. Only the codes 10 (X) and 20 (Y) of their vertices count.
// A value in any other form than plain decimal digits (an exponent) is
// first written in plain decimal form; values of 7 or more characters
// (blanks removed) are cut to 4 decimals by redondeaCadena; a value that
// is no number throws its Failure, the points before it kept. With a
// flecha above 0, each polyline whose vertices were all taken has its arcs
// (codes 42) replaced by chords, as sustituyeArcos does.
ResultadoDxf escaneaDxf(std::string_view text, CoordList& MX, CoordList& MY, const OtraPolilinea& otraPolilinea,
                        double flecha = 0);

enum class CargaDxf { cargado, noSeAbre, vacio };

// Which polylines a window takes: the parcel its first, the building each
// as a construction of its own.
enum class Polilineas { primera, todas };

// What a drawing gives, polyline by polyline (with `primera`, only the
// first); a polyline whose values were all too short gives empty lists.
struct DibujoDxf {
    std::vector<CoordList> x;
    std::vector<CoordList> y;
    bool varias = false;  // a further polyline was found (with `primera`, not read)
};

// The file read and scanned as escaneaDxf scans, then its vertices judged
// against Spain's UTM range of zone `huso` (28 to 31). A file that cannot
// be read, that gives no value (no polyline, or coordinates too short to be
// UTM) or whose coordinates are no UTM of Spain is told and gives nothing;
// the window changes its lists from `dibujo` only when it is `cargado`, so
// a drawing refused, or stopped by a value that is no number (its
// Failure), leaves them as they were. Coordinates beyond the zone are told
// as a warning, once, and given; arcs replaced with `flecha` are told
// after that (mensajeArcos).
CargaDxf cargaDxf(Ui& ui, const std::filesystem::path& file, int huso, Polilineas cuales, DibujoDxf& dibujo,
                  double flecha = arcos::kFlechaPorDefecto);

// The drawing's points after what a window's list holds.
inline void anadeAlFinal(CoordList& lista, CoordList&& puntos)
{
    if (lista.empty())
        lista = std::move(puntos);
    else
        lista.insert(lista.end(), std::make_move_iterator(puntos.begin()), std::make_move_iterator(puntos.end()));
}

// True for the messages with which cargaDxf refuses a drawing.
bool esRechazoDxf(std::string_view message);

}  // namespace vadrel
