#include "cli/coords_command.hpp"

#include <string>

#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "core/numeric_text.hpp"
#include "io/coord_file.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::cli {

const char* const kCoordsConvertUsage =
    "  coords convert --from HUSO --to HUSO ENTRADA.txt -o SALIDA.txt\n"
    "      Convierte un archivo de coordenadas (líneas N;X;Y) de un huso UTM a otro (28, 29,\n"
    "      30 o 31; ETRS89), como el botón \"Cambiar huso\". Cada valor sale con tantos\n"
    "      decimales como tenía (al menos 2). Unas coordenadas que no son de España en el\n"
    "      huso de origen, o que no lo serían en el de destino, no se convierten.\n";

namespace {

std::string huso(const Args& args, const std::string& option)
{
    const std::string text = args.required(option);
    const std::optional<int> n = enteroDe(text);
    if (!n || *n < 28 || *n > 31) throw UsageError(option + " " + text + ": " + kHusoInvalido);
    return std::to_string(*n);
}

}  // namespace

int coordsConvert(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--from", "--to", "-o"}, {}});
    if (args.positional().size() != 1) throw UsageError("Indique un solo archivo de coordenadas que convertir.");
    const std::string desde = huso(args, "--from");
    const std::string hasta = huso(args, "--to");
    const std::string output = args.required("-o");
    args.compruebaSalida("txt");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFParcelgen& form = *b.app.FParcelgen;
    if (!cargaCoordenadas(ui, form, args.positional().front())) return kEndedOnMessage;
    form.CBHuso = desde;
    ui.chooseAnswer = hasta;
    if (!dispatch(ui, [&] { form.BBCambiarHusoClick(); }) || form.CBHuso != hasta) return kEndedOnMessage;
    ui.saveAnswer = output;
    bool saved = false;
    if (!dispatch(ui, [&] { saved = guardarCoordenadas(ui, form.MX, form.MY); }) || !saved) return kEndedOnMessage;
    return kWritten;
}

}  // namespace vadrel::cli
