#include "check/utm_range_checks.hpp"

#include <optional>

#include "check/check_text.hpp"
#include "check/ring_checks.hpp"
#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "core/utm_spain.hpp"

namespace vadrel::check {

namespace {

// A value of absurd length is no coordinate to quote whole.
constexpr std::size_t kLongestValue = 40;

// The zone the nearest srsName at or above the ring names, when it is one
// of Spain's UTM zones; a file without one is told so elsewhere.
std::optional<int> zoneOf(pugi::xml_node node)
{
    for (pugi::xml_node n = node; n; n = n.parent()) {
        if (const pugi::xml_attribute srs = n.attribute("srsName")) {
            const std::optional<int> epsg = epsgDeSrsName(srs.value());
            return epsg ? utm::zoneOfEpsg(*epsg) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

void checkUtmRange(const Model& model, Problems& out)
{
    bool warned = false;
    for (const Feature& f : model.features) {
        bool told = false;  // one vertex per feature: a drawing in local units has every vertex wrong
        for (std::size_t k = 0; k < f.polygons.size() && !told; ++k) {
            for (const Ring& ring : f.polygons[k].rings) {
                if (!ring.readable) continue;
                const std::optional<int> zone = zoneOf(ring.node);
                if (!zone) continue;
                utm::Review review(*zone);
                for (std::size_t i = 0; i < ring.points.size(); ++i)
                    if (!review.vertex(i + 1, ring.points[i].x, ring.points[i].y)) break;
                if (review.fault() != utm::Fit::inside) {
                    const auto [x, y] = vertexTexts(ring, review.faultVertex() - 1);
                    out.push_back({Severity::Error, placeOf(f, k, &ring, review.faultVertex()),
                                   msg::rechazoUtm(review, cutText(x, kLongestValue), cutText(y, kLongestValue))});
                    told = true;
                    break;
                }
                if (!warned && review.awayFromMeridian()) {
                    out.push_back({Severity::Warning, placeOf(f), msg::fueraDelHuso(*zone)});
                    warned = true;
                }
            }
        }
    }
}

}  // namespace vadrel::check
