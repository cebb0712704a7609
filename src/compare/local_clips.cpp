#include "compare/local_clips.hpp"

#include <algorithm>
#include <cmath>

#include "compare/geos_tools.hpp"

namespace vadrel::compare {

namespace {

// Below this many vertices a clip is cut no further: one overlay with it
// costs about what cutting it would.
constexpr int kSmall = 256;

// `g` within the box. GEOS's clip by a rectangle walks the rings once, a
// hundred times faster than an overlay, but makes no promise of a valid
// result: one that is not valid is made again by an overlay.
Geom clipped(const Geos& geos, const GEOSGeometry* g, double x0, double y0, double x1, double y1)
{
    const GEOSContextHandle_t h = geos.handle();
    if (GEOSGeometry* fast = GEOSClipByRect_r(h, g, x0, y0, x1, y1)) {
        Geom clip = areasOf(geos, own(geos, fast));
        if (GEOSisValid_r(h, clip.get()) == 1) return clip;
    }
    const Geom square = own(geos, GEOSGeom_createRectangle_r(h, x0, y0, x1, y1));
    // Only the areas: where `g` touches the square from outside the overlay
    // also gives lines, which are no part of it.
    return areasOf(geos, intersection(geos, g, square.get()));
}

}  // namespace

struct LocalClips::Cell {
    double x0, y0, side;                 // the cell itself
    Geom owned;                          // the clip, but at the root
    const GEOSGeometry* clip = nullptr;  // the clip, or at the root the whole
    int vertices = 0;
    std::array<std::unique_ptr<Cell>, 4> children;
};

LocalClips::LocalClips(const Geos& geos, const GEOSGeometry* whole) : geos_(geos), whole_(whole)
{
    const GEOSContextHandle_t h = geos.handle();
    const int vertices = GEOSGetNumCoordinates_r(h, whole);
    if (GEOSisEmpty_r(h, whole) == 1 || vertices <= kSmall) return;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    GEOSGeom_getXMin_r(h, whole, &minX);
    GEOSGeom_getYMin_r(h, whole, &minY);
    GEOSGeom_getXMax_r(h, whole, &maxX);
    GEOSGeom_getYMax_r(h, whole, &maxY);
    const double side = std::max(maxX - minX, maxY - minY);
    if (!std::isfinite(side)) return;  // cells that never shrink: the whole it is
    root_ = std::make_unique<Cell>();
    root_->x0 = minX;
    root_->y0 = minY;
    root_->side = side;
    root_->clip = whole;
    root_->vertices = vertices;
}

LocalClips::~LocalClips() = default;

const GEOSGeometry* LocalClips::around(double minX, double minY, double maxX, double maxY)
{
    if (!root_) return whole_;
    const GEOSContextHandle_t h = geos_.handle();
    Cell* cell = root_.get();
    while (cell->vertices > kSmall) {
        const double half = cell->side / 2;
        const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
        const int right = cx >= cell->x0 + half ? 1 : 0, top = cy >= cell->y0 + half ? 1 : 0;
        const double x0 = cell->x0 + right * half, y0 = cell->y0 + top * half;
        // The child's square grown by half its side on every hand.
        const double grow = half / 2;
        const double lx0 = x0 - grow, ly0 = y0 - grow, lx1 = x0 + half + grow, ly1 = y0 + half + grow;
        if (minX < lx0 || minY < ly0 || maxX > lx1 || maxY > ly1 || !(half > 0)) break;
        std::unique_ptr<Cell>& child = cell->children[static_cast<std::size_t>(2 * top + right)];
        if (!child) {
            child = std::make_unique<Cell>();
            child->x0 = x0;
            child->y0 = y0;
            child->side = half;
            child->owned = clipped(geos_, cell->clip, lx0, ly0, lx1, ly1);
            child->clip = child->owned.get();
            child->vertices = GEOSGetNumCoordinates_r(h, child->clip);
        }
        cell = child.get();
    }
    return cell->clip;
}

}  // namespace vadrel::compare
