#include <algorithm>
#include <limits>
#include <new>
#include <set>

#include "compare/comparison.hpp"
#include "compare/comparison_failure.hpp"
#include "compare/geos_tools.hpp"
#include "compare/local_clips.hpp"
#include "compare/outline_distance.hpp"

namespace vadrel::compare {

namespace {

// The cadastral parcels whose boxes reach the box of `probe` grown by
// `margin`.
std::vector<std::size_t> candidates(const Geos& geos, const std::vector<Geom>& map, const GEOSGeometry* probe,
                                    double margin)
{
    const GEOSContextHandle_t h = geos.handle();
    if (GEOSisEmpty_r(h, probe) == 1) return {};
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    GEOSGeom_getXMin_r(h, probe, &minX);
    GEOSGeom_getYMin_r(h, probe, &minY);
    GEOSGeom_getXMax_r(h, probe, &maxX);
    GEOSGeom_getYMax_r(h, probe, &maxY);
    const Geom box = own(geos, GEOSGeom_createRectangle_r(h, minX - margin, minY - margin, maxX + margin,
                                                          maxY + margin));
    Tree tree(GEOSSTRtree_create_r(h, 10), {h});
    // The tree keeps pointers to the items: the indices live in this vector.
    std::vector<std::size_t> ids(map.size());
    for (std::size_t i = 0; i < map.size(); ++i) {
        ids[i] = i;
        if (GEOSisEmpty_r(h, map[i].get()) != 1) GEOSSTRtree_insert_r(h, tree.get(), map[i].get(), &ids[i]);
    }
    std::vector<std::size_t> found;
    GEOSSTRtree_query_r(
        h, tree.get(), box.get(),
        [](void* item, void* user) {
            static_cast<std::vector<std::size_t>*>(user)->push_back(*static_cast<std::size_t*>(item));
        },
        &found);
    std::sort(found.begin(), found.end());
    return found;
}

// How far the overlap reaches into the neighbour: its outline against the
// neighbour's boundary.
double depthOf(const Geos& geos, const GEOSGeometry* overlap, const GEOSGeometry* neighbour)
{
    return farthestPoint(outlineOf(geos, overlap), SegmentIndex(outlineOf(geos, neighbour)));
}

ParcelComparison compared(const std::vector<Shape>& fresh, const std::vector<Shape>& map)
{
    Geos geos;
    const GEOSContextHandle_t h = geos.handle();
    ParcelComparison c;

    std::vector<Geom> freshGeoms;
    std::vector<const GEOSGeometry*> freshParts;
    std::set<std::string> kept;  // references the operation keeps
    for (const Shape& s : fresh) {
        freshGeoms.push_back(geometryOf(geos, s));
        freshParts.push_back(freshGeoms.back().get());
        if (!s.name.empty()) kept.insert(s.name);
    }
    const Geom news = unionOf(geos, freshParts);
    c.newArea = finite(area(geos, news.get()), "la superficie nueva");

    std::vector<Geom> mapGeoms;
    for (const Shape& s : map) mapGeoms.push_back(geometryOf(geos, s));

    // Within reach: the distance itself, from the new geometry's indexed
    // segments, rather than a buffer, which a saw-tooth outline makes costly.
    const Prepared preparedNew = prepare(geos, news.get());
    LocalClips clips(geos, news.get());
    // The new geometry as it is around a parcel.
    auto near = [&](const GEOSGeometry* parcel) {
        double minX = 0, minY = 0, maxX = 0, maxY = 0;
        GEOSGeom_getXMin_r(h, parcel, &minX);
        GEOSGeom_getYMin_r(h, parcel, &minY);
        GEOSGeom_getXMax_r(h, parcel, &maxX);
        GEOSGeom_getYMax_r(h, parcel, &maxY);
        return clips.around(minX, minY, maxX, maxY);
    };
    std::vector<bool> affected(map.size(), false);
    for (std::size_t i = 0; i < map.size(); ++i) affected[i] = kept.contains(map[i].name);
    for (std::size_t i : candidates(geos, mapGeoms, news.get(), kNeighbourReach)) {
        const GEOSGeometry* parcel = mapGeoms[i].get();
        if (affected[i]) continue;
        const bool meets = GEOSPreparedIntersects_r(h, preparedNew.get(), parcel) == 1;
        if (!meets && GEOSPreparedDistanceWithin_r(h, preparedNew.get(), parcel, kNeighbourReach) != 1) continue;
        Geom common = meets ? intersection(geos, near(parcel), parcel) : own(geos, nullptr);
        const double shared = finite(area(geos, common.get()), "la superficie de un solape");
        // Mostly inside: a parcel the operation takes in, whatever its reference.
        if (shared > finite(area(geos, parcel), "la superficie de una parcela catastral") / 2) {
            affected[i] = true;
            continue;
        }
        c.neighbours.push_back(i);
        if (shared < kLeastOverlap) continue;
        c.overlaps.push_back({map[i].name, shared,
                              finite(depthOf(geos, common.get(), parcel), "la profundidad de un solape"),
                              ringsOf(geos, common.get())});
    }
    std::stable_sort(c.overlaps.begin(), c.overlaps.end(),
                     [](const Overlap& a, const Overlap& b) { return a.area > b.area; });

    std::vector<const GEOSGeometry*> affectedParts;
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!affected[i]) continue;
        c.affected.push_back(i);
        affectedParts.push_back(mapGeoms[i].get());
    }
    const Geom before = unionOf(geos, affectedParts);
    c.cadastralArea = finite(area(geos, before.get()), "la superficie catastral");
    double perimeter = 0;
    if (GEOSLength_r(h, before.get(), &perimeter) != 1) perimeter = std::numeric_limits<double>::quiet_NaN();
    c.cadastralPerimeter = finite(perimeter, "el perímetro catastral");
    c.outside = finite(area(geos, difference(geos, news.get(), before.get()).get()),
                       "la superficie fuera de las parcelas afectadas");
    c.uncovered = finite(area(geos, difference(geos, before.get(), news.get()).get()),
                         "la superficie sin cubrir de las parcelas afectadas");
    c.displacement = finite(hausdorff(SegmentIndex(outlineOf(geos, news.get())),
                                      SegmentIndex(outlineOf(geos, before.get()))),
                            "el desplazamiento máximo del perímetro");
    return c;
}

}  // namespace

ParcelComparison compareParcels(const std::vector<Shape>& fresh, const std::vector<Shape>& map)
{
    try {
        return compared(fresh, map);
    } catch (const std::bad_alloc&) {
        cannotCompare(kNoMemory);
    }
}

}  // namespace vadrel::compare
