#pragma once
// Spain's territory in UTM metres: the range every vertex of zone 28 to 31
// must lie in, and how far from its zone's central meridian it falls. The
// writers, the DXF loads, the grouping and the offline check all ask here,
// so that a drawing in local units or X and Y swapped is caught the same
// way everywhere.

#include <cstddef>
#include <memory>
#include <optional>

#include "core/coord_list.hpp"
#include "core/number_format.hpp"

namespace vadrel::utm {

// Zone 28 (the Canaries) and zones 29 to 31 (the peninsula, the Balearics,
// Ceuta and Melilla), in metres, limits included.
struct Range {
    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
};
// Throws std::out_of_range for a zone outside 28 to 31.
Range spainRange(int zone);

// The zone of an EPSG code the cadastre draws in: ETRS89 / UTM 28N to 31N
// (25828 to 25831), WGS 84 / UTM 28N (32628), REGCAN95 / UTM 28N (4083).
// None for any other code.
std::optional<int> zoneOfEpsg(int code);

enum class Fit {
    inside,   // within its zone's range
    swapped,  // within it only with X and Y exchanged
    outside,  // neither (local units, another zone, no finite number)
};
Fit fitOf(int zone, double x, double y);

// Degrees of longitude between (x, y) and the zone's central meridian
// (-15, -9, -3, 3 for zones 28 to 31), through PROJ.
double degreesFromMeridian(int zone, double x, double y);

// Past this the point most likely belongs to another zone; a municipality
// across a zone line keeps one zone, so up to about 1° past the 3° band
// is normal.
inline constexpr double kMostDegreesFromMeridian = 4.0;

// Vertices judged one by one, in as many rings as the caller has: the
// first that does not fit, and whether any that fit lies beyond
// kMostDegreesFromMeridian. PROJ is only asked about vertices far enough
// from the meridian for that to be possible.
class Review {
public:
    explicit Review(int zone);  // throws std::out_of_range as spainRange does
    ~Review();
    Review(const Review&) = delete;
    Review& operator=(const Review&) = delete;

    // Judges the vertex the caller calls `number`. False when it does not
    // fit; once one has not, the review is over and false is all it says.
    bool vertex(std::size_t number, double x, double y);

    int zone() const { return zone_; }
    Fit fault() const { return fault_; }  // inside while every vertex fitted
    std::size_t faultVertex() const { return faultVertex_; }
    bool awayFromMeridian() const { return away_; }

private:
    struct Projection;
    int zone_;
    Range range_;
    Fit fault_ = Fit::inside;
    std::size_t faultVertex_ = 0;
    bool away_ = false;
    std::unique_ptr<Projection> projection_;  // made at the first vertex that needs it
};

// The vertices of two text lists (line i of each is vertex i + 1), read as
// the windows read them; a line that is no number is left to the
// conversion that tells it. False at the first vertex that does not fit.
bool reviewTexts(Review& review, const CoordList& x, const CoordList& y, const NumberFormat& fmt);

}  // namespace vadrel::utm
