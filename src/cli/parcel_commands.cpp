#include "cli/parcel_commands.hpp"

#include <ostream>

#include <algorithm>
#include <filesystem>
#include <set>

#include "check/check_text.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "core/failure.hpp"
#include "io/coord_file.hpp"
#include "io/dxf_scan.hpp"
#include "io/excel_table.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"

namespace vadrel::cli {

const char* const kParcelWriteUsage =
    "  parcel write --ref REF [--local] [--zone HUSO] (--area TEXTO [--force-area] | --calc-area)\n"
    "               (--coords ARCHIVO.txt | --dxf ARCHIVO.dxf | --list ARCHIVO.txt) [--flecha M]\n"
    "               -o SALIDA.gml\n"
    "      Crea el GML de una parcela, como el botón \"Crear GML\".\n"
    "        --ref REF           referencia de la parcela (la catastral, de 14 caracteres)\n"
    "        --local             la referencia es nueva/otra (ES.LOCAL.CP), no catastral\n"
    "        --zone HUSO         huso: 28, 29, 30 o 31 (30 si no se indica)\n"
    "        --area TEXTO        superficie en m2, tal como se escribiría en su casilla\n"
    "        --calc-area         calcula la superficie, como el botón \"Cal. Área\"\n"
    "        --force-area        escribe la superficie de --area aunque difiera en más de 1 m2\n"
    "                            de la calculada con las coordenadas (sin esta opción, no se escribe)\n"
    "        --coords ARCHIVO    archivo de coordenadas con líneas N;X;Y\n"
    "        --dxf ARCHIVO       dibujo DXF: los vértices de su primera polilínea\n"
    "        --list ARCHIVO      texto de la orden LIST de AutoCAD, como si se pegara\n"
    "        --flecha M          los arcos de --dxf y --list se sustituyen por tramos rectos\n"
    "                            que no se separan del arco más de M metros (0,05 si no se\n"
    "                            indica; 0 une sus vértices con una recta)\n"
    "        -o SALIDA.gml       archivo que se crea (se añade .gml si no tiene extensión)\n";

const char* const kParcelExportUsage =
    "  parcel export --ref REF (--coords ARCHIVO.txt | --dxf ARCHIVO.dxf | --list ARCHIVO.txt)\n"
    "                [--flecha M] -o SALIDA.xls\n"
    "      Exporta las coordenadas a una tabla que abren las hojas de cálculo, como el\n"
    "      botón \"Exportar\" de la ventana de parcelas.\n";

const char* const kParcelReadUsage =
    "  parcel read ENTRADA.gml [-o SALIDA.txt]\n"
    "      Lee un GML de parcela, como el botón \"Cargar GML\", y escribe en la salida\n"
    "      estándar las líneas referencia:, tipo: (catastral u otra), superficie:,\n"
    "      huso: y vertices: (número de líneas de la lista X).\n"
    "        -o SALIDA.txt       guarda además las coordenadas, como el botón \"Guardar\"\n";

const char* const kParcelGroupUsage =
    "  parcel group [--one NOMBRE] -o SALIDA.gml ENTRADA.gml...\n"
    "      Agrupa varios GML de parcela, como el botón \"Agrupar GMLs\":\n"
    "      sin --one, en un GML con todas las parcelas tal como están; con --one, en una\n"
    "      sola parcela llamada NOMBRE que reúne todas sus superficies.\n";

namespace {

const std::set<std::string> kSources{"--coords", "--dxf", "--list"};

// The parcel window's lists filled from the one source given, through the
// button that reads it. False when that ended on a message.
bool cargaPuntos(const Args& args, BatchApp& b)
{
    int given = 0;
    for (const auto& s : kSources) given += args.has(s) ? 1 : 0;
    if (given != 1) throw UsageError("Indique las coordenadas con una sola de --coords, --dxf o --list.");
    TFParcelgen& form = *b.app.FParcelgen;
    form.flecha = flechaDe(args);
    if (auto f = args.value("--coords")) {
        b.ui.openAnswer = *f;
        return dispatch(b.ui, [&] { form.BBCargarClick(); });
    }
    if (auto f = args.value("--dxf")) {
        b.ui.openAnswer = *f;
        return dispatch(b.ui, [&] { form.SBCargarDXFClick(); }) && !esRechazoDxf(b.ui.lastMessage());
    }
    pegaListDesde(b.ui, *args.value("--list"));
    return dispatch(b.ui, [&] { form.BBListClick(); });
}

KnownOptions withSources(KnownOptions known)
{
    known.withValue.insert(kSources.begin(), kSources.end());
    known.withValue.insert("--flecha");
    return known;
}

}  // namespace

int parcelWrite(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, withSources({{"--ref", "--zone", "--area", "-o"}, {"--local", "--calc-area", "--force-area"}}));
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string ref = args.required("--ref");
    const std::string output = args.required("-o");
    args.compruebaSalida("gml");
    const auto area = args.value("--area");
    const bool calcArea = args.has("--calc-area");
    if (area.has_value() == calcArea) throw UsageError("Indique la superficie con --area o con --calc-area, una de las dos.");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFParcelgen& form = *b.app.FParcelgen;
    dispatch(ui, [&] { form.FormCreate(); });

