#include "check/schema_validation.hpp"

#include <libxml/catalog.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxml/xmlschemas.h>

#include <chrono>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <regex>
#include <set>
#include <vector>

#include "check/check_text.hpp"
#include "check/gml_model.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"

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
// After a failed download, the network is not tried again for a while: a
// batch of files offline would otherwise wait for each.
constexpr auto kRetryDownloadAfter = std::chrono::minutes(1);

std::string fromXml(const xmlChar* s) { return s ? std::string(reinterpret_cast<const char*>(s)) : std::string(); }

// "http://host/a/b.xsd" as host and path segments; nothing for anything
// else or for a path that climbs out of its host.
std::optional<std::vector<std::string>> addressParts(std::string_view url)
{
    if (url.starts_with("http://"))
        url.remove_prefix(7);
    else if (url.starts_with("https://"))
        url.remove_prefix(8);
    else
        return std::nullopt;
    url = url.substr(0, url.find_first_of("?#"));
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i <= url.size()) {
        const std::size_t slash = std::min(url.find('/', i), url.size());
        const std::string_view part = url.substr(i, slash - i);
        if (part == ".." || part == "." || (part.empty() && (parts.empty() || slash == url.size())))
            return std::nullopt;
        if (!part.empty()) parts.emplace_back(part);
        i = slash + 1;
    }
    if (parts.size() < 2) return std::nullopt;
    for (const std::string& p : parts)
        if (p.find('\0') != std::string::npos || p.find('\\') != std::string::npos) return std::nullopt;
    return parts;
}

struct FailedDownload {
    std::chrono::steady_clock::time_point when;
    std::string why;
};

// The last failed download for these settings, if any.
FailedDownload& lastFailedDownload(const SchemaSettings& settings)
{
    static std::map<std::string, FailedDownload> failures;
    return failures[settings.key()];
}

// A schema file as libxml2 gets it: its bytes, and the local file they
// stand for, the base its relative imports are resolved against (as with
// any catalog, so that a catalog's redirections behave as in xmllint).
struct Loaded {
    std::string bytes;
    std::filesystem::path file;
};

// The file a location names. libxml2 hands paths back with some characters
// escaped ("my%20schemas") and others not (a "%" of the folder's own name),
// so the name as given is tried first, then its unescaped form.
std::filesystem::path localPath(std::string_view location, const std::filesystem::path& under = {})
{
    if (location.starts_with("file://")) location.remove_prefix(7);
    const std::filesystem::path raw(location);
    const std::filesystem::path decoded(percentDecoded(location));
    std::error_code ec;
    if (under.empty()) return std::filesystem::exists(raw, ec) ? raw : decoded;
    auto inside = [&](const std::filesystem::path& p) {
        const auto rel = p.lexically_normal().lexically_relative(under.lexically_normal());
        return !rel.empty() && rel.begin()->string() != "..";
    };
    return inside(raw) ? raw : decoded;
}

// GML coverage 1.0: coverage.xsd and gmlcovAll.xsd include each other, and
// libxml2 reads coverage.xsd twice when it is what an import names; taken
// through gmlcovAll.xsd it compiles.
constexpr std::string_view kCoverage = "schemas.opengis.net/gmlcov/1.0/coverage.xsd";
constexpr std::string_view kCoverageAll = "schemas.opengis.net/gmlcov/1.0/gmlcovAll.xsd";

bool isWholeXml(const std::string& bytes)
{
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return false;
    xmlFreeDoc(doc);
    return true;
}

// Gives libxml2 each schema it asks for while one set of schemas compiles.
class SchemaLoader {
public:
    explicit SchemaLoader(const SchemaSettings& settings) : settings_(settings)
    {
        for (const auto& path : settings.catalogs) {
            if (xmlCatalogPtr c = xmlLoadACatalog(path.c_str()))
                catalogs_.push_back(c);
            else if (why_.empty())
                why_ = concat({"no se puede leer el catálogo de esquemas ", path.string()});
        }
    }
    ~SchemaLoader()
    {
        for (xmlCatalogPtr c : catalogs_) xmlFreeCatalog(c);
    }
    SchemaLoader(const SchemaLoader&) = delete;
    SchemaLoader& operator=(const SchemaLoader&) = delete;

