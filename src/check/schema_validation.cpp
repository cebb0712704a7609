#include "check/schema_validation.hpp"

#include <libxml/catalog.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxml/xmlschemas.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <vector>

#include "check/check_text.hpp"
#include "check/gml_model.hpp"
#include "check/schema_loader.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/numeric_text.hpp"

namespace vadrel::check {

namespace {

struct Import {
    const char* ns;
    const char* location;
};
constexpr Import kWfs{"http://www.opengis.net/wfs/2.0", "http://schemas.opengis.net/wfs/2.0/wfs.xsd"};
constexpr Import kParcels{"http://inspire.ec.europa.eu/schemas/cp/4.0",
                          "http://inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd"};
constexpr Import kBuildings{"http://inspire.jrc.ec.europa.eu/schemas/bu-ext2d/2.0",
                            "http://inspire.ec.europa.eu/draft-schemas/bu-ext2d/2.0/"
                            "BuildingExtended2D.xsd"};

// Beyond this many, one line counts the rest.
constexpr std::size_t kMostSchemaErrors = 50;

std::string fromXml(const xmlChar* s) { return s ? std::string(reinterpret_cast<const char*>(s)) : std::string(); }

thread_local SchemaLoader* activeLoader = nullptr;

// Every external document libxml2 opens while schemas compile comes
// through here, so none is read from elsewhere or fetched behind our back.
xmlParserInputPtr loadEntity(const char* url, const char*, xmlParserCtxtPtr ctxt)
{
    if (!activeLoader || !url) return nullptr;
    const std::optional<Loaded> loaded = activeLoader->load(url);
    if (!loaded) return nullptr;
    xmlParserInputBufferPtr buffer = xmlParserInputBufferCreateMem(
        loaded->bytes.data(), static_cast<int>(loaded->bytes.size()), XML_CHAR_ENCODING_NONE);
    if (!buffer) return nullptr;
    xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
    if (!input) {
        xmlFreeParserInputBuffer(buffer);
        return nullptr;
    }
    input->filename = reinterpret_cast<char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(loaded->file.c_str())));
    return input;
}

struct SchemaDeleter {
    void operator()(xmlSchemaPtr s) const { xmlSchemaFree(s); }
};
using SchemaHandle = std::shared_ptr<xmlSchema>;

struct Collected {
    int code = 0;
    int line = 0;
    std::string message;
    std::string file;
    xmlNodePtr node = nullptr;
};

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

// The compiled schemas importing `imports`, kept for the next file; nothing
// (with the reason) when a schema cannot be had.
SchemaHandle compiled(const std::vector<Import>& imports, const SchemaSettings& settings, std::string& why)
{
    std::string wrapper =
        "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
        "elementFormDefault=\"qualified\">";
    for (const Import& i : imports)
        wrapper += concat({"<xs:import namespace=\"", i.ns, "\" schemaLocation=\"", i.location, "\"/>"});
    wrapper += "</xs:schema>";

    static std::map<std::string, SchemaHandle> done;
    const std::string key = settings.key() + '\n' + wrapper;
    if (auto it = done.find(key); it != done.end()) return it->second;

    SchemaLoader loader(settings);
    if (!loader.why().empty()) {
        why = loader.why();
        return nullptr;
    }
    activeLoader = &loader;
    const xmlExternalEntityLoader previous = xmlGetExternalEntityLoader();
    xmlSetExternalEntityLoader(loadEntity);
    // Errors of the schema documents themselves (a broken download) are
    // kept, not printed; their warnings (imports skipped as already
    // imported) are no concern of the person checking a file.
    std::vector<Collected> errors;
    xmlSetStructuredErrorFunc(&errors, collect);
    xmlSchemaParserCtxtPtr parser = xmlSchemaNewMemParserCtxt(wrapper.data(), static_cast<int>(wrapper.size()));
    xmlSchemaPtr schema = nullptr;
    if (parser) {
        xmlSchemaSetParserStructuredErrors(parser, collect, &errors);
        schema = xmlSchemaParse(parser);
        xmlSchemaFreeParserCtxt(parser);
    }
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetExternalEntityLoader(previous);
    activeLoader = nullptr;
    if (!schema) {
        if (!loader.why().empty())
            why = loader.why();
        else if (const auto cached = std::find_if(errors.begin(), errors.end(),
                                                  [&](const Collected& e) { return loader.isCachedFile(e.file); });
                 cached != errors.end())
            // A copy spoilt since it was kept: the person can have it again.
            why = concat({"la copia ", cached->file, " de la caché no se puede compilar (", cached->message,
                          "); bórrela y se descargará de nuevo"});
        else if (!errors.empty())
            why = concat({"los esquemas no se han podido compilar (", errors.front().message, ")"});
        else
            why = "los esquemas no se han podido compilar";
        return nullptr;
    }
    SchemaHandle handle(schema, SchemaDeleter{});
    done.emplace(key, handle);
    return handle;
}

