#include "compare/comparison.hpp"
#include "compare/geos_tools.hpp"

namespace vadrel::compare {

std::vector<ConstructionOutside> compareBuilding(const std::vector<Shape>& constructions,
                                                 const std::vector<Shape>& parcel)
{
    Geos geos;
    std::vector<Geom> parts;
    std::vector<const GEOSGeometry*> partPointers;
    for (const Shape& s : parcel) {
        parts.push_back(geometryOf(geos, s));
        partPointers.push_back(parts.back().get());
    }
    const Geom land = unionOf(geos, partPointers);

    std::vector<ConstructionOutside> outside;
    for (const Shape& s : constructions) {
        // A building read from a file holds one patch per construction.
        for (std::size_t k = 0; k < s.patches.size(); ++k) {
            std::string name = s.name;
            if (s.patches.size() > 1) name += ", recinto " + std::to_string(k + 1);
            const Geom footprint = geometryOf(geos, Shape{name, {s.patches[k]}});
            const Geom out = difference(geos, footprint.get(), land.get());
            const double a = area(geos, out.get());
            if (a < kLeastOverlap) continue;
            outside.push_back({name, a, farthestVertex(geos, out.get(), land.get()), ringsOf(geos, out.get())});
        }
    }
    return outside;
}

}  // namespace vadrel::compare
