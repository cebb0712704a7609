#include "check/libxml_errors.hpp"

#include <cstring>
#include <regex>
#include <utility>
#include <vector>

#include "check/check_text.hpp"
#include "check/libxml_tree.hpp"
#include "core/numeric_text.hpp"

namespace vadrel::check {

namespace {

// The cadastre's pools say "openAirPool", a value its draft building schema
// lacks; the cadastre itself accepts it.
bool isPoolValue(const Collected& e)
{
    if (!e.node || e.node->type != XML_ELEMENT_NODE || fromXml(e.node->name) != "constructionNature") return false;
    std::string text;  // its own text only: nothing is looked up or expanded
    for (xmlNodePtr c = e.node->children; c && text.size() <= 11; c = c->next) {
        if (c->type != XML_TEXT_NODE && c->type != XML_CDATA_SECTION_NODE) return false;
        text += fromXml(c->content);
    }
    return trimmed(text) == "openAirPool";
}

// gml:id values have checks of their own, with clearer words.
bool isAboutGmlId(const Collected& e)
{
    return e.message.find("attribute '{http://www.opengis.net/gml/3.2}id'") != std::string::npos;
}

// A coordinate, an area or a building's area that is no number: the ring
// and area checks say so in their own words, at the vertex.
bool toldByOwnChecks(const Collected& e)
{
    if (!e.node || e.node->type != XML_ELEMENT_NODE) return false;
    const std::string name = fromXml(e.node->name);
    const bool number = e.message.find("is not a valid value of the") != std::string::npos;
    if (name == "posList" || name == "pos")
        return number && e.node->parent && fromXml(e.node->parent->name) == "LinearRing";
    if (name == "areaValue") return number || e.message.find("attribute 'uom'") != std::string::npos;
    if (name == "value" && e.node->parent && fromXml(e.node->parent->name) == "OfficialArea") return number;
    return false;
}

}  // namespace

void collect(void* user, xmlErrorPtr e)
{
    if (!e || e->level < XML_ERR_ERROR) return;
    std::string message = e->message ? e->message : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    static_cast<std::vector<Collected>*>(user)->push_back(
        {e->code, e->line, std::move(message), e->file ? std::string(e->file) : std::string(),
         static_cast<xmlNodePtr>(e->node)});
}

std::map<std::string, std::string> prefixesOf(xmlDocPtr doc)
{
    std::map<std::string, std::string> prefixes, defaults;
    forEachElement(doc, [&](xmlNodePtr n) {
        for (xmlNsPtr ns = n->nsDef; ns; ns = ns->next) {
            if (!ns->href) continue;
            if (ns->prefix)
                prefixes.emplace(fromXml(ns->href), fromXml(ns->prefix) + ":");
            else
                defaults.emplace(fromXml(ns->href), "");
        }
    });
    // A default namespace no prefix names: the bare name, as the file has it.
    prefixes.merge(defaults);
    return prefixes;
}

std::string withPrefixes(std::string message, const std::map<std::string, std::string>& prefixes)
{
    std::size_t from = 0;
    for (std::size_t open; (open = message.find('{', from)) != std::string::npos;) {
        const std::size_t close = message.find('}', open);
        if (close == std::string::npos) break;
        const auto it = prefixes.find(message.substr(open + 1, close - open - 1));
        if (it == prefixes.end()) {
            from = open + 1;
            continue;
        }
        message.replace(open, close - open + 1, it->second);
        from = open + it->second.size();
    }
    return message;
}

std::string inSpanish(std::string message)
{
    static const std::pair<const char*, const char*> kPhrases[] = {
        {"This element is not expected. Expected is one of ( ", "este elemento no va aquí; se esperaba uno de ( "},
        {"This element is not expected. Expected is ( ", "este elemento no va aquí; se esperaba ( "},
        {"This element is not expected", "este elemento no va aquí"},
        {"Missing child element(s). Expected is one of ( ", "faltan elementos; se esperaba uno de ( "},
        {"Missing child element(s). Expected is ( ", "faltan elementos; se esperaba ( "},
        {"is not a valid value of the local atomic type", "no es un valor válido de su tipo"},
        {"is not a valid value of the local union type", "no es un valor válido de su tipo"},
        {"is not a valid value of the atomic type", "no es un valor válido del tipo"},
        {"is not a valid value of the union type", "no es un valor válido del tipo"},
        {"is not a valid value of the list type", "no es un valor válido del tipo"},
        {"[facet 'enumeration'] The value ", "el valor "},
        {" is not an element of the set ", " no es ninguno de "},
        {"[facet 'pattern'] The value ", "el valor "},
        {" is not accepted by the pattern ", " no sigue el patrón "},
        {"Character content other than whitespace is not allowed because the content type is 'element-only'",
         "no admite texto, sólo elementos"},
        {"Element content is not allowed, because the type definition is simple",
         "no admite elementos dentro, sólo texto"},
        {"No matching global declaration available for the validation root",
         "los esquemas no declaran este elemento raíz"},
        {"Extra content at the end of the document", "hay algo más tras el elemento raíz"},
        {"Start tag expected, '<' not found", "no empieza por una etiqueta ('<')"},
        {"Document is empty", "el documento está vacío"},
        {"Input is not proper UTF-8, indicate encoding !", "el texto no es UTF-8 y no dice su codificación"},
        {"xmlParseEntityRef: no name", "un «&» sin nombre de entidad detrás"},
        {"EntityRef: expecting ';'", "falta «;» tras una entidad"},
        {"Element '", "Elemento '"},
        {", attribute '", ", atributo '"},
    };
    for (const auto& [english, spanish] : kPhrases)
        if (const std::size_t at = message.find(english); at != std::string::npos)
            message.replace(at, std::strlen(english), spanish);
    static const std::pair<std::regex, const char*> kPatterns[] = {
        {std::regex("The attribute '([^']*)' is required but missing"), "falta el atributo obligatorio '$1'"},
        {std::regex("The attribute '([^']*)' is not allowed"), "el atributo '$1' no está permitido"},
        {std::regex("Opening and ending tag mismatch: (\\S+) line (\\d+) and (\\S+)"),
         "la etiqueta $1 de la línea $2 se cierra con $3"},
        {std::regex("Premature end of data in tag (\\S+) line (\\d+)"),
         "el archivo acaba sin cerrar la etiqueta $1 de la línea $2"},
        {std::regex("Attribute (\\S+) redefined"), "el atributo $1 está repetido"},
        {std::regex("Namespace prefix (\\S+) for (\\S+) on (\\S+) is not defined"),
         "el prefijo $1 del atributo $2 de $3 no está declarado"},
        {std::regex("Namespace prefix (\\S+) on (\\S+) is not defined"), "el prefijo $1 de $2 no está declarado"},
        {std::regex("Entity '([^']*)' not defined"), "la entidad $1 no está definida"},
    };
    for (const auto& [pattern, spanish] : kPatterns) message = std::regex_replace(message, pattern, spanish);
    return message;
}

bool toldElsewhere(const Collected& e) { return isPoolValue(e) || isAboutGmlId(e) || toldByOwnChecks(e); }

std::map<xmlNodePtr, const Feature*> featuresOf(xmlDocPtr doc, const Model& model)
{
    std::map<xmlNodePtr, const Feature*> features;
    std::size_t next = 0;
    forEachElement(doc, [&](xmlNodePtr n) {
        if (featureKind(fromXml(n->name)) && next < model.features.size() && !model.features[next].kind.empty())
            features.emplace(n, &model.features[next++]);
    });
    return features;
}

std::string placeOfError(const Collected& e, const std::map<xmlNodePtr, const Feature*>& features)
{
    const std::string line = concat({"línea ", std::to_string(e.line)});
    for (xmlNodePtr n = e.node; n; n = n->parent)
        if (const auto it = features.find(n); it != features.end()) return concat({placeOf(*it->second), ", ", line});
    return line;
}

bool isTextTooLong(const Collected& e)
{
    return e.code == XML_ERR_NO_MEMORY && e.message.find("huge text node") != std::string::npos;
}

}  // namespace vadrel::check