// `root` and each element below it in order, without recursion, until
// `found` says true; that element, or none.
template <typename F>
xmlNodePtr findElement(xmlNodePtr root, F&& found)
{
    for (xmlNodePtr n = root; n;) {
        if (n->type == XML_ELEMENT_NODE && found(n)) return n;
        if (n->children && n->type == XML_ELEMENT_NODE) {
            n = n->children;
            continue;
        }
        while (n && n != root && !n->next) n = n->parent;
        if (!n || n == root) break;
        n = n->next;
    }
    return nullptr;
}

template <typename F>
void forEachElement(xmlDocPtr doc, F&& f)
{
    findElement(xmlDocGetRootElement(doc), [&](xmlNodePtr n) {
        f(n);
        return false;
    });
}

// The schemas the document's namespaces call for.
std::vector<Import> importsFor(xmlDocPtr doc)
{
    bool wfs = false, parcels = false, buildings = false;
    const xmlNodePtr root = xmlDocGetRootElement(doc);
    forEachElement(doc, [&](xmlNodePtr n) {
        if (!n->ns || !n->ns->href) return;
        const std::string_view href = reinterpret_cast<const char*>(n->ns->href);
        wfs = wfs || (n == root && href == kWfs.ns);
        parcels = parcels || href == kParcels.ns;
        buildings = buildings || href == kBuildings.ns;
    });
    std::vector<Import> imports;
    if (wfs) imports.push_back(kWfs);
    if (parcels) imports.push_back(kParcels);
    if (buildings) imports.push_back(kBuildings);
    return imports;
}

// "{http://inspire.ec.europa.eu/schemas/cp/4.0}label" as "cp:label", with
// the prefixes the file itself binds (the first binding of each namespace),
// and with "cp:" as the replacement of each.
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

// libxml2's usual phrases in Spanish; anything else stays in its words.
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

// libxml2's features in document order are the model's: both readers read
// the same text, and the model names each feature as every other check does.
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

// "parcela 1234567AB1234N, línea 12": the line, and the feature holding the
// element when there is one (a file of many parcels has many lines).
std::string placeOfError(const Collected& e, const std::map<xmlNodePtr, const Feature*>& features)
{
    const std::string line = concat({"línea ", std::to_string(e.line)});
    for (xmlNodePtr n = e.node; n; n = n->parent)
        if (const auto it = features.find(n); it != features.end()) return concat({placeOf(*it->second), ", ", line});
    return line;
}

// libxml2's limit on one text (10 MB) without XML_PARSE_HUGE, which is
// not given: a ring that long is not the file's fault, but the schemas
// cannot be checked on it.
bool isTextTooLong(const Collected& e)
{
    return e.code == XML_ERR_NO_MEMORY && e.message.find("huge text node") != std::string::npos;
}

// An entity declaration stops the reading at once: no GML has one, and
// nothing declared is ever expanded into the report.
void refuseEntity(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*)
{
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    *static_cast<bool*>(ctxt->_private) = true;
    xmlStopParser(ctxt);
}

