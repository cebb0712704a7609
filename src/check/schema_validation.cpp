#include "check/schema_validation.hpp"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <memory>
#include <mutex>
#include <vector>

#include "check/check_text.hpp"
#include "check/libxml_errors.hpp"
#include "check/schema_compiler.hpp"
#include "core/failure.hpp"

namespace vadrel::check {

namespace {

// Beyond this many, one line counts the rest.
constexpr std::size_t kMostSchemaErrors = 50;

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
    const SchemaHandle schema = compiledSchemas(imports, settings, why);
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
        if (toldElsewhere(e)) continue;
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
