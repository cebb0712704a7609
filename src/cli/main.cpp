// vadrel-cli: the program's forms driven from the command line.

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/args.hpp"
#include "core/platform/executable.hpp"
#include "cli/building_commands.hpp"
#include "cli/check_command.hpp"
#include "cli/command.hpp"
#include "cli/compare_command.hpp"
#include "cli/coords_command.hpp"
#include "cli/memory_tuning.hpp"
#include "cli/parcel_commands.hpp"
#include "cli/map_command.hpp"
#include "cli/preview_command.hpp"
#include "cli/report_command.hpp"
#include "cli/shift_command.hpp"
#include "core/failure.hpp"
#include "shell/working_folder.hpp"

namespace {

using namespace vadrel::cli;

const Command kCommands[] = {
    {"parcel", "write", kParcelWriteUsage, parcelWrite},
    {"parcel", "read", kParcelReadUsage, parcelRead},
    {"parcel", "export", kParcelExportUsage, parcelExport},
    {"parcel", "group", kParcelGroupUsage, parcelGroup},
    {"building", "write", kBuildingWriteUsage, buildingWrite},
    {"building", "export", kBuildingExportUsage, buildingExport},
    {"building", "map", kBuildingMapUsage, buildingMap},
    {"building", "read", kBuildingReadUsage, buildingRead},
    {"building", "report", kBuildingReportUsage, buildingReport},
    {"preview", "", kPreviewUsage, preview},
    {"map", "", kMapUsage, map},
    {"check", "", kCheckUsage, check},
    {"report", "", kReportUsage, report},
    {"compare", "", kCompareUsage, compare},
    {"shift", "", kShiftUsage, shift},
    {"coords", "convert", kCoordsConvertUsage, coordsConvert},
    {"parcel", "download", kParcelDownloadUsage, parcelDownload},
};

void printUsage(std::ostream& os)
{
    os << "Uso: vadrel-cli ORDEN [OPCIONES]\n\nÓrdenes:\n";
    for (const auto& c : kCommands) os << c.usage << '\n';
    os << "Los mensajes del programa salen por la salida de error, uno por línea.\n"
          "Estado de salida: 0 si se ha creado el archivo, 1 si la operación terminó con un\n"
          "mensaje, 2 si la orden está mal escrita.\n"
          "Las plantillas se buscan en la carpeta actual y, si no están, en la carpeta de\n"
          "datos del programa.\n";
}

}  // namespace

int main(int argc, char** argv)
{
    vadrel::cli::tuneMemory();
    vadrel::platform::useUtf8StandardStreams();
    const std::vector<std::string> words = vadrel::platform::commandArguments(argc, argv);
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h" || words[0] == "help")) {
        printUsage(std::cout);
        return 0;
    }

    std::error_code ec;
    Context ctx{std::cout, std::cerr, {}};
    ctx.entorno.directorioInicio = std::filesystem::current_path(ec);
    ctx.entorno.formato = vadrel::NumberFormat::batch();
    if (auto data = vadrel::carpetaDeDatos(); !data.empty()) ctx.entorno.carpetasPlantillas.push_back(data);

    for (const auto& c : kCommands) {
        // A command of one word ("preview") has an empty verb.
        const std::size_t length = *c.verb ? 2 : 1;
        if (words.size() < length || words[0] != c.group || (length == 2 && words[1] != c.verb)) continue;
        // "--help" among the options (not a file name after "--") prints
        // this command's usage.
        for (auto w = words.begin() + static_cast<std::ptrdiff_t>(length); w != words.end() && *w != "--"; ++w)
            if (*w == "--help") {
                std::cout << "Uso: vadrel-cli\n" << c.usage;
                return 0;
            }
        try {
            return c.run(std::vector<std::string>(words.begin() + static_cast<std::ptrdiff_t>(length), words.end()), ctx);
        } catch (const UsageError& e) {
            std::cerr << e.what() << "\n\n";
            printUsage(std::cerr);
            return kBadUsage;
        } catch (const vadrel::Failure& e) {
            // A refusal before any window ran (the output named as an input).
            std::cerr << e.what() << '\n';
            return kEndedOnMessage;
        } catch (const std::exception& e) {
            // Handlers report their own failures; anything else still ends
            // with a message, never with a crash.
            std::cerr << "Error inesperado: " << e.what() << '\n';
            return kEndedOnMessage;
        }
    }
    if (words.empty())
        std::cerr << "Falta la orden.\n\n";
    else
        std::cerr << "Orden desconocida: " << words[0] << (words.size() > 1 ? " " + words[1] : "") << ".\n\n";
    printUsage(std::cerr);
    return kBadUsage;
}
