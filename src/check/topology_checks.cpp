#include "check/topology_checks.hpp"

#include <geos_c.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "check/check_text.hpp"
#include "check/geos_handles.hpp"
#include "check/ring_sweep.hpp"

namespace vadrel::check {

namespace {

constexpr std::size_t kMostOverlaps = 10;

GEOSGeometry* linearRing(GEOSContextHandle_t h, const std::vector<Punto>& points)
{
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(points.size()), 2);
    if (!seq) return nullptr;
    for (std::size_t i = 0; i < points.size(); ++i)
        GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), points[i].x, points[i].y);
    return GEOSGeom_createLinearRing_r(h, seq);  // takes the sequence, or frees it on failure
}

// One ring as a polygon of its own.
Geom polygonOf(GEOSContextHandle_t h, const Ring& ring)
{
    GEOSGeometry* outer = linearRing(h, ring.points);
    return Geom(outer ? GEOSGeom_createPolygon_r(h, outer, nullptr, 0) : nullptr, {h});
}

// The polygon whose shell is the first of `alone` and whose holes are the
// rest, from copies of their rings (the points are not converted again).
Geom joined(GEOSContextHandle_t h, const std::vector<Geom>& alone)
{
    GEOSGeometry* shell = GEOSGeom_clone_r(h, GEOSGetExteriorRing_r(h, alone.front().get()));
    std::vector<GEOSGeometry*> holes;
    for (std::size_t r = 1; r < alone.size(); ++r)
        holes.push_back(GEOSGeom_clone_r(h, GEOSGetExteriorRing_r(h, alone[r].get())));
    return Geom(GEOSGeom_createPolygon_r(h, shell, holes.data(), static_cast<unsigned>(holes.size())), {h});
}

struct Invalidity {
    std::string reason;
    std::string where;  // "(x y)", empty when GEOS gave no place
};

// Nothing when the geometry is valid.
std::optional<Invalidity> invalidity(GEOSContextHandle_t h, const GEOSGeometry* g)
{
    char* reason = nullptr;
    GEOSGeometry* location = nullptr;
    const char valid = GEOSisValidDetail_r(h, g, 0, &reason, &location);
    if (valid == 1) return std::nullopt;
    Invalidity out;
    if (reason) {
        out.reason = reason;
        GEOSFree_r(h, reason);
    }
    if (out.reason.empty()) out.reason = "GEOS no ha podido examinarlo";
    if (location) {
        double x = 0, y = 0;
        if (GEOSGeomGetX_r(h, location, &x) == 1 && GEOSGeomGetY_r(h, location, &y) == 1) out.where = pointText(x, y);
        GEOSGeom_destroy_r(h, location);
    }
    return out;
}

std::string near(const Invalidity& v) { return v.where.empty() ? std::string() : concat({" cerca de ", v.where}); }

std::string ringMessage(const Invalidity& v)
{
    if (v.reason == "Self-intersection") return concat({"El anillo se corta a sí mismo", near(v), "."});
    if (v.reason == "Ring Self-intersection") return concat({"El anillo se toca a sí mismo", near(v), "."});
    if (v.reason == "Too few points") return "El anillo no tiene al menos tres vértices distintos.";
    return concat({"El anillo no es válido (", v.reason, ")", near(v), "."});
}

std::string polygonMessage(const Invalidity& v)
{
    std::string_view what = v.reason;
    if (v.reason == "Self-intersection")
        what = "sus anillos se cortan";
    else if (v.reason == "Ring Self-intersection")
        what = "un anillo se toca a sí mismo";
    else if (v.reason == "Hole lies outside shell")
        what = "un anillo interior queda fuera del exterior";
    else if (v.reason == "Nested holes")
        what = "un anillo interior está dentro de otro";
    else if (v.reason == "Interior is disconnected")
        what = "los anillos interiores lo parten en trozos";
    else if (v.reason == "Duplicate Rings")
        what = "tiene dos anillos iguales";
    return concat({"El recinto no es válido: ", what, near(v), "."});
}

// A polygon that passed every check, kept to compare with its neighbours.
struct Sound {
    std::size_t index;
    Geom geometry;
};

