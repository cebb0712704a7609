#include "compare/geos_tools.hpp"

#include <algorithm>

#include "compare/comparison_failure.hpp"

namespace vadrel::compare {

namespace {

// The result of an operation that must succeed.
Geom made(const Geos& geos, GEOSGeometry* g)
{
    if (!g) cannotCompare(kFailedOperation);
    return own(geos, g);
}

GEOSGeometry* linearRing(GEOSContextHandle_t h, const Ring& points)
{
    GEOSCoordSequence* seq = GEOSCoordSeq_create_r(h, static_cast<unsigned>(points.size()), 2);
    if (!seq) return nullptr;
    for (std::size_t i = 0; i < points.size(); ++i)
        GEOSCoordSeq_setXY_r(h, seq, static_cast<unsigned>(i), points[i].x, points[i].y);
    return GEOSGeom_createLinearRing_r(h, seq);  // takes the sequence, or frees it on failure
}

// Null when a ring cannot be made (fewer than four points, not closed).
GEOSGeometry* polygonOf(GEOSContextHandle_t h, const Patch& patch)
{
    GEOSGeometry* shell = linearRing(h, patch.rings.front());
    if (!shell) return nullptr;
    std::vector<GEOSGeometry*> holes;
    for (std::size_t r = 1; r < patch.rings.size(); ++r)
        if (GEOSGeometry* hole = linearRing(h, patch.rings[r])) holes.push_back(hole);
    return GEOSGeom_createPolygon_r(h, shell, holes.data(), static_cast<unsigned>(holes.size()));
}

void forEachVertex(GEOSContextHandle_t h, const GEOSGeometry* g, const auto& f)
{
    const int parts = GEOSGetNumGeometries_r(h, g);
    if (parts > 1 || GEOSGeomTypeId_r(h, g) >= GEOS_MULTIPOINT) {
        for (int i = 0; i < parts; ++i) forEachVertex(h, GEOSGetGeometryN_r(h, g, i), f);
        return;
    }
    auto ring = [&](const GEOSGeometry* line) {
        const GEOSCoordSequence* seq = GEOSGeom_getCoordSeq_r(h, line);
        unsigned size = 0;
        if (!seq || !GEOSCoordSeq_getSize_r(h, seq, &size)) return;
        for (unsigned i = 0; i < size; ++i) {
            double x = 0, y = 0;
            GEOSCoordSeq_getXY_r(h, seq, i, &x, &y);
            f(x, y);
        }
    };
    if (GEOSGeomTypeId_r(h, g) == GEOS_POLYGON) {
        if (GEOSisEmpty_r(h, g) == 1) return;
        ring(GEOSGetExteriorRing_r(h, g));
        const int holes = GEOSGetNumInteriorRings_r(h, g);
        for (int i = 0; i < holes; ++i) ring(GEOSGetInteriorRingN_r(h, g, i));
    } else {
        ring(g);
    }
}

}  // namespace

Geom own(const Geos& geos, GEOSGeometry* g)
{
    if (!g) g = GEOSGeom_createEmptyPolygon_r(geos.handle());
    return Geom(g, {geos.handle()});
}

Prepared prepare(const Geos& geos, const GEOSGeometry* g)
{
    return Prepared(GEOSPrepare_r(geos.handle(), g), {geos.handle()});
}

Geom geometryOf(const Geos& geos, const Shape& shape)
{
    const GEOSContextHandle_t h = geos.handle();
    std::vector<GEOSGeometry*> polygons;
    for (const Patch& patch : shape.patches)
        if (GEOSGeometry* p = polygonOf(h, patch)) polygons.push_back(p);
    Geom collection = made(geos, GEOSGeom_createCollection_r(h, GEOS_MULTIPOLYGON, polygons.data(),
                                                             static_cast<unsigned>(polygons.size())));
    if (GEOSisValid_r(h, collection.get()) == 1) return collection;
    // Patches that touch or overlap, or a ring that crosses itself.
    Geom valid = made(geos, GEOSMakeValid_r(h, collection.get()));
    // Lines and points a repair may leave do not count as area.
    std::vector<const GEOSGeometry*> areas;
    const int n = GEOSGetNumGeometries_r(h, valid.get());
    for (int i = 0; i < n; ++i) {
        const GEOSGeometry* part = GEOSGetGeometryN_r(h, valid.get(), i);
        const int type = GEOSGeomTypeId_r(h, part);
        if (type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON) areas.push_back(part);
    }
    return unionOf(geos, areas);
}

Geom unionOf(const Geos& geos, const std::vector<const GEOSGeometry*>& parts)
{
    const GEOSContextHandle_t h = geos.handle();
    std::vector<GEOSGeometry*> copies;
    for (const GEOSGeometry* p : parts) copies.push_back(GEOSGeom_clone_r(h, p));
    Geom collection = made(geos, GEOSGeom_createCollection_r(h, GEOS_GEOMETRYCOLLECTION, copies.data(),
                                                             static_cast<unsigned>(copies.size())));
    return made(geos, GEOSUnaryUnion_r(h, collection.get()));
}

Geom areasOf(const Geos& geos, Geom g)
{
    const GEOSContextHandle_t h = geos.handle();
    const int type = GEOSGeomTypeId_r(h, g.get());
    if (type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON) return g;
    std::vector<GEOSGeometry*> polygons;
    auto collect = [&](const GEOSGeometry* whole, const auto& self) -> void {
        const int kind = GEOSGeomTypeId_r(h, whole);
        if (kind == GEOS_POLYGON) {
            polygons.push_back(GEOSGeom_clone_r(h, whole));
        } else if (kind == GEOS_MULTIPOLYGON || kind == GEOS_GEOMETRYCOLLECTION) {
            const int n = GEOSGetNumGeometries_r(h, whole);
            for (int i = 0; i < n; ++i) self(GEOSGetGeometryN_r(h, whole, i), self);
        }
    };
    collect(g.get(), collect);
    return made(geos, GEOSGeom_createCollection_r(h, GEOS_MULTIPOLYGON, polygons.data(),
                                                  static_cast<unsigned>(polygons.size())));
}

double area(const Geos& geos, const GEOSGeometry* g)
{
    double a = 0;
    return GEOSArea_r(geos.handle(), g, &a) == 1 ? a : 0.0;
}

Geom intersection(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b)
{
    return made(geos, GEOSIntersection_r(geos.handle(), a, b));
}

Geom difference(const Geos& geos, const GEOSGeometry* a, const GEOSGeometry* b)
{
    return made(geos, GEOSDifference_r(geos.handle(), a, b));
}

std::vector<Segment> outlineOf(const Geos& geos, const GEOSGeometry* g)
{
    std::vector<Segment> segments;
    for (const Ring& ring : ringsOf(geos, g))
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) segments.push_back({ring[i], ring[i + 1]});
    return segments;
}

std::vector<Ring> ringsOf(const Geos& geos, const GEOSGeometry* g)
{
    const GEOSContextHandle_t h = geos.handle();
    std::vector<Ring> rings;
    auto add = [&](const GEOSGeometry* line) {
        Ring ring;
        forEachVertex(h, line, [&](double x, double y) { ring.push_back({x, y}); });
        if (!ring.empty()) rings.push_back(std::move(ring));
    };
    auto polygons = [&](const GEOSGeometry* whole, const auto& self) -> void {
        const int type = GEOSGeomTypeId_r(h, whole);
        if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
            const int n = GEOSGetNumGeometries_r(h, whole);
            for (int i = 0; i < n; ++i) self(GEOSGetGeometryN_r(h, whole, i), self);
            return;
        }
        if (type != GEOS_POLYGON || GEOSisEmpty_r(h, whole) == 1) return;
        add(GEOSGetExteriorRing_r(h, whole));
        const int holes = GEOSGetNumInteriorRings_r(h, whole);
        for (int k = 0; k < holes; ++k) add(GEOSGetInteriorRingN_r(h, whole, k));
    };
    polygons(g, polygons);
    return rings;
}

}  // namespace vadrel::compare
