#pragma once
// Labels of cadastral parcels on a picture or a plan: a short text that
// tells neighbours apart, placed inside what is seen, never over another.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::compare {

// The part of a reference that tells a parcel from its neighbours. Urban
// (7 digits of block and parcel, then the map sheet): those 7 digits.
// Rural (5 digits of the municipality, a letter, 3 digits of polygon and 5
// of parcel): "polygon/parcel" without leading zeros, "1/52". Any other
// reference whole.
std::string etiquetaDeReferencia(std::string_view referencia);

// The centre of the part of `anillo` inside `vista` (the ring clipped to the
// box, its area centroid); nothing when no part of it is inside.
std::optional<Punto> centroVisible(const std::vector<Punto>& anillo, const Extension& vista);

// Boxes already taken on a picture or a page; a new one is placed only
// when it meets none of them.
class Ocupado {
public:
    // True, and the box kept, when it meets no box taken; false otherwise.
    bool toma(const Extension& caja);
    // Taken whatever it meets (a figure that is drawn anyway).
    void reserva(const Extension& caja) { cajas_.push_back(caja); }
    bool libre(const Extension& caja) const;

private:
    std::vector<Extension> cajas_;
};

}  // namespace vadrel::compare
