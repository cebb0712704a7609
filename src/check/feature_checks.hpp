#pragma once
// What a feature declares about itself against what its geometry shows: a
// parcel's area, a building's official area.

#include <optional>

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

// A parcel's areaValue, a building's official area. Needs the rings read
// (see checkRings).
void checkDeclaredArea(const Feature& feature, Problems& out);

// The area of a feature's polygons, interiors taken away; nothing when a
// ring could not be read or is not closed.
std::optional<double> areaOf(const Feature& feature);

}  // namespace vadrel::check
