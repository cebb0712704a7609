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

// The part of `ring` inside `box` (Sutherland-Hodgman): one polygon, whose
// pieces, when the box cuts the ring in several, are joined along the box's
// sides; fewer than three points when nothing of it is inside.
std::vector<Punto> visiblePart(const std::vector<Punto>& ring, const Extension& box);

// The centre of the part of `anillo` inside `vista`: the visible part's area
// centroid, or, where that falls outside the part (a U cut by the edge), the
// middle of the widest stretch of the part along the level or upright line
// through the centroid; nothing when no part of it is inside.
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

// A label that wants a place on a picture: its text's box, in pixels,
// centred on the point it names.
struct LabelCandidate {
    std::string text;
    Extension box;
    bool first = false;  // placed before the others (an affected parcel)
};

// The labels that fit, chosen greedily: the first ones, then the nearest to
// `centre`; one whose box meets a box taken in `taken`, or is empty, is
// left out. Those placed are taken.
std::vector<LabelCandidate> placeLabels(std::vector<LabelCandidate> candidates, Punto centre, Ocupado& taken);

}  // namespace vadrel::compare
