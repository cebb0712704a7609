#pragma once
// Zone 28 and degrees: the cadastre's service answers the Canaries only in
// EPSG:4326 (latitude, longitude, the order that system defines), while
// their files are in UTM zone 28 metres (EPSG:32628). PROJ converts.

#include <memory>
#include <pugixml.hpp>

#include "core/geometry.hpp"

namespace vadrel::compare {

struct Degrees {
    double lat = 0;
    double lon = 0;
};

class Zone28 {
public:
    // Throws Failure when PROJ has no such conversion (its database missing).
    Zone28();
    ~Zone28();
    Zone28(const Zone28&) = delete;
    Zone28& operator=(const Zone28&) = delete;

    Punto metres(Degrees d) const;
    Degrees degrees(Punto p) const;

    // Every coordinate of a document answered in EPSG:4326 rewritten in
    // zone 28 metres (two decimals), and its reference systems renamed.
    void convertDocument(pugi::xml_document& doc) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vadrel::compare
