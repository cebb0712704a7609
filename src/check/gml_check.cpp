#include "check/gml_check.hpp"

#include <pugixml.hpp>

#include <algorithm>

#include "check/check_text.hpp"
#include "check/document_encoding.hpp"
#include "check/feature_checks.hpp"
#include "check/gml_model.hpp"
#include "check/identifier_checks.hpp"
#include "check/ring_checks.hpp"
#include "check/schema_validation.hpp"
#include "check/topology_checks.hpp"
#include "check/utm_range_checks.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/messages.hpp"
#include "core/ui.hpp"
#include "core/xml_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::check {

namespace {

constexpr const char* kNoProblems = "No se han encontrado problemas.";

std::string counted(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

}  // namespace

std::string describe(const Problem& problem)
{
    // Places and messages quote the file: nothing in it reaches the
    // terminal or the dialog as a control character.
    return concat({printable(problem.place), problem.severity == Severity::Error ? ": error: " : ": aviso: ",
                   printable(problem.message)});
}

Problems checkGmlFile(const std::filesystem::path& file, const SchemaSettings& settings, const CheckOptions& options)
{
    Problems out;
    pugi::xml_document doc;
    std::string bytes;
    try {
        // One UTF-8 text for both readers, then the program's own reader: it
        // refuses what no GML holds (entity declarations, absurd sizes,
        // depths and numbers of attributes) before libxml2 sees the bytes.
        bytes = asUtf8Document(readWholeFile(file));
        loadXml(doc, bytes, file);
    } catch (const Failure& f) {
        out.push_back({Severity::Error, "archivo", f.what()});
        return out;
    }
    Model model = modelOf(doc);
    checkXmlAndSchema(bytes, utf8Of(file), settings, model, out);
    bytes = std::string();

    checkReferenceSystems(doc, model, out);
    checkIdentifiers(doc, model, out);
    TopologyCheck topology;
    for (Feature& f : model.features) {
        checkRings(f, out, options.inspireOrientation);
        topology.check(f, out);
        checkDeclaredArea(f, out);
    }
    checkUtmRange(model, out);
    if (model.features.empty())
        out.push_back({Severity::Error, "archivo", "El archivo no contiene ninguna parcela ni construcción."});
    std::stable_partition(out.begin(), out.end(), [](const Problem& p) { return p.schemasUnchecked; });
    return out;
}

std::string reportText(const Problems& problems)
{
    if (problems.empty()) return kNoProblems;
    // The note that the schemas could not be used first, on its own: what
    // follows was found without them.
    std::string text;
    std::size_t errors = 0, warnings = 0;
    for (const Problem& p : problems) {
        if (p.schemasUnchecked)
            text += concat({printable(p.message), "\n\n"});
        else
            ++(p.severity == Severity::Error ? errors : warnings);
    }
    if (errors + warnings == 0) return text + "Las demás comprobaciones no han encontrado problemas.";
    // "2 errores y 1 aviso:", "2 errores:", "Ningún error y 1 aviso:".
    text += errors ? counted(errors, "error", "errores") : std::string("Ningún error");
    if (warnings) {
        text += " y ";
        text += counted(warnings, "aviso", "avisos");
    }
    text += ":\n";
    for (const Problem& p : problems) {
        if (p.schemasUnchecked) continue;
        text += '\n';
        text += describe(p);
    }
    return text;
}

void checkChosenGml(Ui& ui, const SchemaSettings& settings)
{
    const auto file = ui.openFileName(msg::kFiltroGml);
    if (!file) return;
    // The first check may download the schemas: seconds, not an instant.
    Problems problems;
    {
        BusyPointer busy(ui);
        problems = checkGmlFile(pathFromUtf8(*file), settings);
    }
    if (problems.empty())
        ui.message(kNoProblems);
    else
        ui.showReport(concat({"Comprobación de ", utf8Of(pathFromUtf8(*file).filename())}),
                      reportText(problems));
}

}  // namespace vadrel::check
