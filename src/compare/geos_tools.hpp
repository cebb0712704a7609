#pragma once
// GEOS's reentrant C API held in owning handles, and the few geometric
// measures the comparisons take from it.

#include <geos_c.h>

#include <memory>
#include <vector>

#include "compare/shapes.hpp"

namespace vadrel::compare {

// One GEOS context per comparison; its messages are not ours to print.
class Geos {
public:
    Geos();
    ~Geos();
    Geos(const Geos&) = delete;
    Geos& operator=(const Geos&) = delete;

    GEOSContextHandle_t handle() const { return handle_; }

private:
    GEOSContextHandle_t handle_;
};

struct GeomDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(GEOSGeometry* g) const
    {
        if (g) GEOSGeom_destroy_r(handle, g);
    }
};
using Geom = std::unique_ptr<GEOSGeometry, GeomDeleter>;

struct PreparedDeleter {
    GEOSContextHandle_t handle = nullptr;
    void operator()(const GEOSPreparedGeometry* g) const
    {
        if (g) GEOSPreparedGeom_destroy_r(handle, g);
    }
};
using Prepared = std::unique_ptr<const GEOSPreparedGeometry, PreparedDeleter>;

Geom own(const Geos& geos, GEOSGeometry* g);
Prepared prepare(const Geos& geos, const GEOSGeometry* g);

// The shape as one valid (multi)polygon; an empty one when GEOS cannot
// build it. Invalid rings (a bow tie) are repaired as GEOS sees fit, so that
// a drawing mistake still compares instead of stopping everything.
Geom geometryOf(const Geos& geos, const Shape& shape);

// The union of several geometries (none: an empty polygon).
Geom unionOf(const Geos& geos, const std::vector<const GEOSGeometry*>& parts);

double area(const Geos& geos, const GEOSGeometry* g);
Geom intersection(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b);
Geom difference(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b);

// The largest distance from a vertex of `part` to `target` (a boundary, or
// a polygon for the distance outside it); 0 for an empty part.
double farthestVertex(const Geos& geos, const GEOSGeometry* part, const GEOSGeometry* target);

// The Hausdorff distance between the boundaries of two polygons, both
// densified to `step` metres first.
double boundaryDistance(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b, double step);

// The rings of a (multi)polygon, for drawing.
std::vector<Ring> ringsOf(const Geos& geos, const GEOSGeometry* g);

}  // namespace vadrel::compare
