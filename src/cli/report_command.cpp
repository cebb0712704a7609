#include "cli/report_command.hpp"

#include <filesystem>
#include <sstream>
#include <utility>

#include "app/report_pdf.hpp"
#include "building/building_form.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "core/file_io.hpp"
#include "parcel/parcel_form.hpp"
#include "compare/shapes.hpp"
#include "core/failure.hpp"
#include "report/report_comparison.hpp"
#include "report/report_layout.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

const char* const kReportUsage =
    "  report (--gml ARCHIVO.gml | --coords ARCHIVO.txt --ref REF [--zone HUSO] [--area TEXTO])\n"
    "         [--catastro CATASTRO.gml...] [--autor TEXTO] [--colegiado TEXTO] [--cliente TEXTO]\n"
    "         [--situacion TEXTO] -o SALIDA.pdf\n"
    "      Escribe el informe en PDF de una parcela que se entrega al cliente: el plano a\n"
    "      escala, las coordenadas tal como van en el GML, la superficie y la comprobación.\n"
    "        --gml ARCHIVO       un GML de parcela\n"
    "        --coords ARCHIVO    archivo de coordenadas (líneas N;X;Y): el informe es el del\n"
    "                            GML que \"Crear GML\" escribiría con ellas\n"
    "        --area TEXTO        superficie declarada en m2 (sin ella, la calculada)\n"
    "        --catastro ARCHIVO  GML de parcelas del catastro: se dibujan detrás del plano y\n"
    "                            el informe lleva la comparación con ellas\n"
    "        --autor TEXTO       quien firma el informe\n"
    "        --colegiado TEXTO   su titulación y nº de colegiado\n"
    "        --cliente TEXTO     para quien se hace\n"
    "        --situacion TEXTO   dirección o paraje y municipio de la parcela\n";

const char* const kBuildingReportUsage =
    "  building report --gml ARCHIVO.gml [--autor TEXTO] [--colegiado TEXTO] [--cliente TEXTO]\n"
    "                  [--situacion TEXTO] -o SALIDA.pdf\n"
    "      Escribe el informe en PDF de un edificio: el plano con todas sus edificaciones,\n"
    "      sus coordenadas, superficies y la comprobación. --autor, --colegiado, --cliente y\n"
    "      --situacion, como en report.\n";

namespace {

int escribe(BatchUi& ui, report::DatosInforme datos, const std::filesystem::path& gml, const Args& args)
{
    for (auto [opcion, campo] : {std::pair{"--autor", &report::FirmaInforme::autor},
                                 std::pair{"--colegiado", &report::FirmaInforme::colegiado},
                                 std::pair{"--cliente", &report::FirmaInforme::cliente},
                                 std::pair{"--situacion", &report::FirmaInforme::situacion}})
        if (auto valor = args.value(opcion)) datos.firma.*campo = *valor;
    datos.comprobacion = report::comprobacionSinRed(gml);
    std::vector<compare::Shape> mapa;
    const bool leido =
        dispatch(ui, [&] { mapa = compare::readAllShapes(args.all("--catastro"), compare::Kind::Parcels); });
    if (!leido) return kEndedOnMessage;
    report::anadeCartografia(datos, mapa);
    const std::string output = withDefaultExtension(args.required("-o"), "pdf");
    return dispatch(ui, [&] { app::guardaInformePdf(report::componeInforme(datos, ui.medidaTexto()), pathFromUtf8(output)); }) ? kWritten
                                                                                                  : kEndedOnMessage;
}

// The parcel GML read as "Cargar GML" reads it, in a window of its own whose
// messages are passed on, all but kAvisoVariasSuperficies: the report shows every
// surface, so that warning would tell the person the opposite.
int informeDeGml(BatchUi& ui, Context& ctx, const std::string& gml, const Args& args)
{
    std::ostringstream dichos;
    Context callado{ctx.out, dichos, ctx.entorno};
    BatchApp carga(callado);
    TFParcelgen& form = *carga.app.FParcelgen;
    carga.ui.openAnswer = gml;
    const bool leido = dispatch(carga.ui, [&] { form.BBCargarXMLClick(); });
    std::istringstream lineas(dichos.str());
    for (std::string linea; std::getline(lineas, linea);)
        if (linea != kAvisoVariasSuperficies) ui.message(linea);
    if (!leido) return kEndedOnMessage;
    report::DatosInforme datos;
    if (!dispatch(ui, [&] { datos = report::datosDeParcela(form, form.XMLCarga); })) return kEndedOnMessage;
    return escribe(ui, std::move(datos), pathFromUtf8(gml), args);
}

}  // namespace

int report(const std::vector<std::string>& words, Context& ctx)
{
    Args args(spreadLists(words, {"--catastro"}),
              {{"--gml", "--coords", "--ref", "--zone", "--area", "--catastro", "--autor", "--colegiado", "--cliente",
                "--situacion", "-o"},
               {}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const auto gml = args.value("--gml");
    const auto coords = args.value("--coords");
    if (gml.has_value() == coords.has_value()) throw UsageError("Indique --gml o --coords, uno de los dos.");
    if (gml && (args.has("--ref") || args.has("--zone") || args.has("--area")))
        throw UsageError("--ref, --zone y --area van con --coords: el GML lleva su referencia, huso y superficie.");
    args.required("-o");
    args.compruebaSalida("pdf");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    if (gml) return informeDeGml(ui, ctx, *gml, args);

    const std::string ref = args.required("--ref");
    TFParcelgen& form = *b.app.FParcelgen;
    if (!dispatch(ui, [&] { form.FormCreate(); })) return kEndedOnMessage;
    form.ERefCatas = ref;
    form.ERefCatasExit();
    if (auto zone = args.value("--zone")) form.CBHuso = *zone;
    if (!cargaCoordenadas(ui, form, *coords)) return kEndedOnMessage;
    if (auto area = args.value("--area")) {
        form.ESup = *area;
    } else {
        const int before = ui.messagesShown();
        if (!dispatch(ui, [&] { form.BBCalcularClick(); }) || ui.messagesShown() != before) return kEndedOnMessage;
    }
    // The GML "Crear GML" would write, in a folder of its own; an area that
    // differs is written and the report shows the difference in red.
    CarpetaTemporal carpeta("vadrel-informe");
    if (carpeta.path().empty()) {
        ui.message("Error. No se ha podido crear una carpeta temporal para el GML del informe.");
        return kEndedOnMessage;
    }
    const std::string temporal = utf8Of(carpeta.path() / "parcela.gml");
    ui.confirmAnswer = true;
    ui.saveAnswer = temporal;
    if (!dispatch(ui, [&] { form.BBgmlClick(); }) || !ui.savedTo()) return kEndedOnMessage;
    return informeDeGml(ui, ctx, temporal, args);
}

int buildingReport(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--gml", "--autor", "--colegiado", "--cliente", "--situacion", "-o"}, {}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string gml = args.required("--gml");
    args.required("-o");
    args.compruebaSalida("pdf");

    BatchApp b(ctx);
    TFGMLEdif& form = *b.app.FGMLEdif;
    b.ui.openAnswer = gml;
    if (!dispatch(b.ui, [&] { form.BBCargarXMLClick(); })) return kEndedOnMessage;
    // Every surface of the file, the pools' included: the window keeps
    // only the first ring of each pool.
    report::DatosInforme datos;
    if (!dispatch(b.ui, [&] { datos = report::datosDeEdificio(form, form.XMLCarga); })) return kEndedOnMessage;
    return escribe(b.ui, std::move(datos), pathFromUtf8(gml), args);
}

}  // namespace vadrel::cli
