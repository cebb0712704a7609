#pragma once
// Coordinates moved from one UTM zone of Spain to another: a municipality
// across a zone line keeps one zone in the cadastre, so a survey made in
// the neighbouring zone is converted before it is written.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/coord_list.hpp"
#include "core/geometry.hpp"
#include "core/number_format.hpp"

namespace vadrel {
class Ui;
}

namespace vadrel::utm {

// ETRS89 / UTM of zone `desde` to that of zone `hasta` (28 to 31), through
// geographic coordinates, with PROJ's exact transverse Mercator. Zone 28
// (REGCAN95, WGS 84) is taken on the same ellipsoid and datum: they differ
// from ETRS89 by centimetres at most.
class CambioDeHuso {
public:
    // Throws std::out_of_range for a zone outside 28 to 31.
    CambioDeHuso(int desde, int hasta);
    ~CambioDeHuso();
    CambioDeHuso(const CambioDeHuso&) = delete;
    CambioDeHuso& operator=(const CambioDeHuso&) = delete;

    // None when PROJ cannot convert the point.
    std::optional<Punto> convierte(Punto p) const;

private:
    struct Proj;
    std::unique_ptr<Proj> proj_;
};

// `valor` written with as many decimals as `original` has (at least 2),
// with its decimal separator ("." when it has none).
std::string comoOriginal(double valor, std::string_view original);

// One window's ring, both of its lists.
struct ListasXY {
    CoordList* x;
    CoordList* y;
};

// "Cambiar huso": every ring's vertices converted from `desde` to `hasta`.
// Rings whose lists differ in length, hold a text that is no number (its
// Failure) or are no UTM of Spain in `desde`, and results out of Spain's
// range for `hasta`, are refused with the range check's message and leave
// every list as it was. Empty lines in both lists are dropped.
bool cambiaHuso(Ui& ui, const std::vector<ListasXY>& anillos, int desde, int hasta, const NumberFormat& fmt);

// Asks for the zone to convert to, 28 to 31, `actual` offered; none when
// the person cancels.
std::optional<int> pideHuso(Ui& ui, int actual);

}  // namespace vadrel::utm