    // An address (http:, https:) or a local file reached from one by a
    // relative import; nothing, with why() told, when it cannot be had.
    std::optional<Loaded> load(const std::string& location)
    {
        const bool address = location.starts_with("http://") || location.starts_with("https://");
        if (!settings_.catalogs.empty()) {
            if (!address) return readLocal(localPath(location));
            return fromCatalogs(location);
        }
        if (address) return fromCache(location, true);
        // A relative import inside the cache: the file beside its importer,
        // downloaded from the address it mirrors when missing.
        const std::filesystem::path file = localPath(location, settings_.cacheDir).lexically_normal();
        const std::filesystem::path inside = file.lexically_relative(settings_.cacheDir.lexically_normal());
        if (inside.empty() || inside.begin()->string() == "..") {
            note(concat({"el esquema ", location, " está fuera de la caché de esquemas"}));
            return std::nullopt;
        }
        return fromCache(concat({"http://", inside.generic_string()}), false);
    }
    const std::string& why() const { return why_; }

private:
    std::optional<Loaded> readLocal(const std::filesystem::path& file)
    {
        try {
            return Loaded{readWholeFile(file), file};
        } catch (const Failure& f) {
            note(f.what());
            return std::nullopt;
        }
    }

    std::optional<Loaded> fromCatalogs(const std::string& url)
    {
        const auto* u = reinterpret_cast<const xmlChar*>(url.c_str());
        for (xmlCatalogPtr c : catalogs_) {
            xmlChar* found = xmlACatalogResolveURI(c, u);
            if (!found) found = xmlACatalogResolveSystem(c, u);
            if (!found) continue;
            const std::filesystem::path target = localPath(fromXml(found));
            xmlFree(found);
            return readLocal(target);
        }
        note(concat({"el catálogo de esquemas no da ", url}));
        return std::nullopt;
    }

    // `named` when an import named the address itself (not a file beside
    // its importer).
    std::optional<Loaded> fromCache(const std::string& url, bool named)
    {
        auto parts = addressParts(url);
        if (!parts) {
            note(concat({"dirección de esquema no admitida: ", url}));
            return std::nullopt;
        }
        std::string plain;  // host/path
        for (const std::string& p : *parts) plain += concat({plain.empty() ? "" : "/", p});
        if (named && plain == kCoverage) {
            plain = kCoverageAll;
            parts = addressParts(concat({"http://", plain}));
        }
        std::filesystem::path file = settings_.cacheDir;
        for (const std::string& p : *parts) file /= p;
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) return readLocal(file);
        if (!settings_.download) {
            note(concat({"no hay copia de http://", plain, " en ", settings_.cacheDir.string()}));
            return std::nullopt;
        }
        if (!isSchemaHost(parts->front())) {
            note(concat({"no se descargan esquemas de ", parts->front()}));
            return std::nullopt;
        }
        FailedDownload& failed = lastFailedDownload(settings_);
        if (!failed.why.empty() && std::chrono::steady_clock::now() - failed.when < kRetryDownloadAfter) {
            note(concat({"no se ha intentado descargar ", url, ": la descarga anterior falló hace menos de un minuto (",
                         failed.why, ")"}));
            return std::nullopt;
        }
        const std::string https = concat({"https://", plain});
        try {
            std::string bytes = settings_.download(https);
            // A page of errors or a cut download must not stay in the cache.
            if (bytes.find("http://www.w3.org/2001/XMLSchema") == std::string::npos || !isWholeXml(bytes))
                throw Failure(concat({"lo descargado de ", https, " no es un esquema completo"}));
            std::filesystem::create_directories(file.parent_path(), ec);
            writeFileAtomically(file, bytes);
            return Loaded{std::move(bytes), file};
        } catch (const std::exception& e) {
            failed = {std::chrono::steady_clock::now(), e.what()};
            note(e.what());
            return std::nullopt;
        }
    }

    // The first reason only, worded to follow "No se ha podido comprobar el
    // esquema del catastro: ".
    void note(std::string why)
    {
        if (!why_.empty()) return;
        while (!why.empty() && why.back() == '.') why.pop_back();
        if (!why.empty() && why[0] >= 'A' && why[0] <= 'Z' && !(why.size() > 1 && why[1] >= 'A' && why[1] <= 'Z'))
            why[0] = static_cast<char>(why[0] - 'A' + 'a');
        why_ = std::move(why);
    }

    const SchemaSettings& settings_;
    std::vector<xmlCatalogPtr> catalogs_;
    std::string why_;
};

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
    int line = 0;
    std::string message;
    xmlNodePtr node = nullptr;
};

