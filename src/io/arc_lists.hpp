#pragma once
// A polyline's arcs replaced in a window's lists by the chords of
// core/arcs.hpp, and the message that tells it: both the DXF and the
// LIST imports draw arcs.

#include <cstddef>
#include <string>
#include <vector>

#include "core/coord_list.hpp"

namespace vadrel {

struct ResumenArcos {
    std::size_t arcos = 0;
    std::size_t tramos = 0;        // the chords that stand in for them
    double cambioSuperficie = 0;   // m², each polyline's change added as a magnitude
    std::size_t puntos = 0;        // points inserted
    double flechaMaxima = 0;       // m: the farthest any arc lies from its chords

    ResumenArcos& operator+=(const ResumenArcos& otro);
};

// The lines from `desde` on are one polyline's vertices, one per line of
// both lists, written with "." or ","; bulges[i] is the bulge of the
// segment that leaves vertex i (the last one's is the closing segment's
// when `cerrada`, and otherwise means nothing). The points of each arc go
// between its two vertices, written with 4 decimals, the vertices left as
// they were. Nothing changes with a flecha of 0, when the lists do not
// pair one X with one Y from `desde`, or when a vertex is no number. Past
// arcos::kMaxPuntosPorDibujo points, counting the `yaInsertados` of the
// drawing's other polylines, arcs keep their chord.
ResumenArcos sustituyeArcos(CoordList& MX, CoordList& MY, std::size_t desde, const std::vector<double>& bulges,
                            bool cerrada, double flecha, std::size_t yaInsertados = 0);

// "El dibujo tiene N arcos; ..." for what was replaced; empty when there
// were no arcs.
std::string mensajeArcos(const ResumenArcos& resumen, double flecha);

}  // namespace vadrel
