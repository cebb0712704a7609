#include "check/feature_checks.hpp"

#include <cmath>

#include "check/check_text.hpp"
#include "core/number_format.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::check {

namespace {

// The cadastre compares whole square metres; what it rejects is more than
// one away.
constexpr double kAreaTolerance = 1.0;

pugi::xml_node childNamed(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node c : parent.children())
        if (c.type() == pugi::node_element && localName(c) == local) return c;
    return {};
}

void checkParcelArea(const Feature& f, Problems& out)
{
    const pugi::xml_node node = childNamed(f.node, "areaValue");
    if (!node) return;  // the schema asks for it
    const std::string place = placeOf(f);
    std::string copy;
    const std::string_view text = trimmed(textView(node, copy));
    if (const std::string_view uom = trimmed(node.attribute("uom").value()); uom != "m2") {
        out.push_back({Severity::Error, place,
                       concat({"La superficie (areaValue) no está en metros cuadrados: uom=", quoted(uom), "."})});
    }
    const std::optional<double> declared = xmlNumber(text);
    if (!declared) {
        out.push_back({Severity::Error, place,
                       text.empty() ? std::string("La superficie (areaValue) está vacía.")
                                    : concat({"La superficie (areaValue) ", quoted(text), " no es un número."})});
        return;
    }
    const std::optional<double> computed = areaOf(f);
    // Below zero the interiors are larger than their exteriors, which the
    // topology check tells.
    if (!computed || f.polygons.empty() || *computed < 0) return;
    if (!std::isfinite(*computed)) {
        out.push_back(
            {Severity::Error, place, "La superficie de sus coordenadas no se puede calcular: son demasiado grandes."});
    } else if (std::fabs(*declared - *computed) > kAreaTolerance) {
        out.push_back({Severity::Error, place,
                       concat({"La superficie declarada (areaValue) es ", formatGeneral(*declared, ','),
                               " m² y la de sus coordenadas es ", spanishNumber(*computed, 2),
                               " m²: difieren en más de 1 m²."})});
    }
}

void checkOfficialArea(const Feature& f, Problems& out)
{
    const pugi::xml_node official = childNamed(f.node, "officialArea");
    const pugi::xml_node value = childNamed(childNamed(official, "OfficialArea"), "value");
    if (!value) return;
    std::string copy;
    const std::string_view text = trimmed(textView(value, copy));
    if (text.empty())
        out.push_back({Severity::Error, placeOf(f), "La superficie construida (bu-ext2d:value) está vacía."});
    else if (!xmlNumber(text))
        out.push_back({Severity::Error, placeOf(f),
                       concat({"La superficie construida (bu-ext2d:value) ", quoted(text), " no es un número."})});
}

}  // namespace

std::optional<double> areaOf(const Feature& feature)
{
    double total = 0;
    for (const Polygon& polygon : feature.polygons) {
        if (polygon.rings.empty() || polygon.rings.front().interior) return std::nullopt;
        for (const Ring& ring : polygon.rings) {
            if (!ring.closedRing) return std::nullopt;
            const double a = std::fabs(doubleSignedArea(ring.points)) / 2;
            total += ring.interior ? -a : a;
        }
    }
    return total;
}

void checkDeclaredArea(const Feature& f, Problems& out)
{
    if (f.kind == "parcela")
        checkParcelArea(f, out);
    else if (f.kind == "edificio")
        checkOfficialArea(f, out);
}

}  // namespace vadrel::check
