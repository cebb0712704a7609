#pragma once
// Generated inputs of every size the benchmarks measure: a parcel ring as a
// coordinate file, a DXF polyline, LIST text and GeoJSON (for the general
// converter), parcel files for grouping and buildings of many rings.

#include <filesystem>
#include <string>
#include <vector>

#include "core/coord_list.hpp"

namespace vadrel {
class TFGMLEdif;
}

namespace vadrel::bench {

struct Ring {
    CoordList x, y;
};

// A circle of n vertices around (cx, cy) in UTM zone 30 metres.
Ring ring(std::size_t n, double cx = 441600, double cy = 4479200, double radius = 0);

std::string coordinateFile(const Ring& r);
std::string dxfFile(const Ring& r);
std::string listText(const Ring& r);
std::string geoJson(const Ring& r);
void writeText(const std::filesystem::path& path, const std::string& text);

// m parcels of 40 vertices in one collection, as the cadastre delivers a
// block.
std::string parcelCollection(std::size_t m);

// The parcel written through the parcel window's writer, area computed.
void writeParcel(const std::filesystem::path& templates, const Ring& r, const std::string& ref,
                 const std::filesystem::path& out);

// m small parcels in a grid, one file each.
std::vector<std::filesystem::path> writeParcelFiles(const std::filesystem::path& templates, std::size_t m,
                                                    const std::filesystem::path& dir);

// The building window's fields and lists: `constructions` rings of
// `vertices` vertices, an exterior then three interiors, and so on.
void fillBuilding(TFGMLEdif& form, std::size_t constructions, std::size_t vertices);

}  // namespace vadrel::bench