void collect(void* user, xmlErrorPtr e)
{
    if (!e || e->level < XML_ERR_ERROR) return;
    std::string message = e->message ? e->message : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    static_cast<std::vector<Collected>*>(user)->push_back(
        {e->line, std::move(message), static_cast<xmlNodePtr>(e->node)});
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
    xmlChar* content = xmlNodeGetContent(e.node);
    const bool pool = fromXml(content) == "openAirPool";
    xmlFree(content);
    return pool;
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

// "parcela 1234567AB1234N, línea 12": the line, and the feature holding the
// element when there is one (a file of many parcels has many lines).
std::string placeOfError(const Collected& e)
{
    const std::string line = concat({"línea ", std::to_string(e.line)});
    for (xmlNodePtr n = e.node; n; n = n->parent) {
        if (n->type != XML_ELEMENT_NODE) continue;
        const char* kind = featureKind(fromXml(n->name));
        if (!kind) continue;
        std::string localId;
        if (xmlNodePtr d = findElement(n, [](xmlNodePtr x) { return fromXml(x->name) == "localId"; })) {
            xmlChar* text = xmlNodeGetContent(d);
            localId = fromXml(text);
            xmlFree(text);
        }
        xmlChar* id = xmlGetNsProp(n, reinterpret_cast<const xmlChar*>("id"),
                                   reinterpret_cast<const xmlChar*>("http://www.opengis.net/gml/3.2"));
        const std::string name = featureName(localId, fromXml(id));
        xmlFree(id);
        return concat({kind, " ", name, ", ", line});
    }
    return line;
}

struct DocDeleter {
    void operator()(xmlDocPtr d) const { xmlFreeDoc(d); }
};

}  // namespace

void checkXmlAndSchema(const std::string& bytes, const std::string& name, const SchemaSettings& settings, Problems& out)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });

    std::vector<Collected> errors;
    xmlSetStructuredErrorFunc(&errors, collect);
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    std::unique_ptr<xmlDoc, DocDeleter> doc;
    bool wellFormed = false;
    if (ctxt) {
        doc.reset(xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), name.c_str(), nullptr,
                                    XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_BIG_LINES));
        wellFormed = ctxt->wellFormed && ctxt->nsWellFormed;
        xmlFreeParserCtxt(ctxt);
    }
    xmlSetStructuredErrorFunc(nullptr, nullptr);
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
        out.push_back(
            {Severity::Warning, "archivo",
             concat({"No se ha podido comprobar el esquema del catastro: ", why, why.ends_with('?') ? "" : "."})});
        return;
    }
    errors.clear();
    xmlSchemaValidCtxtPtr valid = xmlSchemaNewValidCtxt(schema.get());
    if (!valid) throw Failure("No hay memoria para comprobar el esquema.");
    xmlSchemaSetValidStructuredErrors(valid, collect, &errors);
    xmlSchemaValidateDoc(valid, doc.get());
    xmlSchemaFreeValidCtxt(valid);

    const auto prefixes = prefixesOf(doc.get());
    std::size_t shown = 0, more = 0;
    for (const Collected& e : errors) {
        if (isPoolValue(e) || isAboutGmlId(e) || toldByOwnChecks(e)) continue;
        if (++shown > kMostSchemaErrors) {
            ++more;
            continue;
        }
        out.push_back(
            {Severity::Error, placeOfError(e),
             concat({"No cumple el esquema del catastro: ", inSpanish(withPrefixes(e.message, prefixes)), "."})});
    }
    if (more)
        out.push_back({Severity::Error, "archivo", concat({"Y ", std::to_string(more), " errores más de esquema."})});
}

}  // namespace vadrel::check
