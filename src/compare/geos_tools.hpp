#pragma once
// The few geometric measures the comparisons take from GEOS.

#include <vector>

#include "check/geos_handles.hpp"
#include "compare/shapes.hpp"

namespace vadrel::compare {

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
