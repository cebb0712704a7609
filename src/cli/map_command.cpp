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

    // The dialog writes its page under its own name in the working folder:
    // here, the output's folder, then the page takes the name asked for.
    std::filesystem::path folder = std::filesystem::absolute(output).parent_path();
    form.directorio = folder;
    const std::filesystem::path page = folder / "ejemplo_catastro_montado.html";
    const int before = b.ui.messagesShown();
    b.app.FVPrevWeb2->opcion = 0;
    if (!dispatch(b.ui, [&] { b.app.FVPrevWeb2->BBSiClick(); }) || b.ui.messagesShown() != before)
        return kEndedOnMessage;
    std::error_code ec;
    if (std::filesystem::absolute(output) != page) std::filesystem::rename(page, output, ec);
    if (ec) {
        b.ui.message("No se puede escribir el archivo '" + output.string() + "': " + ec.message() + ".");
        return kEndedOnMessage;
    }
    return kWritten;
}

}  // namespace vadrel::cli