struct DocDeleter {
    void operator()(xmlDocPtr d) const { xmlFreeDoc(d); }
};

}  // namespace

void checkXmlAndSchema(const std::string& bytes, const std::string& name, const SchemaSettings& settings,
                       const Model& model, Problems& out)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });

    std::vector<Collected> errors;
    xmlSetStructuredErrorFunc(&errors, collect);
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    std::unique_ptr<xmlDoc, DocDeleter> doc;
    bool wellFormed = false, entities = false;
    if (ctxt) {
        ctxt->_private = &entities;
        ctxt->sax->entityDecl = refuseEntity;
        // Text as UTF-8 whatever the declaration says (it says UTF-8), no
        // entity substituted, libxml2's own limits on sizes and depth kept.
        doc.reset(xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), name.c_str(), "UTF-8",
                                    XML_PARSE_NONET | XML_PARSE_BIG_LINES));
        wellFormed = ctxt->wellFormed && ctxt->nsWellFormed;
        xmlFreeParserCtxt(ctxt);
    }
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (entities) {
        out.push_back({Severity::Error, "archivo",
                       "El archivo declara entidades (<!ENTITY) en su DOCTYPE, algo que ningún GML usa: no se lee."});
        return;
    }
    if (std::erase_if(errors, isTextTooLong) > 0) {
        out.push_back({Severity::Warning, "archivo",
                       "No se ha podido comprobar el archivo contra los esquemas: tiene un texto de más de 10 MB, "
                       "más de lo que admite el validador.",
                       true});
        // The rest of the document was not read: nothing more to tell.
        return;
    }
    wellFormed = wellFormed && errors.empty();
    for (std::size_t i = 0; i < errors.size() && i < kMostSchemaErrors; ++i)
        out.push_back({Severity::Error, concat({"línea ", std::to_string(errors[i].line)}),
                       concat({"El XML no está bien formado: ", inSpanish(errors[i].message), "."})});
    if (errors.size() > kMostSchemaErrors)
        out.push_back({Severity::Error, "archivo",
                       concat({"Y ", std::to_string(errors.size() - kMostSchemaErrors), " errores más de XML."})});
    if (!doc || !wellFormed) return;

    const std::vector<Import> imports = importsFor(doc.get());
    if (imports.empty()) {
        out.push_back({Severity::Error, "archivo",
                       "No es un GML de parcelas (INSPIRE cp 4.0) ni de edificios "
                       "(bu-ext2d 2.0) del catastro."});
        return;
    }
    std::string why;
    const SchemaHandle schema = compiled(imports, settings, why);
    if (!schema) {
        out.push_back({Severity::Warning, "archivo",
                       concat({"No se ha podido comprobar el archivo contra los esquemas: ", why,
                               why.ends_with('?') ? "" : "."}),
                       true});
        return;
    }
    errors.clear();
    xmlSchemaValidCtxtPtr valid = xmlSchemaNewValidCtxt(schema.get());
    if (!valid) throw Failure("No hay memoria para comprobar el esquema.");
    xmlSchemaSetValidStructuredErrors(valid, collect, &errors);
    xmlSchemaValidateDoc(valid, doc.get());
    xmlSchemaFreeValidCtxt(valid);

    const auto prefixes = prefixesOf(doc.get());
    const auto features = featuresOf(doc.get(), model);
    std::size_t shown = 0, more = 0;
    for (const Collected& e : errors) {
        if (isPoolValue(e) || isAboutGmlId(e) || toldByOwnChecks(e)) continue;
        if (++shown > kMostSchemaErrors) {
            ++more;
            continue;
        }
        out.push_back(
            {Severity::Error, placeOfError(e, features),
             concat({"No cumple el esquema del catastro: ", inSpanish(withPrefixes(e.message, prefixes)), "."})});
    }
    if (more)
        out.push_back({Severity::Error, "archivo", concat({"Y ", std::to_string(more), " errores más de esquema."})});
}

}  // namespace vadrel::check
