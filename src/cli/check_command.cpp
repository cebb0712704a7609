#include "cli/check_command.hpp"

#include <filesystem>
#include <ostream>

#include "check/check_text.hpp"
#include "check/gml_check.hpp"
#include "cli/args.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

namespace {

// No errors, but the schemas could not be used: not the same as "checked".
constexpr int kNotCheckedAgainstSchemas = 3;

}  // namespace

const char* const kCheckUsage =
    "  check [--schemas CARPETA] [--inspire] ARCHIVO.gml...\n"
    "      Comprueba GML de parcelas o de edificios antes de entregarlos al "
    "catastro, como\n"
    "      \"Comprobar\" en las ventanas. Escribe una línea por problema, "
    "ARCHIVO:lugar: mensaje.\n"
    "      Los esquemas del catastro se buscan en el catálogo XML de --schemas (una carpeta\n"
    "      con catalog.xml), en el de XML_CATALOG_FILES o en los instalados con el programa;\n"
    "      lo que a estos les falte, en la caché del usuario o, si no está, se descarga.\n"
    "        --inspire           avisa también de los anillos que no giran como pide INSPIRE\n"
    "                            (exteriores en sentido antihorario); el catastro no lo pide\n"
    "      Estado: 0 comprobado sin errores (puede haber avisos), 1 con errores, 2 orden\n"
    "      mal escrita, 3 sin errores pero sin comprobar contra los esquemas (no se han\n"
    "      podido tener).\n";

int check(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--schemas"}, {"--inspire"}});
    if (args.positional().empty()) throw UsageError("Falta el archivo GML que comprobar.");
    check::SchemaSettings settings = check::SchemaSettings::fromEnvironment();
    if (auto folder = args.value("--schemas")) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(pathFromUtf8(*folder) / "catalog.xml", ec))
            throw UsageError("La carpeta '" + *folder + "' no tiene catalog.xml.");
        settings = check::SchemaSettings::fromFolder(pathFromUtf8(*folder));
    }
    check::CheckOptions options;
    options.inspireOrientation = args.has("--inspire");

    bool errors = false, unchecked = false;
    for (const std::string& file : args.positional()) {
        const check::Problems problems = check::checkGmlFile(pathFromUtf8(file), settings, options);
        const std::string shownFile = check::printable(file);
        for (const check::Problem& p : problems) ctx.out << shownFile << ':' << check::describe(p) << '\n';
        errors = errors || check::hasErrors(problems);
        unchecked = unchecked || !check::checkedAgainstSchemas(problems);
    }
    ctx.out.flush();
    if (errors) return kEndedOnMessage;
    return unchecked ? kNotCheckedAgainstSchemas : kWritten;
}

}  // namespace vadrel::cli
