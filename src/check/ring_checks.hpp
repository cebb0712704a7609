#pragma once
// Each ring's coordinates on their own: read, counted, closed, without
// repeated or nearly repeated vertices, turning the way INSPIRE asks.

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

// Reads the points of every ring of the feature (setting `readable` and
// `closedRing`) and reports what is wrong with them.
// `orientation`: also warn of rings that do not turn as INSPIRE asks.
void checkRings(Feature& feature, Problems& out, bool orientation = false);

}  // namespace vadrel::check
