#include "check/identifier_checks.hpp"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "check/check_text.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::check {

namespace {

// The projected systems the cadastre's maps are drawn in: ETRS89 / UTM
// zones 28 to 31, WGS 84 / UTM 28N and REGCAN95 / UTM 28N (Canary Islands).
constexpr int kAcceptedEpsg[] = {25828, 25829, 25830, 25831, 32628, 4083};

constexpr std::size_t kReferenceLength = 14;

template <typename F>
void forEachElement(const pugi::xml_document& doc, F&& f)
{
    const pugi::xml_node root = doc.document_element();
    for (pugi::xml_node n = root; n; n = nextElement(n, root)) f(n);
}

bool isReference(std::string_view text)
{
    return text.size() == kReferenceLength && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
           });
}

// The cadastral reference inside a construction's name: the cadastre calls
// a building's pools "<ref>_PI.<n>".
std::string_view referencePart(std::string_view name) { return name.substr(0, name.find('_')); }

bool hasConstructionSuffix(std::string_view name, std::string_view& base)
{
    const std::size_t underscore = name.rfind('_');
    const std::size_t dot = name.rfind('.');
    if (underscore == std::string_view::npos || dot == std::string_view::npos || dot < underscore + 2 ||
        dot + 1 == name.size())
        return false;
    const std::string_view letters = name.substr(underscore + 1, dot - underscore - 1);
    const std::string_view number = name.substr(dot + 1);
    if (!std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) return false;
    if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    base = name.substr(0, underscore);
    return true;
}

bool isBuildingFeature(const std::string& kind) { return kind != "parcela" && !kind.empty(); }

// `name` is the part of `id` after its "ES.SDGC.XX." (or the whole localId).
void checkCadastralReference(std::string_view id, std::string_view name, const Model& model, pugi::xml_node at,
                             const char* what, Problems& out)
{
    const std::string_view reference = referencePart(name);
    if (isReference(reference)) return;
    out.push_back({Severity::Error, model.placeOfNode(at),
                   concat({what, " ", quoted(id), " es del catastro (ES.SDGC) pero su referencia ", quoted(reference),
                           " no tiene los 14 caracteres (cifras y letras mayúsculas) de una referencia catastral."})});
}

}  // namespace

bool isXmlId(std::string_view id)
{
    if (id.empty()) return false;
    auto startChar = [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
    };
    if (!startChar(static_cast<unsigned char>(id.front()))) return false;
    return std::all_of(id.begin() + 1, id.end(), [&](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return startChar(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
}

void checkReferenceSystems(const pugi::xml_document& doc, const Model& model, Problems& out)
{
    // Each code and the element it first appears on; places are worked out
    // only for what is told.
    std::map<int, std::string> firstPlace;
    std::vector<int> order;
    std::set<std::string> reported;
    forEachElement(doc, [&](pugi::xml_node n) {
        const pugi::xml_attribute a = n.attribute("srsName");
        if (!a) return;
        const std::optional<int> code = epsgDeSrsName(a.value());
        if (!code) {
            if (reported.insert(std::string(a.value())).second)
                out.push_back({Severity::Error, model.placeOfNode(n),
                               concat({"El srsName ", quoted(a.value()), " no indica un código EPSG."})});
            return;
        }
        if (!firstPlace.contains(*code)) {
            firstPlace.emplace(*code, model.placeOfNode(n));
            order.push_back(*code);
        }
    });
    for (int code : order) {
        if (std::find(std::begin(kAcceptedEpsg), std::end(kAcceptedEpsg), code) != std::end(kAcceptedEpsg)) continue;
        out.push_back({Severity::Error, firstPlace[code],
                       concat({"El sistema de referencia EPSG:", std::to_string(code),
                               " no es ninguno de los del catastro (25828, 25829, 25830, 25831, 32628, 4083)."})});
    }
    if (order.size() > 1) {
        std::string list;
        for (int code : order) {
            if (!list.empty()) list += ", ";
            list += concat({"EPSG:", std::to_string(code), " (", firstPlace[code], ")"});
        }
        out.push_back({Severity::Error, "archivo",
                       concat({"El archivo mezcla sistemas de referencia: ", list, ". Todo debe ir en uno."})});
    }
    const bool hasGeometry =
        std::any_of(model.features.begin(), model.features.end(), [](const Feature& f) { return !f.polygons.empty(); });
    if (hasGeometry && order.empty() && reported.empty())
        out.push_back({Severity::Error, "archivo", "Ninguna geometría indica su sistema de referencia (srsName)."});
}

void checkIdentifiers(const pugi::xml_document& doc, const Model& model, Problems& out)
{
    // Each gml:id and the element it first is on; places are worked out
    // only for what is told.
    std::unordered_map<std::string_view, pugi::xml_node> seen;
    forEachElement(doc, [&](pugi::xml_node n) {
        for (pugi::xml_attribute a : n.attributes()) {
            if (localName(a) != "id" || std::string_view(a.name()).find(':') == std::string_view::npos) continue;
            if (!namespaceAt(n, a.name()).starts_with("http://www.opengis.net/gml")) continue;
            const std::string_view id = a.value();
            if (!isXmlId(id)) {
                out.push_back({Severity::Error, model.placeOfNode(n),
                               concat({"El gml:id ", quoted(id),
                                       " no es un identificador XML válido (debe empezar por una letra o «_» y llevar "
                                       "solo letras, cifras, «.», «-» y «_»)."})});
            }
            if (auto [it, fresh] = seen.try_emplace(id, n); !fresh) {
                out.push_back({Severity::Error, model.placeOfNode(n),
                               concat({"El gml:id ", quoted(id), " se repite (ya está en ",
                                       model.placeOfNode(it->second), ")."})});
            }
            // "ES.SDGC.CP.<ref>", "ES.SDGC.BU.<ref>_PI.1"; the collection's
            // own "ES.SDGC.CP" carries no reference.
            if (id.starts_with("ES.SDGC.")) {
                const std::size_t dot = id.find('.', 8);
                if (dot != std::string_view::npos)
                    checkCadastralReference(id, id.substr(dot + 1), model, n, "El gml:id", out);
            }
        }
        if (localName(n) != "localId") return;
        const Feature* feature = model.featureOf(n);
        std::string copy, nsCopy;
        const std::string_view localId = trimmed(textView(n, copy));
        std::string_view checked = localId;
        std::string_view base;
        if (feature && isBuildingFeature(feature->kind) && hasConstructionSuffix(localId, base)) checked = base;
        if (localId.empty()) {
            out.push_back({Severity::Error, model.placeOfNode(n), "El localId está vacío."});
        } else if (!compruebaCaracteres(checked)) {
            out.push_back(
                {Severity::Error, model.placeOfNode(n),
                 concat({"El localId ", quoted(localId),
                         " lleva espacios o caracteres especiales: solo puede tener letras, cifras, «-» y «_»."})});
        }
        std::string_view ns;
        for (pugi::xml_node s : n.parent().children())
            if (localName(s) == "namespace") ns = trimmed(textView(s, nsCopy));
        if (ns.starts_with("ES.SDGC") && !localId.empty())
            checkCadastralReference(localId, localId, model, n, "El localId", out);
    });
}

}  // namespace vadrel::check
