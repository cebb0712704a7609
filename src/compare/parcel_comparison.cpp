#include <algorithm>
#include <set>

#include "compare/comparison.hpp"
#include "compare/geos_tools.hpp"

namespace vadrel::compare {

namespace {

// The cadastral parcels whose boxes reach the box of `probe`.
std::vector<std::size_t> candidates(const Geos& geos, const std::vector<Geom>& map, const GEOSGeometry* probe)
{
    const GEOSContextHandle_t h = geos.handle();
    Tree tree(GEOSSTRtree_create_r(h, 10), {h});
    // The tree keeps pointers to the items: the indices live in this vector.
    std::vector<std::size_t> ids(map.size());
    for (std::size_t i = 0; i < map.size(); ++i) {
        ids[i] = i;
        if (GEOSisEmpty_r(h, map[i].get()) != 1) GEOSSTRtree_insert_r(h, tree.get(), map[i].get(), &ids[i]);
    }
    std::vector<std::size_t> found;
    GEOSSTRtree_query_r(
        h, tree.get(), probe,
        [](void* item, void* user) {
            static_cast<std::vector<std::size_t>*>(user)->push_back(*static_cast<std::size_t*>(item));
        },
        &found);
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

ParcelComparison compareParcels(const std::vector<Shape>& fresh, const std::vector<Shape>& map)
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
    c.newArea = area(geos, news.get());

    std::vector<Geom> mapGeoms;
    for (const Shape& s : map) mapGeoms.push_back(geometryOf(geos, s));

    const Geom grown = own(geos, GEOSBuffer_r(h, news.get(), kNeighbourReach, 8));
    const Prepared preparedNew = prepare(geos, news.get());
    const Prepared preparedGrown = prepare(geos, grown.get());

    std::vector<bool> affected(map.size(), false);
    for (std::size_t i = 0; i < map.size(); ++i) affected[i] = kept.contains(map[i].name);
    for (std::size_t i : candidates(geos, mapGeoms, grown.get())) {
        const GEOSGeometry* parcel = mapGeoms[i].get();
        if (GEOSPreparedIntersects_r(h, preparedGrown.get(), parcel) != 1) continue;
        if (affected[i]) continue;
        Geom common = GEOSPreparedIntersects_r(h, preparedNew.get(), parcel) == 1
                          ? intersection(geos, news.get(), parcel)
                          : own(geos, nullptr);
        const double shared = area(geos, common.get());
        // Mostly inside: a parcel the operation takes in, whatever its reference.
        if (shared > area(geos, parcel) / 2) {
            affected[i] = true;
            continue;
        }
        c.neighbours.push_back(i);
        if (shared < kLeastOverlap) continue;
        Geom edge = own(geos, GEOSBoundary_r(h, parcel));
        c.overlaps.push_back({map[i].name, shared, farthestVertex(geos, common.get(), edge.get()),
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
    c.cadastralArea = area(geos, before.get());
    c.outside = area(geos, difference(geos, news.get(), before.get()).get());
    c.uncovered = area(geos, difference(geos, before.get(), news.get()).get());
    c.displacement = boundaryDistance(geos, news.get(), before.get(), kDensifyStep);
    return c;
}

}  // namespace vadrel::compare
