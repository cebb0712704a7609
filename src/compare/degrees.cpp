#include "compare/degrees.hpp"

#include <proj.h>

#include <string>
#include <vector>

#include "check/check_text.hpp"
#include "check/gml_model.hpp"
#include "compare/comparison.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::compare {

namespace {

constexpr const char* kZone28Srs = "http://www.opengis.net/def/crs/EPSG/0/32628";

std::vector<double> numbers(std::string_view text)
{
    std::vector<double> values;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
        const std::size_t start = i;
        while (i < text.size() && !(text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
        if (i == start) break;
        const auto v = check::xmlNumber(text.substr(start, i - start));
        if (!v) throw Failure("la respuesta del servicio tiene una coordenada que no es un número");
        values.push_back(*v);
    }
    return values;
}

}  // namespace

struct Zone28::Impl {
    PJ_CONTEXT* context = nullptr;
    PJ* transform = nullptr;
};

Zone28::Zone28() : impl_(std::make_unique<Impl>())
{
    impl_->context = proj_context_create();
    proj_log_level(impl_->context, PJ_LOG_NONE);
    // EPSG:4326 as EPSG defines it: latitude first.
    impl_->transform = proj_create_crs_to_crs(impl_->context, "EPSG:4326", "EPSG:32628", nullptr);
    if (!impl_->transform) {
        proj_context_destroy(impl_->context);
        throw Failure("no se pueden convertir grados al huso 28 (falta la base de datos de PROJ)");
    }
}

Zone28::~Zone28()
{
    proj_destroy(impl_->transform);
    proj_context_destroy(impl_->context);
}

Punto Zone28::metres(Degrees d) const
{
    const PJ_COORD c = proj_trans(impl_->transform, PJ_FWD, proj_coord(d.lat, d.lon, 0, 0));
    return {c.xy.x, c.xy.y};
}

Degrees Zone28::degrees(Punto p) const
{
    const PJ_COORD c = proj_trans(impl_->transform, PJ_INV, proj_coord(p.x, p.y, 0, 0));
    return {c.v[0], c.v[1]};
}

void Zone28::convertDocument(pugi::xml_document& doc) const
{
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node n = root; n; n = check::nextElement(n, root, true)) {
        if (pugi::xml_attribute srs = n.attribute("srsName")) srs.set_value(kZone28Srs);
        const std::string_view local = check::localName(n);
        if (local != "posList" && local != "pos" && local != "lowerCorner" && local != "upperCorner") continue;
        const std::vector<double> values = numbers(textOf(n));
        if (values.size() % 2 != 0) throw Failure("la respuesta del servicio tiene una coordenada sin pareja");
        std::string text;
        for (std::size_t i = 0; i + 1 < values.size(); i += 2) {
            const Punto p = metres({values[i], values[i + 1]});
            if (!text.empty()) text += ' ';
            text += twoDecimals(p.x) + ' ' + twoDecimals(p.y);
        }
        setText(n, text);
    }
}

}  // namespace vadrel::compare
