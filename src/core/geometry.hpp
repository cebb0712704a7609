#pragma once
// Plane geometry of the ring held by a window's two lists (UTM metres).
// The ring is always taken as closed; vertices are converted on every use.

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "core/coord_list.hpp"
#include "core/number_format.hpp"

namespace vadrel {

struct Punto {
    double x = 0;
    double y = 0;
};

// The smallest box holding every point added; empty until one is.
struct Extension {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;

    void anade(Punto p);
    void anade(const std::vector<Punto>& puntos);
    bool vacia() const { return minX > maxX; }
    // True when the two boxes, this one grown by `margen`, meet.
    bool alcanza(const Extension& otra, double margen = 0) const;
};

// The vertices as numbers, in list order; the first text that is no number
// throws its Failure (X before Y of each vertex).
std::vector<Punto> puntosDe(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt);

// Absolute shoelace area, whatever the orientation.
double CalculaArea(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt);

// Area centroid as absolute values. A ring of zero area throws Failure with
// the floating-point message.
Punto CalculaCentroide(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt);
Punto CalculaCentroide(const std::vector<Punto>& puntos);
// Twice the signed area, the ring taken as closed: positive when it turns
// counter-clockwise.
double doubleSignedArea(const std::vector<Punto>& puntos);

class Ui;

// "Cal. Área" of either window: drops empty lines, checks the counts (a
// refusal is told and gives nothing), and gives the area in the general
// format of the locale cut to four decimals.
std::optional<std::string> textoSuperficie(CoordList& MX, CoordList& MY, const NumberFormat& fmt, Ui& ui);

}  // namespace vadrel
