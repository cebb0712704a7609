#pragma once
// Generated inputs of the comparison with the cadastral map, at sizes that
// made a comparison of every point with every other take minutes: a square
// of a few kilometres against itself, a long road against the parcels along
// it, and a saw-toothed parcel across a municipality of small parcels.

#include <string>
#include <vector>

#include "bench_inputs.hpp"
#include "core/geometry.hpp"

namespace vadrel::bench {

// A cadastral parcel of a generated map: its reference and closed ring.
struct MapParcel {
    std::string ref;
    std::vector<Punto> ring;
};

// The map as the cadastre delivers it (UTM zone 30, 2-decimal coordinates).
std::string mapFile(const std::vector<MapParcel>& parcels);
// An open ring as the window's lists hold it (2 decimals), for a coordinate file.
Ring listsOf(const std::vector<Punto>& closedRing);

// A square of `side` metres, four vertices.
std::vector<Punto> square(double side);

// A road 10 m wide and `length` metres long, gently winding, a vertex every
// 25 m of each side, and the map around it: the road (reference
// kRoadRef) and parcels 100 m long and 40 m deep along both sides, sharing
// its vertices.
inline constexpr const char* kRoadRef = "9000001VK0000A";
std::vector<MapParcel> roadMap(double length);
// The road as newly surveyed: its north side 0.3 m further north, into
// every parcel there.
std::vector<Punto> widenedRoad(double length);

// `columns` x `rows` parcels of 25 x 25 m, each side in five stretches
// shared with the neighbour.
std::vector<MapParcel> municipality(int columns, int rows);
// A new parcel over rows 10 to 19 of a municipality `columns` parcels wide,
// its north side a saw of `teeth` teeth reaching 3 m into row 20 and back
// 3 m into row 19.
std::vector<Punto> saw(int columns, int teeth);

}  // namespace vadrel::bench
