#pragma once
// A polyline segment drawn as an arc: its bulge (the tangent of a quarter
// of the arc's angle, positive counter-clockwise, as DXF and AutoCAD's LIST
// give it) and the chords that stand in for it, since a cadastral ring has
// straight sides only.

#include <cstddef>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::arcos {

// The windows' sagitta: no point of an arc farther than this from its
// chords (metres).
inline constexpr double kFlechaPorDefecto = 0.05;
// Below a millimetre no survey means it: the least tolerance the batch
// command takes, and an arc that lies closer than this to its chord (the
// bulge of a straight side rounded to 1e-16 by a CAD program) is no arc.
inline constexpr double kFlechaMinima = 0.001;

// An arc of many turns' worth of chords (a near-full circle of a huge
// radius, from a bulge no drawing means) stops here, so that no input
// makes the lists explode.
inline constexpr std::size_t kMaxTramosPorArco = 1000;
// And a drawing of countless such arcs stops adding points here: past it,
// its arcs keep their chords.
inline constexpr std::size_t kMaxPuntosPorDibujo = 1000000;

// True when the segment p-q with this bulge is an arc: a finite bulge
// other than 0 between two distinct points.
bool esArco(Punto p, Punto q, double bulge);

// How many chords the arc takes so that none lies farther than `flecha`
// from it (at least 1, at most kMaxTramosPorArco); 1 for no arc or a
// flecha not above 0.
std::size_t tramosDelArco(Punto p, Punto q, double bulge, double flecha);

// How far the arc lies from `tramos` chords of equal angle at most (m);
// 0 for no arc.
double flechaDeTramos(Punto p, Punto q, double bulge, std::size_t tramos);

// The points strictly between p and q that split the arc into
// tramosDelArco chords of equal angle, in order from p; none for no arc.
std::vector<Punto> puntosDelArco(Punto p, Punto q, double bulge, double flecha);

}  // namespace vadrel::arcos
