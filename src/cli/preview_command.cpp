#include "cli/preview_command.hpp"

#include "app/png_picture.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "core/file_io.hpp"
#include "parcel/parcel_form.hpp"
#include "preview/preview_forms.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

const char* const kPreviewUsage =
    "  preview [--show-points] [--show-ref] [--show-area] (--coords ARCHIVO.txt [--ref REF] [--area TEXTO] |\n"
    "          --gml ARCHIVO.gml...) -o SALIDA.png\n"
    "      Dibuja la vista previa de 390 x 390 puntos: el polígono de un archivo de\n"
    "      coordenadas, como \"Vista Prev.\" de la ventana de parcelas, o las parcelas de\n"
    "      varios GML de una misma carpeta, como \"Vista Prev.\" de \"Agrupar GMLs\".\n"
    "        --show-points       numera los vértices (\"Puntos\")\n"
    "        --show-ref          escribe la referencia (\"Referencia\")\n"
    "        --show-area         escribe la superficie (\"Superficie\")\n"
    "        --ref, --area       la referencia y la superficie de la parcela de --coords\n";


int preview(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--coords", "--gml", "--ref", "--area", "-o"}, {"--show-points", "--show-ref", "--show-area"}});
    std::vector<std::string> gmls;
    for (const auto& [name, value] : args.options())
        if (name == "--gml") gmls.push_back(value);
    for (const auto& extra : args.positional()) {
        if (gmls.empty()) throw UsageError("Sobra el argumento: " + extra + ".");
        gmls.push_back(extra);  // --gml a.gml b.gml ...
    }
    const auto coords = args.value("--coords");
    if (coords.has_value() == !gmls.empty()) throw UsageError("Indique --coords o --gml, uno de los dos.");
    if (!coords && (args.has("--ref") || args.has("--area")))
        throw UsageError("--ref y --area van con --coords: los GML llevan su referencia y su superficie.");
    const std::string output = args.required("-o");
    args.compruebaSalida();

    app::PngPicture picture;
    Canvas& canvas = picture.canvas();
    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFParcelgen& form = *b.app.FParcelgen;
    ui.onShowModal = [](Form&) { return ModalResult::Ok; };

    TFPreviewConOpciones* vista = nullptr;
    if (coords) {
        vista = b.app.FVPrev.get();
        vista->IDibujo = &canvas;
        if (auto ref = args.value("--ref")) form.ERefCatas = *ref;
        if (auto area = args.value("--area")) form.ESup = *area;
        if (!cargaCoordenadas(ui, form, *coords)) return kEndedOnMessage;
        if (!dispatch(ui, [&] { form.BBVistaClick(); })) return kEndedOnMessage;
    } else {
        vista = b.app.FVPrevMulti.get();
        vista->IDibujo = &canvas;
        aLaDerecha(ui, form, gmls);
        if (!dispatch(ui, [&] { form.BBVPrevMultiClick(); })) return kEndedOnMessage;
    }
    // The options turned on one after the other, as a person would.
    if (args.has("--show-points")) {
        vista->CBPuntos = true;
        dispatch(ui, [&] { vista->CBPuntosClick(); });
    }
    if (args.has("--show-ref")) {
        vista->CBRef = true;
        dispatch(ui, [&] { vista->CBRefClick(); });
    }
    if (args.has("--show-area")) {
        vista->CBSup = true;
        dispatch(ui, [&] { vista->CBSupClick(); });
    }

    const auto png = picture.png();
    if (!png) {
        ui.message("No se ha podido codificar la imagen PNG.");
        return kEndedOnMessage;
    }
    if (!dispatch(ui, [&] { writeFileAtomically(pathFromUtf8(output), *png); }))
        return kEndedOnMessage;
    return kWritten;
}

}  // namespace vadrel::cli
