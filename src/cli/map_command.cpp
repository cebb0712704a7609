#include "cli/map_command.hpp"

#include <filesystem>
#include <system_error>

#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "parcel/parcel_form.hpp"
#include "webmap/webmap_forms.hpp"

namespace vadrel::cli {

const char* const kMapUsage =
    "  map --coords ARCHIVO.txt [--zone HUSO] -o PAGINA.html\n"
    "      Escribe la página que muestra la parcela sobre el mapa de catastro, como \"Ver Mapa\"\n"
    "      de la ventana de parcelas (no abre el navegador). La página carga sus scripts\n"
    "      de la carpeta en que está.\n";

int paginaComo(BatchUi& ui, TFVistaWeb& dialog, const char* name, const std::filesystem::path& output)
{
    // The dialog writes its page under its own name in its window's working
    // folder (the output's folder, here); then the page takes the name asked for.
    const std::filesystem::path page = std::filesystem::absolute(output).parent_path() / name;
    const int before = ui.messagesShown();
    if (!dispatch(ui, [&] { dialog.BBSiClick(); }) || ui.messagesShown() != before) return kEndedOnMessage;
    std::error_code ec;
    if (std::filesystem::absolute(output) != page) std::filesystem::rename(page, output, ec);
    if (ec) {
        ui.message("No se puede escribir el archivo '" + output.string() + "': " + ec.message() + ".");
        return kEndedOnMessage;
    }
    return kWritten;
}

int map(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--coords", "--zone", "-o"}, {}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string coords = args.required("--coords");
    const std::filesystem::path output = args.required("-o");

    BatchApp b(ctx);
    TFParcelgen& form = *b.app.FParcelgen;
    if (auto zone = args.value("--zone")) form.CBHuso = *zone;
    b.ui.openAnswer = coords;
    if (!dispatch(b.ui, [&] { form.BBCargarClick(); })) return kEndedOnMessage;

    form.directorio = std::filesystem::absolute(output).parent_path();
    b.app.FVPrevWeb2->opcion = 0;
    return paginaComo(b.ui, *b.app.FVPrevWeb2, "ejemplo_catastro_montado.html", output);
}

}  // namespace vadrel::cli
