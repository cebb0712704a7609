#pragma once
// Whether a ring is simple (no two of its edges meet but neighbours at
// their shared vertex), or rings meet nowhere, by a sweep over its edges that keeps them ordered
// as they cross the sweep line: n log n whatever the shape. GEOS's validity
// test indexes edges by their boxes, which a narrow saw-tooth makes all
// overlap, and then compares every edge with every other.

#include <vector>

#include "core/geometry.hpp"

namespace vadrel::check {

enum class Simplicity {
    Simple,   // no two edges meet but neighbours at their shared vertex
    Crosses,  // two edges cross each other
    Touches,  // a vertex is met twice
    Unsure,   // edges that touch or overlap, too close to call, or fewer
              // than three distinct vertices
};

// `points` closed (the last repeats the first); repeated consecutive
// vertices are taken once. `where`, when given, gets the point two edges
// cross at.
Simplicity ringSimplicity(const std::vector<Punto>& points, Punto* where = nullptr);

// The same over several rings at once (a polygon's exterior and interiors):
// Simple when no edge of any meets another but its neighbours in its ring.
Simplicity ringsSimplicity(const std::vector<const std::vector<Punto>*>& rings, Punto* where = nullptr);

// True when the ring turns often enough (short runs of edges heading the
// same way) that GEOS's index would compare most edges with most others.
bool zigzags(const std::vector<Punto>& points);

}  // namespace vadrel::check
