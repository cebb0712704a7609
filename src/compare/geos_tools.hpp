#pragma once
// The few geometric measures the comparisons take from GEOS. An operation
// GEOS cannot make throws Failure (kNoComparison): a figure measured on
// nothing would be wrong without saying so.

#include <vector>

#include "check/geos_handles.hpp"
#include "compare/segment_index.hpp"
#include "compare/shapes.hpp"

namespace vadrel::compare {

Geom own(const Geos& geos, GEOSGeometry* g);
Prepared prepare(const Geos& geos, const GEOSGeometry* g);

// The shape as one valid (multi)polygon; patches whose rings GEOS cannot
// make are left out. Invalid rings (a bow tie) are repaired as GEOS sees
// fit, so that a drawing mistake still compares instead of stopping
// everything.
Geom geometryOf(const Geos& geos, const Shape& shape);

// The union of several geometries (none: an empty polygon).
Geom unionOf(const Geos& geos, const std::vector<const GEOSGeometry*>& parts);

// The polygons of an overlay's result, without the lines and points it
// holds where its two inputs only touched.
Geom areasOf(const Geos& geos, Geom g);

double area(const Geos& geos, const GEOSGeometry* g);
Geom intersection(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b);
Geom difference(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b);

// The segments of every ring of the polygons in `g` (lines and points an
// overlay may leave have no outline).
std::vector<Segment> outlineOf(const Geos& geos, const GEOSGeometry* g);

// The rings of a (multi)polygon, for drawing.
std::vector<Ring> ringsOf(const Geos& geos, const GEOSGeometry* g);

}  // namespace vadrel::compare
