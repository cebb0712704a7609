#include "cli/map_command.hpp"

#include <filesystem>
#include <system_error>

#include "core/file_io.hpp"

#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "parcel/parcel_form.hpp"
#include "webmap/map_scripts.hpp"
#include "webmap/webmap_forms.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

const char* const kMapUsage =
    "  map --coords ARCHIVO.txt [--zone HUSO] -o PAGINA.html\n"
    "      Escribe la página que muestra la parcela sobre el mapa de catastro, como \"Ver Mapa\"\n"
    "      de la ventana de parcelas (no abre el navegador). La página carga sus scripts\n"
    "      de la carpeta en que está: se ponen a su lado los que falten.\n";

int paginaComo(BatchUi& ui, TFVistaWeb& dialog, std::filesystem::path& directorio, const char* name,
               const std::filesystem::path& output, const Entorno& entorno)
{
    // The dialog writes its page under its own name in its window's working
    // folder: a folder of its own beside the output, so that no page already
    // there is touched; then the page takes the name asked for.
    const std::filesystem::path carpeta = std::filesystem::absolute(output).parent_path();
    limpiaTemporalesViejos(carpeta);
    std::error_code error;
    const std::filesystem::path ownFolder = platform::createUniqueFolder(carpeta, ".vadrel-mapa-", error);
    if (ownFolder.empty()) {
        ui.message("No se puede escribir el archivo '" + utf8Of(output) + "': " + systemReason(error) + ".");
        return kEndedOnMessage;
    }
    directorio = ownFolder;
    const std::filesystem::path page = directorio / pathFromUtf8(name);
    const int before = ui.messagesShown();
    const bool ok = dispatch(ui, [&] { dialog.BBSiClick(); }) && ui.messagesShown() == before;
    const bool moved = ok && dispatch(ui, [&] { reemplazaCon(page, output); });
    std::error_code removed;
    std::filesystem::remove_all(directorio, removed);  // the folder of its own, and only that
    if (!moved) return kEndedOnMessage;
    // A page without its scripts beside it shows nothing.
    std::vector<std::filesystem::path> origenes{entorno.directorioInicio};
    origenes.insert(origenes.end(), entorno.carpetasPlantillas.begin(), entorno.carpetasPlantillas.end());
    std::vector<std::string> faltan;
    if (!dispatch(ui, [&] { faltan = copiaScriptsMapa(origenes, carpeta); })) return kEndedOnMessage;
    if (!faltan.empty())
        ui.message("Aviso. No se han encontrado los scripts del mapa (" + faltan.front() +
                   (faltan.size() > 1 ? " y otros" : "") + "): la página no mostrará el mapa sin ellos.");
    return kWritten;
}

int map(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--coords", "--zone", "-o"}, {}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string coords = args.required("--coords");
    const std::filesystem::path output = pathFromUtf8(args.required("-o"));
    args.compruebaSalida();

    BatchApp b(ctx);
    TFParcelgen& form = *b.app.FParcelgen;
    if (auto zone = args.value("--zone")) form.CBHuso = *zone;
    b.ui.openAnswer = coords;
    if (!dispatch(b.ui, [&] { form.BBCargarClick(); })) return kEndedOnMessage;

    b.app.FVPrevWeb2->opcion = 0;
    return paginaComo(b.ui, *b.app.FVPrevWeb2, form.directorio, "ejemplo_catastro_montado.html", output, ctx.entorno);
}

}  // namespace vadrel::cli
