#include "check/gml_check.hpp"

#include <pugixml.hpp>

#include "check/check_text.hpp"
#include "check/feature_checks.hpp"
#include "check/gml_model.hpp"
#include "check/identifier_checks.hpp"
#include "check/ring_checks.hpp"
#include "check/schema_validation.hpp"
#include "check/topology_checks.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/messages.hpp"
#include "core/ui.hpp"
#include "core/xml_file.hpp"

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
    std::string line = problem.place;
    line += problem.severity == Severity::Error ? ": error: " : ": aviso: ";
    line += problem.message;
    return line;
}

Problems checkGmlFile(const std::filesystem::path& file, const SchemaSettings& settings)
{
    Problems out;
    pugi::xml_document doc;
    std::string bytes;
    try {
        // The program's own reader first: it refuses what no GML holds
        // (entity declarations, absurd sizes and depths) before libxml2
        // sees the bytes.
        bytes = readWholeFile(file);
        loadXml(doc, bytes, file);
    } catch (const Failure& f) {
        out.push_back({Severity::Error, "archivo", f.what()});
        return out;
    }
    checkXmlAndSchema(bytes, file.string(), settings, out);
    bytes = std::string();

    Model model = modelOf(doc);
    checkReferenceSystems(doc, model, out);
    checkIdentifiers(doc, model, out);
    TopologyCheck topology;
    for (Feature& f : model.features) {
        checkRings(f, out);
        topology.check(f, out);
        checkDeclaredArea(f, out);
    }
    if (model.features.empty())
        out.push_back({Severity::Error, "archivo", "El archivo no contiene ninguna parcela ni construcción."});
    return out;
}

std::string reportText(const Problems& problems)
{
    if (problems.empty()) return kNoProblems;
    std::size_t errors = 0;
    for (const Problem& p : problems) errors += p.severity == Severity::Error;
    const std::size_t warnings = problems.size() - errors;
    // "2 errores y 1 aviso:", "2 errores:", "Ningún error y 1 aviso:".
    std::string text = errors ? counted(errors, "error", "errores") : std::string("Ningún error");
    if (warnings) {
        text += " y ";
        text += counted(warnings, "aviso", "avisos");
    }
    text += ":\n";
    for (const Problem& p : problems) {
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
    struct Busy {
        Ui& ui;
        explicit Busy(Ui& u) : ui(u) { ui.setBusy(true); }
        ~Busy() { ui.setBusy(false); }
    };
    Problems problems;
    {
        Busy busy(ui);
        problems = checkGmlFile(*file, settings);
    }
    if (problems.empty())
        ui.message(kNoProblems);
    else
        ui.showReport(concat({"Comprobación de ", std::filesystem::path(*file).filename().string()}),
                      reportText(problems));
}

}  // namespace vadrel::check
