#pragma once
// The comparison drawn: the cadastral parcels in thin grey, the affected
// ones in blue, the new geometry in red, overlaps (or what leaves the
// parcel) filled in translucent red. Each parcel seen is labelled with the
// part of its reference that tells it from its neighbours, inside the view
// and over no other label. A white band at the foot holds a scale bar in
// metres and the legend.

#include <string>
#include <vector>

#include "compare/comparison.hpp"
#include "preview/canvas.hpp"

namespace vadrel::compare {

inline constexpr int kPictureSide = 800;

// What the legend calls each colour.
struct Captions {
    const char* fresh;
    const char* map;
    const char* affected;
    const char* filled;
};
inline constexpr Captions kParcelCaptions{"Geometría nueva", "Parcelas catastrales", "Parcelas afectadas", "Solapes"};
inline constexpr Captions kBuildingCaptions{"Construcciones", "Parcelas catastrales", "Parcela catastral",
                                            "Fuera de la parcela"};

// A common point: from where the survey has it towards where the map has
// it, numbered as its pair.
struct Arrow {
    std::string name;
    Punto from, to;
};

struct PictureParts {
    const std::vector<Shape>& map;
    std::vector<bool> affected;       // one per map parcel
    const std::vector<Shape>& fresh;  // the new geometry
    std::vector<Ring> filled;         // overlaps, or constructions' parts outside
    Captions captions = kParcelCaptions;
    std::vector<Arrow> arrows;  // the common points, when there are any
};

// The legend's words for the common points' arrows. A shift of a few
// centimetres is no pixel at a parcel's scale: the arrows are then drawn
// longer by a round factor, which the legend states (kArrowsLonger + "50").
inline constexpr const char* kArrowsCaption = "Puntos comunes (medido → catastro)";
inline constexpr const char* kArrowsLonger = ", flechas ×";
// The longest arrow is drawn at least this long, in pixels.
inline constexpr int kShortestArrow = 30;

// The factor that draws `longest` pixels at least kShortestArrow long: 1,
// or the least of 2, 5, 10, 20, 50... that does; 1 for no length at all.
double arrowFactor(double longest);

// The legend's words for labels left out for want of room.
inline constexpr const char* kOmittedLabels = "referencias omitidas: ";

void drawComparison(Canvas& canvas, int side, const PictureParts& parts);

// The parts of a parcel comparison, and of a building's.
PictureParts partsOf(const ParcelComparison& c, const std::vector<Shape>& map, const std::vector<Shape>& fresh);
PictureParts partsOf(const std::vector<ConstructionOutside>& outside, const std::vector<Shape>& parcel,
                     const std::vector<Shape>& constructions);

}  // namespace vadrel::compare
