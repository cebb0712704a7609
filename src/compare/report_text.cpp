#include <charconv>
#include <cmath>

#include "check/check_text.hpp"
#include "compare/area_tolerance.hpp"
#include "compare/comparison.hpp"

namespace vadrel::compare {

std::string twoDecimals(double v)
{
    double cents = std::round(v * 100) / 100;
    if (cents == 0) cents = 0;  // no "-0.00"
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, cents, std::chars_format::fixed, 2);
    return end.ec == std::errc() ? std::string(text, end.ptr) : std::string("?");
}

namespace {

// A name from a file or from the service, fit to print: it cannot drive the
// terminal, forge a line or fill the screen.
std::string shown(const std::string& name) { return check::printable(name, check::kLongestName); }

}  // namespace

std::vector<std::string> reportLines(const ParcelComparison& c, const std::vector<Shape>& map,
                                     std::optional<double> registered)
{
    std::vector<std::string> lines;
    lines.push_back("superficie nueva: " + twoDecimals(c.newArea) + " m2");
    std::string refs;
    for (std::size_t i : c.affected) refs += (refs.empty() ? "" : ", ") + shown(map[i].name);
    lines.push_back("superficie catastral: " + twoDecimals(c.cadastralArea) + " m2 (" +
                    (refs.empty() ? "ninguna" : refs) + ")");
    const double change = c.newArea - c.cadastralArea;
    std::string difference = "diferencia: " + twoDecimals(change) + " m2";
    // A share of nothing means nothing: no percentage without cadastral area.
    if (c.cadastralArea > 0) difference += " (" + twoDecimals(change / c.cadastralArea * 100) + " %)";
    lines.push_back(difference);
    // No cadastral area, no tolerance on it.
    if (c.cadastralArea > 0) lines.push_back(toleranceLine(c.newArea, c.cadastralArea, c.cadastralPerimeter));
    if (registered && *registered > 0) lines.push_back(registeredLine(c.newArea, *registered));
    lines.push_back("fuera de las parcelas afectadas: " + twoDecimals(c.outside) + " m2");
    lines.push_back("sin cubrir de las parcelas afectadas: " + twoDecimals(c.uncovered) + " m2");
    lines.push_back("desplazamiento máximo del perímetro: " + twoDecimals(c.displacement) + " m");
    for (const Overlap& o : c.overlaps)
        lines.push_back("solape con " + shown(o.ref) + ": " + twoDecimals(o.area) + " m2, profundidad " +
                        twoDecimals(o.depth) + " m");
    lines.push_back("solapes: " + std::to_string(c.overlaps.size()));
    return lines;
}

std::vector<std::string> reportLines(const std::vector<ConstructionOutside>& outside)
{
    std::vector<std::string> lines;
    for (const ConstructionOutside& o : outside)
        lines.push_back("construcción " + shown(o.name) + ": fuera de la parcela " + twoDecimals(o.area) + " m2, hasta " +
                        twoDecimals(o.reach) + " m");
    lines.push_back("construcciones fuera: " + std::to_string(outside.size()));
    return lines;
}

}  // namespace vadrel::compare