// True when the union of the polygons has (to rounding) the sum of their
// areas: none shares area with another. Many touching polygons (a fan
// round one vertex) make every pair a candidate; their union is n log n.
bool noneShareArea(GEOSContextHandle_t h, const std::vector<Sound>& sound)
{
    std::vector<GEOSGeometry*> copies;
    double sum = 0;
    for (const Sound& s : sound) {
        double area = 0;
        if (GEOSArea_r(h, s.geometry.get(), &area) != 1) return false;
        sum += area;
        copies.push_back(GEOSGeom_clone_r(h, s.geometry.get()));
    }
    Geom all(GEOSGeom_createCollection_r(h, GEOS_MULTIPOLYGON, copies.data(), static_cast<unsigned>(copies.size())),
             {h});
    if (!all) return false;
    Geom united(GEOSUnaryUnion_r(h, all.get()), {h});
    double area = 0;
    if (!united || GEOSArea_r(h, united.get(), &area) != 1) return false;
    return area >= sum * (1 - 1e-10);
}

void reportOverlaps(GEOSContextHandle_t h, const Feature& f, const std::vector<Sound>& sound, Problems& out)
{
    // Beyond a few polygons, pairs are looked at only when the union says
    // some do share area.
    constexpr std::size_t kFewPolygons = 32;
    if (sound.size() < 2 || (sound.size() > kFewPolygons && noneShareArea(h, sound))) return;

    Tree tree(GEOSSTRtree_create_r(h, 10), {h});
    if (!tree) return;
    std::vector<std::size_t> index(sound.size());
    for (std::size_t i = 0; i < sound.size(); ++i) {
        index[i] = i;
        GEOSSTRtree_insert_r(h, tree.get(), sound[i].geometry.get(), &index[i]);
    }
    // After a few overlaps the rest are not looked for: a file of a
    // thousand copies of one polygon would give half a million lines.
    std::size_t overlaps = 0;
    std::vector<std::size_t> near;
    for (std::size_t a = 0; a < sound.size() && overlaps <= kMostOverlaps; ++a) {
        // The later polygons whose boxes meet this one's, in order.
        near.clear();
        struct Query {
            std::size_t a;
            std::vector<std::size_t>* near;
        } query{a, &near};
        GEOSSTRtree_query_r(
            h, tree.get(), sound[a].geometry.get(),
            [](void* item, void* data) {
                auto* q = static_cast<Query*>(data);
                if (const std::size_t b = *static_cast<std::size_t*>(item); b > q->a) q->near->push_back(b);
            },
            &query);
        if (near.empty()) continue;
        std::sort(near.begin(), near.end());
        const GEOSPreparedGeometry* prepared = GEOSPrepare_r(h, sound[a].geometry.get());
        if (!prepared) continue;
        for (const std::size_t b : near) {
            if (GEOSPreparedIntersects_r(h, prepared, sound[b].geometry.get()) != 1) continue;
            // Touching along an edge or at a corner is fine; sharing area is not.
            if (GEOSRelatePattern_r(h, sound[a].geometry.get(), sound[b].geometry.get(), "2********") != 1) continue;
            if (++overlaps > kMostOverlaps) {
                out.push_back({Severity::Error, placeOf(f), "Y hay más recintos que se solapan."});
                break;
            }
            out.push_back({Severity::Error, placeOf(f),
                           concat({"Los recintos ", std::to_string(sound[a].index + 1), " y ",
                                   std::to_string(sound[b].index + 1), " se solapan."})});
        }
        GEOSPreparedGeom_destroy_r(h, prepared);
    }
}

// Where a polygon's interior rings lie, when no edge of any of its rings
// meets another (the sweep said so): each ring is then wholly inside or
// outside each other, and one vertex tells which, without GEOS's tests that
// zigzag rings make quadratic. Told as the GEOS road tells it; false when
// something is wrong.
bool holesPlaced(GEOSContextHandle_t h, const Feature& f, std::size_t k, const std::vector<Geom>& alone,
                 Problems& out)
{
    const Polygon& polygon = f.polygons[k];
    std::vector<Prepared> prepared;
    for (const Geom& g : alone) prepared.emplace_back(GEOSPrepare_r(h, g.get()), PreparedDeleter{h});
    auto inside = [&](std::size_t area, const Punto& p) {
        Geom point(GEOSGeom_createPointFromXY_r(h, p.x, p.y), {h});
        return prepared[area] && point && GEOSPreparedContainsProperly_r(h, prepared[area].get(), point.get()) == 1;
    };
    bool ok = true;
    for (std::size_t r = 1; r < polygon.rings.size(); ++r) {
        if (inside(0, polygon.rings[r].points.front())) continue;
        ok = false;
        out.push_back({Severity::Error, placeOf(f, k, &polygon.rings[r]),
                       inside(r, polygon.rings[0].points.front()) ? "El anillo interior envuelve al anillo exterior."
                                                                  : "El anillo interior queda fuera del anillo exterior."});
    }
    if (!ok) return false;
    for (std::size_t r = 1; r < polygon.rings.size(); ++r) {
        for (std::size_t q = 1; q < polygon.rings.size(); ++q) {
            const Punto& p = polygon.rings[q].points.front();
            if (q == r || !inside(r, p)) continue;
            out.push_back({Severity::Error, placeOf(f, k), polygonMessage({"Nested holes", pointText(p.x, p.y)})});
            return false;
        }
    }
    return true;
}