    // Kind first, then the reference: leaving the field warns about its
    // length against the kind already chosen.
    form.setReferenciaCatastral(!args.has("--local"));
    form.ERefCatas = ref;
    form.ERefCatasExit();
    if (auto zone = args.value("--zone")) form.CBHuso = *zone;

    if (!cargaPuntos(args, b)) return kEndedOnMessage;

    if (calcArea) {
        int before = ui.messagesShown();
        if (!dispatch(ui, [&] { form.BBCalcularClick(); }) || ui.messagesShown() != before) return kEndedOnMessage;
    } else {
        form.ESup = *area;
    }

    // The only question "Crear GML" asks: an area that differs from the ring's.
    if (args.has("--force-area")) ui.confirmAnswer = true;
    ui.saveAnswer = output;
    if (!dispatch(ui, [&] { form.BBgmlClick(); }) || !ui.savedTo()) return kEndedOnMessage;
    return kWritten;
}

int parcelExport(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, withSources({{"--ref", "-o"}, {}}));
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string ref = args.required("--ref");
    const std::string output = args.required("-o");
    args.compruebaSalida("xls");

    BatchApp b(ctx);
    TFParcelgen& form = *b.app.FParcelgen;
    form.ERefCatas = ref;
    if (!cargaPuntos(args, b)) return kEndedOnMessage;
    b.ui.saveAnswer = output;
    if (!dispatch(b.ui, [&] { form.BBExcelClick(); }) || b.ui.lastMessage() != kExcelGenerado) return kEndedOnMessage;
    return kWritten;
}

int parcelGroup(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--one", "-o"}, {}});
    const std::vector<std::string>& inputs = args.positional();
    if (inputs.size() < 2) throw UsageError("Indique al menos dos archivos GML que agrupar.");
    const std::string output = args.required("-o");
    args.compruebaSalida("gml");
    const auto one = args.value("--one");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFParcelgen& form = *b.app.FParcelgen;
    dispatch(ui, [&] { form.FormCreate(); });

    aLaDerecha(ui, form, inputs);

    ui.confirmAnswer = one.has_value();
    if (one) b.app.FRef->ERef = *one;
    ui.onShowModal = [](Form&) { return ModalResult::Ok; };
    ui.saveAnswer = output;
    if (!dispatch(ui, [&] { form.BitBtn2Click(); }) || !ui.savedTo()) return kEndedOnMessage;
    return kWritten;
}

int parcelRead(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"-o"}, {}});
    if (args.positional().size() != 1) throw UsageError("Indique un solo archivo GML que leer.");
    const auto output = args.value("-o");
    args.compruebaSalida("txt");

    // Reading needs no template, so the window's creation is not run: a
    // missing template would only add an unrelated message.
    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFParcelgen& form = *b.app.FParcelgen;
    ui.openAnswer = args.positional().front();
    if (!dispatch(ui, [&] { form.BBCargarXMLClick(); })) return kEndedOnMessage;

    // What the file held, as text fit for a terminal (see printable).
    const auto shown = [](const std::string& text) { return check::printable(text, check::kLongestName); };
    ctx.out << "referencia: " << shown(form.ERefCatas) << '\n'
            << "tipo: " << (form.RBRefOtra ? "otra" : "catastral") << '\n'
            << "superficie: " << shown(form.ESup) << '\n'
            << "huso: " << shown(form.CBHuso) << '\n'
            << "vertices: " << form.MX.size() << '\n';
    ctx.out.flush();

    if (!output) return kWritten;
    ui.saveAnswer = *output;
    bool saved = false;
    if (!dispatch(ui, [&] { saved = guardarCoordenadas(ui, form.MX, form.MY); }) || !saved) return kEndedOnMessage;
    return kWritten;
}

}  // namespace vadrel::cli
