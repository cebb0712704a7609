#include "report/report_comparison.hpp"

#include <string_view>

#include "check/check_text.hpp"
#include "compare/comparison.hpp"
#include "core/geometry.hpp"
#include "report/report_numbers.hpp"

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

// The comparison's lines are the batch command's, which writes its figures
// with "."; the report quotes them with a comma. References and names may
// hold dotted digits of their own, so the lines are first written with a
// stand-in for each, all figures changed, and the names put back.
class NamesAside {
public:
    // The stand-in for `name`: between two marks, letters only.
    std::string add(std::string name)
    {
        std::string key(kMark);
        for (std::size_t i = names_.size();; i /= 26) {
            key += static_cast<char>('a' + i % 26);
            if (i < 26) break;
        }
        key += kMark;
        names_.push_back(std::move(name));
        return key;
    }

    // The names put back as the report shows a name: escaped and cut.
    std::vector<std::string> withComma(const std::vector<std::string>& lines) const
    {
        std::vector<std::string> out;
        for (const std::string& line : lines) {
            const std::string figures = commaBetweenDigits(line);
            std::string back;
            std::size_t i = 0;
            for (std::size_t start; (start = figures.find(kMark, i)) != std::string::npos;) {
                const std::size_t end = figures.find(kMark, start + kMark.size());
                if (end == std::string::npos) break;
                back.append(figures, i, start - i);
                std::size_t index = 0;
                for (std::size_t k = end; k-- > start + kMark.size();)
                    index = index * 26 + static_cast<std::size_t>(figures[k] - 'a');
                back += check::visible(names_.at(index), check::kLongestName);
                i = end + kMark.size();
            }
            back.append(figures, i);
            out.push_back(std::move(back));
        }
        return out;
    }

private:
    // U+E000, of private use: in no line's own words, and the lines' own
    // escaping of names leaves it as it is.
    static constexpr std::string_view kMark = "\xEE\x80\x80";
    std::vector<std::string> names_;
};

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
    // The lines read only the names of the map's affected parcels.
    NamesAside names;
    compare::ParcelComparison aside = c;
    for (compare::Overlap& o : aside.overlaps) o.ref = names.add(o.ref);
    std::vector<compare::Shape> asideMap(map.size());
    for (std::size_t i : c.affected) asideMap[i].name = names.add(map[i].name);
    d.comparacion = names.withComma(compare::reportLines(aside, asideMap));
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
    NamesAside names;
    std::vector<compare::ConstructionOutside> aside = fuera;
    for (compare::ConstructionOutside& f : aside) f.name = names.add(f.name);
    d.comparacion = names.withComma(compare::reportLines(aside));
}

}  // namespace vadrel::report
