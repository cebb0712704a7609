#pragma once
// The cadastral map of a comparison brought into the client's report: the
// parcels it looked at behind the plan, the overlaps (or what leaves the
// parcel) filled, and the comparison's figures as rows of a table.

#include <optional>
#include <vector>

#include "compare/shapes.hpp"
#include "report/report_data.hpp"

namespace vadrel::report {

// The report's own rings compared with `map` (the parcel's report) or with
// the building's parcel. Nothing is added when the map lies away from the
// rings, as after a comparison of another parcel in the same window. The
// tolerance line goes to the "Georreferenciación" block too, and the
// registered area's when one is given.
void anadeCartografia(DatosInforme& d, const std::vector<compare::Shape>& map,
                      std::optional<double> registral = std::nullopt);
void anadeParcelaCatastral(DatosInforme& d, const std::vector<compare::Shape>& parcel);

}  // namespace vadrel::report
