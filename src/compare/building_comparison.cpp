#include <new>

#include "compare/comparison.hpp"
#include "compare/comparison_failure.hpp"
#include "compare/geos_tools.hpp"
#include "compare/outline_distance.hpp"

namespace vadrel::compare {

namespace {

std::vector<ConstructionOutside> compared(const std::vector<Shape>& constructions, const std::vector<Shape>& parcel)
{
    Geos geos;
    std::vector<Geom> parts;
    std::vector<const GEOSGeometry*> partPointers;
    for (const Shape& s : parcel) {
        parts.push_back(geometryOf(geos, s));
        partPointers.push_back(parts.back().get());
    }
    const Geom land = unionOf(geos, partPointers);
    // What lies outside is measured to the parcel's boundary; an empty
    // parcel has none, and then the reach is 0.
    const SegmentIndex landEdge(outlineOf(geos, land.get()));

    std::vector<ConstructionOutside> outside;
    for (const Shape& s : constructions) {
        // A building read from a file holds one patch per construction.
        for (std::size_t k = 0; k < s.patches.size(); ++k) {
            std::string name = s.name;
            if (s.patches.size() > 1) name += ", recinto " + std::to_string(k + 1);
            const Geom footprint = geometryOf(geos, Shape{name, {s.patches[k]}});
            const Geom out = difference(geos, footprint.get(), land.get());
            const double a = finite(area(geos, out.get()), "la superficie de una construcción fuera de la parcela");
            if (a < kLeastOverlap) continue;
            outside.push_back({name, a,
                               finite(farthestPoint(outlineOf(geos, out.get()), landEdge),
                                      "la distancia de una construcción a su parcela"),
                               ringsOf(geos, out.get())});
        }
    }
    return outside;
}

}  // namespace

std::vector<ConstructionOutside> compareBuilding(const std::vector<Shape>& constructions,
                                                 const std::vector<Shape>& parcel)
{
    try {
        return compared(constructions, parcel);
    } catch (const std::bad_alloc&) {
        cannotCompare(kNoMemory);
    }
}

}  // namespace vadrel::compare
