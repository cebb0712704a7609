#include "report/report_comparison.hpp"

#include "compare/comparison.hpp"
#include "core/geometry.hpp"

namespace vadrel::report {

namespace {

// The report's rings as the comparison takes them: each exterior with the
// interiors that follow it.
std::vector<compare::Shape> formas(const DatosInforme& d, const std::string& nombre)
{
    std::vector<compare::Shape> out;
    for (const AnilloInforme& a : d.anillos) {
        compare::Ring ring = puntosDe(a.x, a.y, d.formato);
        if (ring.size() < 3) continue;
        ring.push_back(ring.front());
        if (a.interior) {
            if (!out.empty()) out.back().patches.back().rings.push_back(std::move(ring));
            continue;
        }
        out.push_back(compare::Shape{d.edificio ? a.nombre : nombre, {compare::Patch{{std::move(ring)}}}});
    }
    return out;
}

void alFondo(DatosInforme& d, const compare::Shape& s)
{
    for (const compare::Patch& p : s.patches)
        if (!p.rings.empty()) d.fondo.push_back(ParcelaFondo{s.name, p.rings.front()});
}

}  // namespace

void anadeCartografia(DatosInforme& d, const std::vector<compare::Shape>& map)
{
    const std::string ref = d.catastral && compare::isCadastralReference(d.referencia) ? d.referencia : "";
    const std::vector<compare::Shape> nueva = formas(d, ref);
    if (map.empty() || nueva.empty()) return;
    const compare::ParcelComparison c = compare::compareParcels(nueva, map);
    if (c.affected.empty() && c.neighbours.empty()) return;
    // Every parcel: the layout keeps those the plan shows.
    for (const compare::Shape& s : map) alFondo(d, s);
    for (const compare::Overlap& o : c.overlaps) d.solapes.insert(d.solapes.end(), o.rings.begin(), o.rings.end());
    d.comparacion = compare::reportLines(c, map);
}

void anadeParcelaCatastral(DatosInforme& d, const std::vector<compare::Shape>& parcel)
{
    const std::vector<compare::Shape> construcciones = formas(d, "");
    if (parcel.empty() || construcciones.empty()) return;
    // Away: no construction within reach of the parcel's box.
    Extension deParcela, deConstrucciones;
    for (const compare::Shape& s : parcel)
        for (const compare::Patch& p : s.patches) deParcela.anade(p.rings.front());
    for (const compare::Shape& s : construcciones) deConstrucciones.anade(s.patches.front().rings.front());
    if (!deParcela.alcanza(deConstrucciones, compare::kNeighbourReach)) return;
    for (const compare::Shape& s : parcel) alFondo(d, s);
    const std::vector<compare::ConstructionOutside> fuera = compare::compareBuilding(construcciones, parcel);
    for (const compare::ConstructionOutside& f : fuera) d.solapes.insert(d.solapes.end(), f.rings.begin(), f.rings.end());
    d.comparacion = compare::reportLines(fuera);
}

}  // namespace vadrel::report
