#pragma once
// The new geometry against the cadastral map, as the cadastre's graphic
// validation looks at it: which cadastral parcels the operation takes in,
// which neighbours it overlaps, how much the outline moves; and whether a
// building's constructions stay inside their parcel.
//
// Every figure comes from indexed geometry (GEOS's prepared geometries and
// STRtree, and a segment index for the distances), so the work grows as
// n log n in the vertices, whatever the outline's length in metres. A
// figure that cannot be computed (coordinates so far apart that a distance
// or an area is no finite number, an operation GEOS cannot make) throws
// Failure with a message starting with kNoComparison.

#include <optional>
#include <string>
#include <vector>

#include "compare/shapes.hpp"

namespace vadrel::compare {

// Smaller intersections are the rounding of shared boundaries.
inline constexpr double kLeastOverlap = 0.01;  // m2
// Neighbours are the parcels within this distance of the new geometry.
inline constexpr double kNeighbourReach = 1.0;  // m

inline constexpr const char* kNoComparison = "No se ha podido calcular la comparación: ";

struct Overlap {
    std::string ref;  // the neighbour's reference
    double area = 0;
    // The largest distance from a point of the overlap's outline (anywhere
    // along it, not only at its vertices) to the neighbour's boundary.
    double depth = 0;
    std::vector<Ring> rings;  // the overlap, for the picture
};

struct ParcelComparison {
    double newArea = 0;
    double cadastralArea = 0;              // of the union of the affected parcels
    double cadastralPerimeter = 0;         // of that union, holes included (m)
    std::vector<std::size_t> affected;     // indices into the cadastral map, in its order
    std::vector<std::size_t> neighbours;   // likewise
    double outside = 0;                    // new minus affected
    double uncovered = 0;                  // affected minus new
    double displacement = 0;               // Hausdorff distance of the two outlines, exact
    std::vector<Overlap> overlaps;         // largest first
};

// `fresh`: the new parcels (one operation); a fresh parcel's name, when not
// empty, is a cadastral reference it keeps. `map`: the cadastral parcels.
ParcelComparison compareParcels(const std::vector<Shape>& fresh, const std::vector<Shape>& map);

struct ConstructionOutside {
    std::string name;
    double area = 0;
    // The largest distance from a point of the outline of what lies outside
    // to the parcel's boundary.
    double reach = 0;
    std::vector<Ring> rings;
};

// Every construction with at least kLeastOverlap outside the parcel (the
// union of `parcel`), in the order given.
std::vector<ConstructionOutside> compareBuilding(const std::vector<Shape>& constructions,
                                                 const std::vector<Shape>& parcel);

// The report's lines, in the order and the words the person reads them;
// with the registered area (m2, > 0) when one is given.
std::vector<std::string> reportLines(const ParcelComparison& c, const std::vector<Shape>& map,
                                     std::optional<double> registered = std::nullopt);
std::vector<std::string> reportLines(const std::vector<ConstructionOutside>& outside);

// "1234.56": two decimals, "." as separator, whatever the locale; never "-0.00".
std::string twoDecimals(double v);

}  // namespace vadrel::compare
