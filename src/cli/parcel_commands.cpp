#include "cli/parcel_commands.hpp"

#include <ostream>

#include "cli/args.hpp"
#include "cli/batch_ui.hpp"
#include "core/failure.hpp"
#include "io/coord_file.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::cli {

const char* const kParcelWriteUsage =
    "  parcel write --ref REF [--local] [--zone HUSO] (--area TEXTO | --calc-area)\n"
    "               --coords ARCHIVO.txt -o SALIDA.gml\n"
    "      Crea el GML de una parcela, como el botón \"Crear GML\".\n"
    "        --ref REF           referencia de la parcela (la catastral, de 14 caracteres)\n"
    "        --local             la referencia es nueva/otra (ES.LOCAL.CP), no catastral\n"
    "        --zone HUSO         huso: 28, 29, 30 o 31 (30 si no se indica)\n"
    "        --area TEXTO        superficie en m2, tal como se escribiría en su casilla\n"
    "        --calc-area         calcula la superficie, como el botón \"Cal. Área\"\n"
    "        --coords ARCHIVO    archivo de coordenadas con líneas N;X;Y\n"
    "        -o SALIDA.gml       archivo que se crea (se añade .gml si no tiene extensión)\n";

const char* const kParcelReadUsage =
    "  parcel read ENTRADA.gml [-o SALIDA.txt]\n"
    "      Lee un GML de parcela, como el botón \"Cargar GML\", y escribe en la salida\n"
    "      estándar las líneas referencia:, tipo: (catastral u otra), superficie:,\n"
    "      huso: y vertices: (número de líneas de la lista X).\n"
    "        -o SALIDA.txt       guarda además las coordenadas, como el botón \"Guardar\"\n";


int parcelWrite(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--ref", "--zone", "--area", "--coords", "-o"}, {"--local", "--calc-area"}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string ref = args.required("--ref");
    const std::string coords = args.required("--coords");
    const std::string output = args.required("-o");
    const auto area = args.value("--area");
    const bool calcArea = args.has("--calc-area");
    if (area.has_value() == calcArea) throw UsageError("Indique la superficie con --area o con --calc-area, una de las dos.");

    BatchUi ui(ctx.err);
    TFParcelgen form(ui, ctx.entorno);
    dispatch(ui, [&] { form.FormCreate(); });

    // Kind first, then the reference: leaving the field warns about its
    // length against the kind already chosen.
    form.setReferenciaCatastral(!args.has("--local"));
    form.ERefCatas = ref;
    form.ERefCatasExit();
    if (auto zone = args.value("--zone")) form.CBHuso = *zone;

    ui.openAnswer = coords;
    if (!dispatch(ui, [&] { form.BBCargarClick(); })) return kEndedOnMessage;

    if (calcArea) {
        int before = ui.messagesShown();
        if (!dispatch(ui, [&] { form.BBCalcularClick(); }) || ui.messagesShown() != before) return kEndedOnMessage;
    } else {
        form.ESup = *area;
    }

    ui.saveAnswer = output;
    if (!dispatch(ui, [&] { form.BBgmlClick(); }) || !ui.savedTo()) return kEndedOnMessage;
    return kWritten;
}

int parcelRead(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"-o"}, {}});
    if (args.positional().size() != 1) throw UsageError("Indique un solo archivo GML que leer.");
    const auto output = args.value("-o");

    // Reading needs no template, so the window's creation is not run: a
    // missing template would only add an unrelated message.
    BatchUi ui(ctx.err);
    TFParcelgen form(ui, ctx.entorno);
    ui.openAnswer = args.positional().front();
    if (!dispatch(ui, [&] { form.BBCargarXMLClick(); })) return kEndedOnMessage;

    ctx.out << "referencia: " << form.ERefCatas << '\n'
            << "tipo: " << (form.RBRefOtra ? "otra" : "catastral") << '\n'
            << "superficie: " << form.ESup << '\n'
            << "huso: " << form.CBHuso << '\n'
            << "vertices: " << form.MX.size() << '\n';
    ctx.out.flush();

    if (!output) return kWritten;
    ui.saveAnswer = *output;
    bool saved = false;
    if (!dispatch(ui, [&] { saved = guardarCoordenadas(ui, form.MX, form.MY); }) || !saved) return kEndedOnMessage;
    return kWritten;
}

}  // namespace vadrel::cli
