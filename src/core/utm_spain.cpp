#include "core/utm_spain.hpp"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/failure.hpp"
#include "core/numeric_text.hpp"

namespace vadrel::utm {

namespace {

constexpr double kFalseEasting = 500000;
// Within this many metres of the meridian's easting no point of Spain's
// northings (up to 4,900,000, about 44.2° N) is 4° of longitude away:
// there 4° is some 320 km. Such points never need PROJ.
constexpr double kSurelyNear = 300000;

bool within(const Range& r, double x, double y) { return x >= r.minX && x <= r.maxX && y >= r.minY && y <= r.maxY; }

double centralMeridian(int zone) { return 6.0 * zone - 183.0; }

std::optional<double> numberOf(std::string_view text, const NumberFormat& fmt)
{
    try {
        return MiStrToFloat(text, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// The zone's inverse projection; "+proj=utm" needs no database.
class InverseUtm {
public:
    explicit InverseUtm(int zone)
    {
        context_ = proj_context_create();
        proj_log_level(context_, PJ_LOG_NONE);
        const std::string definition = "+proj=utm +zone=" + std::to_string(zone) + " +ellps=GRS80";
        utm_ = proj_create(context_, definition.c_str());
        if (!utm_) {
            proj_context_destroy(context_);
            throw std::runtime_error("PROJ cannot make " + definition);
        }
    }
    ~InverseUtm()
    {
        proj_destroy(utm_);
        proj_context_destroy(context_);
    }
    InverseUtm(const InverseUtm&) = delete;
    InverseUtm& operator=(const InverseUtm&) = delete;

    // Degrees; not finite when PROJ cannot invert the point.
    double longitude(double x, double y) const
    {
        const PJ_COORD c = proj_trans(utm_, PJ_INV, proj_coord(x, y, 0, 0));
        return proj_todeg(c.lp.lam);
    }

private:
    PJ_CONTEXT* context_ = nullptr;
    PJ* utm_ = nullptr;
};

}  // namespace

Range spainRange(int zone)
{
    if (zone == 28) return {100000, 900000, 3000000, 3400000};
    if (zone >= 29 && zone <= 31) return {100000, 900000, 3850000, 4900000};
    throw std::out_of_range("UTM zone " + std::to_string(zone) + " is not one of Spain's (28 to 31)");
}

std::optional<int> zoneOfEpsg(int code)
{
    if (code >= 25828 && code <= 25831) return code - 25800;
    if (code == 32628 || code == 4083) return 28;
    return std::nullopt;
}

Fit fitOf(int zone, double x, double y)
{
    const Range r = spainRange(zone);
    if (within(r, x, y)) return Fit::inside;
    if (within(r, y, x)) return Fit::swapped;
    return Fit::outside;
}

double degreesFromMeridian(int zone, double x, double y)
{
    spainRange(zone);  // refuses a zone that is not Spain's
    return std::fabs(InverseUtm(zone).longitude(x, y) - centralMeridian(zone));
}

struct Review::Projection {
    explicit Projection(int zone) : inverse(zone) {}
    InverseUtm inverse;
};

Review::Review(int zone) : zone_(zone), range_(spainRange(zone)) {}

Review::~Review() = default;

bool Review::vertex(std::size_t number, double x, double y)
{
    if (fault_ != Fit::inside) return false;
    if (!within(range_, x, y)) {
        fault_ = within(range_, y, x) ? Fit::swapped : Fit::outside;
        faultVertex_ = number;
        return false;
    }
    if (away_ || std::fabs(x - kFalseEasting) <= kSurelyNear) return true;
    if (!projection_) projection_ = std::make_unique<Projection>(zone_);
    const double lon = projection_->inverse.longitude(x, y);
    // A point PROJ cannot invert is no reason to warn.
    if (std::isfinite(lon) && std::fabs(lon - centralMeridian(zone_)) > kMostDegreesFromMeridian) away_ = true;
    return true;
}

bool reviewTexts(Review& review, const CoordList& x, const CoordList& y, const NumberFormat& fmt)
{
    const std::size_t n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::optional<double> vx = numberOf(x[i], fmt);
        const std::optional<double> vy = numberOf(y[i], fmt);
        if (!vx || !vy) continue;
        if (!review.vertex(i + 1, *vx, *vy)) return false;
    }
    return review.fault() == Fit::inside;
}

}  // namespace vadrel::utm
