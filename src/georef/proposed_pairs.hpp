#pragma once
// Common points found without the person: each vertex of the new geometry
// with the nearest cadastral vertex close enough, one to one. A proposal
// only: the person checks each pair before computing.

#include <vector>

#include "compare/comparison.hpp"
#include "compare/shapes.hpp"
#include "georef/common_points.hpp"

namespace vadrel::georef {

inline constexpr double kPairReach = 5.0;  // m

// The shapes' distinct vertices, in their order (a ring's closing vertex,
// and a vertex two parcels share, once).
std::vector<Punto> verticesOf(const std::vector<compare::Shape>& shapes);

// For each of `fresh` the nearest of `cadastral` within kPairReach, the
// nearest pairs taken first and no vertex in two pairs; named by the fresh
// vertex's number (from 1), in that order.
std::vector<Pair> proposePairs(const std::vector<Punto>& fresh, const std::vector<Punto>& cadastral);

// The same for a comparison's new geometry against the vertices of its
// affected and neighbouring cadastral parcels.
std::vector<Pair> proposePairs(const std::vector<compare::Shape>& fresh, const std::vector<compare::Shape>& map,
                               const compare::ParcelComparison& comparison);

// Every point moved by the fit.
std::vector<Punto> moved(const Similarity& fit, const std::vector<Punto>& points);

}  // namespace vadrel::georef
