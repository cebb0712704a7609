#include "report/report_comparison.hpp"

#include <cmath>

#include "check/check_text.hpp"
#include "compare/area_tolerance.hpp"
#include "compare/comparison.hpp"
#include "core/geometry.hpp"

namespace vadrel::report {

namespace {

// The report's rings as the comparison takes them: each exterior with the
// interiors that follow it; a parcel's surfaces are one shape, each
// construction its own.
std::vector<compare::Shape> formas(const DatosInforme& d, const std::string& nombre)
{
    std::vector<compare::Shape> out;
    for (const AnilloInforme& a : d.anillos) {
        compare::Ring ring = puntosDe(a.x, a.y, d.formato);
        if (ring.size() < 3) continue;
        ring.push_back(ring.front());
        if (a.interior) {
            if (!out.empty()) out.back().patches.back().rings.push_back(std::move(ring));
        } else if (!d.edificio && !out.empty()) {
            out.back().patches.push_back(compare::Patch{{std::move(ring)}});
        } else {
            out.push_back(compare::Shape{d.edificio ? a.nombre : nombre, {compare::Patch{{std::move(ring)}}}});
        }
    }
    return out;
}

// A name as the report shows every name: escaped and cut.
std::string nombre(const std::string& texto) { return check::visible(texto, check::kLongestName); }

std::string m2(double v) { return check::spanishNumber(v, 2) + " m²"; }
std::string metros(double v) { return check::spanishNumber(v, 2) + " m"; }

std::vector<FilaComparacion> filasDeParcela(const compare::ParcelComparison& c, const std::vector<compare::Shape>& map)
{
    std::vector<FilaComparacion> out;
    out.push_back({"Superficie nueva", m2(c.newArea)});
    out.push_back({"Superficie catastral", m2(c.cadastralArea)});
    std::string afectadas;
    for (std::size_t i : c.affected) afectadas += (afectadas.empty() ? "" : ", ") + nombre(map[i].name);
    out.push_back({"Parcelas catastrales afectadas", afectadas.empty() ? "ninguna" : afectadas});
    const double cambio = c.newArea - c.cadastralArea;
    // A share of nothing means nothing: no percentage without cadastral area.
    out.push_back({"Diferencia", m2(cambio) + (c.cadastralArea > 0
                                                   ? " (" + check::spanishNumber(cambio / c.cadastralArea * 100, 2) + " %)"
                                                   : "")});
    // No cadastral area, no tolerance on it.
    if (c.cadastralArea > 0) {
        const double margen = compare::technicalTolerance(c.cadastralArea, c.cadastralPerimeter);
        out.push_back({"Margen de tolerancia técnica",
                       m2(margen) + (std::abs(cambio) <= margen ? " (la diferencia está dentro)" : " (la diferencia está fuera)")});
    }
    out.push_back({"Fuera de las parcelas afectadas", m2(c.outside)});
    out.push_back({"Sin cubrir de las parcelas afectadas", m2(c.uncovered)});
    out.push_back({"Desplazamiento máximo del perímetro", metros(c.displacement)});
    for (const compare::Overlap& o : c.overlaps)
        out.push_back({"Solape con " + nombre(o.ref), m2(o.area) + ", profundidad " + metros(o.depth)});
    out.push_back({"Solapes", c.overlaps.empty() ? "ninguno" : std::to_string(c.overlaps.size())});
    return out;
}

std::vector<FilaComparacion> filasDeEdificio(const std::vector<compare::ConstructionOutside>& fuera)
{
    std::vector<FilaComparacion> out;
    for (const compare::ConstructionOutside& f : fuera)
        out.push_back({"Construcción " + nombre(f.name) + " fuera de la parcela",
                       m2(f.area) + ", hasta " + metros(f.reach)});
    out.push_back({"Construcciones fuera de la parcela", fuera.empty() ? "ninguna" : std::to_string(fuera.size())});
    return out;
}

void alFondo(DatosInforme& d, const compare::Shape& s)
{
    for (const compare::Patch& p : s.patches)
        if (!p.rings.empty()) d.fondo.push_back(ParcelaFondo{s.name, p.rings.front()});
}

}  // namespace

void anadeCartografia(DatosInforme& d, const std::vector<compare::Shape>& map, std::optional<double> registral)
{
    const std::string ref = d.catastral && compare::isCadastralReference(d.referencia) ? d.referencia : "";
    const std::vector<compare::Shape> nueva = formas(d, ref);
    if (map.empty() || nueva.empty()) return;
    const compare::ParcelComparison c = compare::compareParcels(nueva, map);
    if (c.affected.empty() && c.neighbours.empty()) return;
    // Every parcel: the layout keeps those the plan shows.
    for (const compare::Shape& s : map) alFondo(d, s);
    for (const compare::Overlap& o : c.overlaps) d.solapes.insert(d.solapes.end(), o.rings.begin(), o.rings.end());
    d.comparacion = filasDeParcela(c, map);
    if (c.cadastralArea > 0)
        d.georreferenciacion.tolerancia = compare::toleranceLine(c.newArea, c.cadastralArea, c.cadastralPerimeter, ',');
    if (registral) d.georreferenciacion.registral = compare::registeredLine(c.newArea, *registral, ',');
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
    d.comparacion = filasDeEdificio(fuera);
}

}  // namespace vadrel::report
