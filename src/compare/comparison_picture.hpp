#pragma once
// The comparison drawn: the cadastral parcels in thin grey labelled with
// the end of their reference, the affected ones in blue, the new geometry
// in red, overlaps (or what leaves the parcel) filled in translucent red,
// and a scale bar in metres.

#include <vector>

#include "compare/comparison.hpp"
#include "preview/canvas.hpp"

namespace vadrel::compare {

inline constexpr int kPictureSide = 800;

struct PictureParts {
    const std::vector<Shape>& map;
    std::vector<bool> affected;       // one per map parcel
    const std::vector<Shape>& fresh;  // the new geometry
    std::vector<Ring> filled;         // overlaps, or constructions' parts outside
};

void drawComparison(Canvas& canvas, int side, const PictureParts& parts);

// The parts of a parcel comparison, and of a building's.
PictureParts partsOf(const ParcelComparison& c, const std::vector<Shape>& map, const std::vector<Shape>& fresh);
PictureParts partsOf(const std::vector<ConstructionOutside>& outside, const std::vector<Shape>& parcel,
                     const std::vector<Shape>& constructions);

}  // namespace vadrel::compare
