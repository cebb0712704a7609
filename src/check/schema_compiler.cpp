#include "check/schema_compiler.hpp"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string_view>

#include "check/check_text.hpp"
#include "check/libxml_errors.hpp"
#include "check/libxml_tree.hpp"
#include "check/schema_loader.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::check {

namespace {

constexpr Import kWfs{"http://www.opengis.net/wfs/2.0", "http://schemas.opengis.net/wfs/2.0/wfs.xsd"};
constexpr Import kParcels{"http://inspire.ec.europa.eu/schemas/cp/4.0",
                          "http://inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd"};
constexpr Import kBuildings{"http://inspire.jrc.ec.europa.eu/schemas/bu-ext2d/2.0",
                            "http://inspire.ec.europa.eu/draft-schemas/bu-ext2d/2.0/"
                            "BuildingExtended2D.xsd"};

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
    // libxml2 takes file names in UTF-8 with "/" on every system, and
    // resolves the schema's relative includes against this one.
    const std::string name = genericUtf8Of(loaded->file);
    input->filename = reinterpret_cast<char*>(
        xmlStrndup(reinterpret_cast<const xmlChar*>(name.data()), static_cast<int>(name.size())));
    return input;
}

struct SchemaDeleter {
    void operator()(xmlSchemaPtr s) const { xmlSchemaFree(s); }
};

}  // namespace

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

SchemaHandle compiledSchemas(const std::vector<Import>& imports, const SchemaSettings& settings, std::string& why)
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
                                                  [&](const Collected& e) { return loader.isCachedFile(pathFromUtf8(e.file)); });
                 cached != errors.end())
            // A copy spoilt since it was kept: the person can have it again.
            why = concat({"la copia ", utf8Of(pathFromUtf8(cached->file).make_preferred()), " de la caché no se puede compilar (", cached->message,
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

}  // namespace vadrel::check
