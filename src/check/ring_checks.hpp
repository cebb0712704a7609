#pragma once
// Each ring's coordinates on their own: read, counted, closed, without
// repeated or nearly repeated vertices, turning the way INSPIRE asks.

#include <string>
#include <utility>

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

// Reads the points of every ring of the feature (setting `readable` and
// `closedRing`) and reports what is wrong with them.
// `orientation`: also warn of rings that do not turn as INSPIRE asks.
void checkRings(Feature& feature, Problems& out, bool orientation = false);

// The X and Y texts of a read ring's vertex (from 0) as the file writes
// them, for messages that quote the file.
std::pair<std::string, std::string> vertexTexts(const Ring& ring, std::size_t vertex);

}  // namespace vadrel::check
