#include "compare/shapes.hpp"

#include <cctype>

#include "check/check_text.hpp"
#include "check/gml_model.hpp"
#include "check/problem.hpp"
#include "check/ring_checks.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::compare {

namespace {

bool wanted(const check::Feature& f, Kind kind)
{
    if (kind == Kind::Parcels) return f.kind == "parcela";
    return f.kind == "edificio" || f.kind == "construcción" || f.kind == "parte de edificio";
}

// The text of the feature's inspireId namespace, empty when it has none.
std::string namespaceOf(pugi::xml_node feature)
{
    for (pugi::xml_node n = check::nextElement(feature, feature, true); n; n = check::nextElement(n, feature, true))
        if (check::localName(n) == "namespace") return std::string(trimmed(textOf(n)));
    return {};
}

}  // namespace

std::vector<Shape> shapesOf(const pugi::xml_document& doc, Kind kind, bool cadastralOnly)
{
    bool unreadable = false;
    return shapesOf(doc, kind, cadastralOnly, unreadable);
}

std::vector<Shape> shapesOf(const pugi::xml_document& doc, Kind kind, bool cadastralOnly, bool& unreadable)
{
    unreadable = false;
    check::Model model = check::modelOf(doc);
    std::vector<Shape> shapes;
    for (check::Feature& f : model.features) {
        if (!wanted(f, kind)) continue;
        check::Problems ignored;  // the check tells them; here a bad ring is just left out
        check::checkRings(f, ignored);
        Shape shape;
        shape.name = f.name;
        if (cadastralOnly && namespaceOf(f.node) != "ES.SDGC.CP") shape.name.clear();
        for (const check::Polygon& polygon : f.polygons) {
            Patch patch;
            for (const check::Ring& ring : polygon.rings) {
                unreadable = unreadable || !ring.readable;
                const bool usable = ring.readable && ring.closedRing && ring.points.size() >= 4;
                if (!ring.interior && !usable) break;  // no exterior: no patch
                if (usable) patch.rings.push_back(ring.points);
            }
            if (!patch.rings.empty()) shape.patches.push_back(std::move(patch));
        }
        if (!shape.patches.empty()) shapes.push_back(std::move(shape));
    }
    return shapes;
}

std::vector<Shape> readShapes(const std::filesystem::path& file, Kind kind, bool cadastralOnly)
{
    // Read by the rules of every other reader: the size limit, the
    // encodings, no entities.
    pugi::xml_document doc;
    loadXml(doc, file);
    std::vector<Shape> shapes = shapesOf(doc, kind, cadastralOnly);
    if (shapes.empty())
        throw Failure(check::printable(utf8Of(file.filename()), check::kLongestName) +
                      (kind == Kind::Parcels ? " no tiene ninguna parcela con coordenadas."
                                             : " no tiene ninguna construcción con coordenadas."));
    return shapes;
}

std::optional<int> zoneOf(const pugi::xml_document& doc)
{
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node n = root; n; n = check::nextElement(n, root, true)) {
        const std::string_view srs = trimmed(n.attribute("srsName").value());
        if (srs.empty()) continue;
        const std::size_t tail = srs.find_last_not_of("0123456789");
        const std::string_view code = tail == std::string_view::npos ? srs : srs.substr(tail + 1);
        if (code == "32628") return 28;
        if (code.size() == 5 && code.starts_with("258") && code >= "25828" && code <= "25831")
            return (code[3] - '0') * 10 + (code[4] - '0');
        return std::nullopt;
    }
    return std::nullopt;
}

bool isCadastralReference(std::string_view ref)
{
    if (ref.size() != 14) return false;
    for (char c : ref)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

std::vector<Shape> readAllShapes(const std::vector<std::string>& files, Kind kind, bool cadastralOnly)
{
    std::vector<Shape> all;
    for (const std::string& file : files) {
        std::vector<Shape> shapes = readShapes(pathFromUtf8(file), kind, cadastralOnly);
        all.insert(all.end(), std::make_move_iterator(shapes.begin()), std::make_move_iterator(shapes.end()));
    }
    return all;
}

std::optional<int> zoneOfFile(const std::filesystem::path& file)
{
    pugi::xml_document doc;
    try {
        loadXml(doc, file);
    } catch (const Failure&) {
        return std::nullopt;
    }
    return zoneOf(doc);
}

}  // namespace vadrel::compare
