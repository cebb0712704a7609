#pragma once
// Where a file's coordinates lie: in Spain's UTM range of the zone its
// srsName names, and near that zone's meridian.

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

// Every read ring whose srsName (on it or above it) is one of the UTM zones
// 28 to 31: an error at each feature's first vertex that is no UTM of
// Spain (local units, X and Y swapped), with its values as the file writes
// them; a warning, once for the file, when some vertex lies more than 4°
// from its zone's meridian. Needs the rings read (see checkRings).
void checkUtmRange(const Model& model, Problems& out);

}  // namespace vadrel::check
