#pragma once
// The plan's labels placed so that none covers another or a line: each
// vertex's number beside its vertex, the cadastral parcels' references at
// the middle of what the plan shows of them. A label that finds no free
// place is left out (the table has every vertex).

#include <string>
#include <vector>

#include "core/geometry.hpp"
#include "report/report_data.hpp"
#include "report/report_layout.hpp"
#include "report/text_measure.hpp"

namespace vadrel::report {

// The plan's fonts, in points, and its vertex dots' radius in mm: the
// layout measures with them what the writer draws with them.
inline constexpr double kPuntosNumero = 5.5;      // the vertex numbers
inline constexpr double kPuntosReferencia = 6;    // the cadastral references
inline constexpr double kPuntosEscala = 7;        // "Escala 1:500"
inline constexpr double kPuntosBarra = 6;         // the scale bar's lengths
inline constexpr double kPuntosLeyenda = 6;       // the legend's captions
inline constexpr double kRadioVertice = 0.45;

// True when the segment ab meets the box, its edges included.
bool segmentoToca(Punto a, Punto b, const Extension& caja);

// The number of every vertex of `plano` beside its vertex (on one of its
// four sides or four corners, the one nearest the direction away from the
// filled surface first), over no other number, line, dot or figure, inside
// the box and nearer its own vertex than any other: each
// AnilloPlano::rotulos filled, and Plano::sinRotulo with the numbers that
// found no place. Rings, their first numbers, the box and its figures must
// be set.
void numeraVertices(Plano& plano, const MedidaTexto& medida);

// The references of the cadastral parcels behind (in metres) at the middle
// of their part inside the plan, never over a vertex number, another
// reference, the north arrow or the scale bar; those that would are left
// out.
std::vector<RotuloPlano> rotulaFondo(const Plano& plano, const std::vector<ParcelaFondo>& fondo,
                                     const MedidaTexto& medida);

}  // namespace vadrel::report