void checkFeature(GEOSContextHandle_t h, const Feature& f, Problems& out)
{
    std::vector<Sound> sound;
    for (std::size_t k = 0; k < f.polygons.size(); ++k) {
        const Polygon& polygon = f.polygons[k];
        if (polygon.rings.empty() || polygon.rings.front().interior) continue;
        bool ok = true;
        std::vector<Geom> alone;  // each ring as a polygon of its own
        for (const Ring& ring : polygon.rings) {
            Geom g = ring.closedRing ? polygonOf(h, ring) : Geom(nullptr, {h});
            // A ring that makes GEOS's test quadratic is judged by the sweep,
            // and left to GEOS only when the sweep cannot tell.
            Punto at;
            const Simplicity swept =
                g && zigzags(ring.points) ? ringSimplicity(ring.points, &at) : Simplicity::Unsure;
            if (!g) {
                ok = false;
            } else if (swept == Simplicity::Simple) {
            } else if (swept == Simplicity::Crosses) {
                out.push_back({Severity::Error, placeOf(f, k, &ring),
                               concat({"El anillo se corta a sí mismo cerca de ", pointText(at.x, at.y), "."})});
                ok = false;
                g.reset();
            } else if (auto bad = invalidity(h, g.get())) {
                out.push_back({Severity::Error, placeOf(f, k, &ring), ringMessage(*bad)});
                ok = false;
                g.reset();
            }
            alone.push_back(std::move(g));
        }
        const GEOSGeometry* exterior = alone.front().get();
        if (!exterior) continue;
        const bool zigzag = std::any_of(polygon.rings.begin(), polygon.rings.end(),
                                        [](const Ring& r) { return zigzags(r.points); });
        if (ok && zigzag && alone.size() > 1) {
            std::vector<const std::vector<Punto>*> rings;
            for (const Ring& r : polygon.rings) rings.push_back(&r.points);
            if (ringsSimplicity(rings) == Simplicity::Simple) {
                if (!holesPlaced(h, f, k, alone, out)) continue;
                if (Geom whole = joined(h, alone)) sound.push_back({k, std::move(whole)});
                continue;
            }
        }
        for (std::size_t r = 1; r < polygon.rings.size(); ++r) {
            const GEOSGeometry* hole = alone[r].get();
            if (!hole || GEOSCoveredBy_r(h, hole, exterior) == 1) continue;
            ok = false;
            const char* what = "El anillo interior queda fuera del anillo exterior.";
            if (GEOSCoveredBy_r(h, exterior, hole) == 1)
                what = "El anillo interior envuelve al anillo exterior.";
            else if (GEOSRelatePattern_r(h, hole, exterior, "T********") == 1)
                what = "El anillo interior cruza el anillo exterior.";
            out.push_back({Severity::Error, placeOf(f, k, &polygon.rings[r]), what});
        }
        if (!ok) continue;

        Geom whole = joined(h, alone);
        if (!whole) continue;
        // A polygon of one ring is as valid as its ring.
        if (auto bad = alone.size() > 1 ? invalidity(h, whole.get()) : std::nullopt) {
            out.push_back({Severity::Error, placeOf(f, k), polygonMessage(*bad)});
            continue;
        }
        sound.push_back({k, std::move(whole)});
    }

    reportOverlaps(h, f, sound, out);
}

}  // namespace

struct TopologyCheck::Context {
    Geos geos;
};

TopologyCheck::TopologyCheck() : context_(std::make_unique<Context>()) {}
TopologyCheck::~TopologyCheck() = default;

void TopologyCheck::check(const Feature& feature, Problems& out)
{
    checkFeature(context_->geos.handle(), feature, out);
}

}  // namespace vadrel::check
