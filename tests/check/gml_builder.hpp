#pragma once
// Hand-made cadastre GML for the check's tests: a valid parcel or building
// file by default, every part open to being made wrong.

#include <string>
#include <vector>

#include "check/schema_settings.hpp"

namespace vadrel::test {

// 40 × 30 m, counter-clockwise: 1200 m².
inline constexpr const char* kSquare = "500000 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100000";
// 10 × 10 m inside the square, clockwise.
inline constexpr const char* kHole = "500010 4100010 500010 4100020 500020 4100020 500020 4100010 500010 4100010";

struct Patch {
    std::string exterior = kSquare;
    std::vector<std::string> interiors;
};

struct ParcelSpec {
    std::string ref = "1234567AB1234N";
    std::string ns = "ES.SDGC.CP";
    std::string area = "1200";
    std::string srs = "http://www.opengis.net/def/crs/EPSG/0/25830";
    std::vector<Patch> patches{Patch{}};
};

// The download form: wfs FeatureCollection, one member per parcel.
std::string parcelsGml(const std::vector<ParcelSpec>& parcels);
inline std::string parcelGml(const ParcelSpec& parcel = {}) { return parcelsGml({parcel}); }

struct BuildingSpec {
    std::string ref = "1234567AB1234N";
    std::string value = "2400";
    std::string srs = "urn:ogc:def:crs:EPSG::25830";
    std::vector<Patch> patches{Patch{}};
    // A pool beside the building, as the cadastre writes pools.
    std::string pool = "500050 4100000 500060 4100000 500060 4100005 500050 4100005 500050 4100000";
};

std::string buildingGml(const BuildingSpec& building = {});

// The shared folder's catalog; without it, no schemas (the schema check
// then says it could not run, and every other check runs as always).
check::SchemaSettings testSchemas();

// `text` with its first `from` replaced by `to` (fails the test when absent).
std::string replaced(std::string text, const std::string& from, const std::string& to);

}  // namespace vadrel::test
