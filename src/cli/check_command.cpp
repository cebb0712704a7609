#include "cli/check_command.hpp"

#include <filesystem>
#include <ostream>

#include "check/gml_check.hpp"
#include "cli/args.hpp"

namespace vadrel::cli {

const char* const kCheckUsage =
    "  check [--schemas CARPETA] ARCHIVO.gml...\n"
    "      Comprueba GML de parcelas o de edificios antes de entregarlos al "
    "catastro, como\n"
    "      \"Comprobar\" en las ventanas. Escribe una línea por problema, "
    "ARCHIVO:lugar: mensaje.\n"
    "      Los esquemas del catastro se buscan en el catálogo XML de --schemas "
    "(una carpeta\n"
    "      con catalog.xml) o de XML_CATALOG_FILES; sin ninguno, se descargan "
    "una vez a la\n"
    "      caché del usuario. Estado: 0 sin errores (puede haber avisos), 1 "
    "con errores.\n";

int check(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--schemas"}, {}});
    if (args.positional().empty()) throw UsageError("Falta el archivo GML que comprobar.");
    check::SchemaSettings settings = check::SchemaSettings::fromEnvironment();
    if (auto folder = args.value("--schemas")) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(std::filesystem::path(*folder) / "catalog.xml", ec))
            throw UsageError("La carpeta '" + *folder + "' no tiene catalog.xml.");
        settings = check::SchemaSettings::fromFolder(*folder);
    }

    bool errors = false;
    for (const std::string& file : args.positional()) {
        const check::Problems problems = check::checkGmlFile(file, settings);
        for (const check::Problem& p : problems) ctx.out << file << ':' << check::describe(p) << '\n';
        errors = errors || check::hasErrors(problems);
    }
    ctx.out.flush();
    return errors ? kEndedOnMessage : kWritten;
}

}  // namespace vadrel::cli
