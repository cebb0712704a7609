#pragma once
// The new geometry cut into the cells of a loose quadtree, so that each
// cadastral parcel is intersected with the part of it near the parcel, not
// the whole: a saw-toothed outline across hundreds of parcels, or a road
// along them, would otherwise be walked once per parcel.
//
// A cell's clip is made from its parent's (GEOS's intersection with the
// cell's square grown by half its side, so any box a quarter of the parent
// or smaller fits in one child), only when a box asks for it; each level
// holds about four times the vertices of the whole, and there are log n
// levels.

#include <array>
#include <memory>

#include "check/geos_handles.hpp"

namespace vadrel::compare {

class LocalClips {
public:
    // `whole` must outlive this.
    LocalClips(const Geos& geos, const GEOSGeometry* whole);
    ~LocalClips();

    // A geometry equal to `whole` inside the box: `whole` itself, or the
    // clip of the smallest cell that holds the box.
    const GEOSGeometry* around(double minX, double minY, double maxX, double maxY);

private:
    struct Cell;
    const Geos& geos_;
    const GEOSGeometry* whole_;
    std::unique_ptr<Cell> root_;  // null when the whole is small enough as it is
};

}  // namespace vadrel::compare
