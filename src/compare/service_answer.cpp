#include "compare/service_answer.hpp"

#include <cmath>

#include "check/gml_model.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_file.hpp"

namespace vadrel::compare {

void readAnswer(pugi::xml_document& doc, const std::string& body)
{
    const std::string encoding = declaredEncoding(body);
    if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8" && encoding != "iso-8859-1" &&
        encoding != "latin1" && encoding != "windows-1252" && encoding != "cp1252")
        throw Failure("la respuesta está en una codificación que el catastro no usa");
    // No answer of the service has one; a document that does is no answer.
    if (body.find("<!DOCTYPE") != std::string::npos)
        throw Failure("la respuesta declara un tipo de documento (DOCTYPE)");
    try {
        loadXml(doc, body, "respuesta del servicio");
    } catch (const Failure& e) {
        std::string why = e.what();
        while (!why.empty() && why.back() == '.') why.pop_back();
        throw Failure(why);
    }
}

void checkAnswerZone(const pugi::xml_document& doc, int zone)
{
    const int expected = zone == 28 ? 4326 : 25800 + zone;
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node n = root; n; n = check::nextElement(n, root, true)) {
        const pugi::xml_attribute srs = n.attribute("srsName");
        if (srs && epsgDeSrsName(srs.value()) != expected)
            throw Failure("la respuesta está en otro sistema de coordenadas (" + std::string(srs.value()) + ")");
    }
}

std::vector<Shape> parcelsOfAnswer(const pugi::xml_document& doc)
{
    bool unreadable = false;
    std::vector<Shape> shapes = shapesOf(doc, Kind::Parcels, false, unreadable);
    bool finite = !unreadable;
    for (const Shape& s : shapes)
        for (const Patch& p : s.patches)
            for (const Ring& r : p.rings)
                for (const Punto& v : r) finite = finite && std::isfinite(v.x) && std::isfinite(v.y);
    if (!finite) throw Failure("la respuesta tiene coordenadas que no son números finitos");
    return shapes;
}

}  // namespace vadrel::compare
