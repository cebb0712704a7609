#include "cli/building_commands.hpp"

#include <ostream>

#include <algorithm>
#include <iterator>

#include "building/building_form.hpp"
#include "check/check_text.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "io/dxf_scan.hpp"
#include "io/excel_table.hpp"
#include "cli/map_command.hpp"
#include "webmap/webmap_forms.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

const char* const kBuildingWriteUsage =
    "  building write --ref REF [--local] [--zone HUSO] [--condition ESTADO] [--use USO]\n"
    "                 --date DD/MM/AAAA --units N --dwellings N --floors N --total-area TEXTO\n"
    "                 (--ext ARCHIVO.txt | --int ARCHIVO.txt | --pool ARCHIVO.txt | --dxf ARCHIVO.dxf)...\n"
    "                 [--flecha M] -o SALIDA.gml\n"
    "      Crea el GML de un edificio, como el botón \"Crear GML\" de la ventana de edificios.\n"
    "      Cada --ext, --int o --pool añade, en ese orden, una edificación exterior, interior\n"
    "      o una piscina con los puntos del archivo de coordenadas (líneas N;X;Y); cada\n"
    "      polilínea de un --dxf añade una edificación exterior, como el botón \"Abre DXF\".\n"
    "        --condition ESTADO  Funcional (por defecto), Ruinoso, Deficiente, Proyectado,\n"
    "                            En_Construccion o Demolido\n"
    "        --use USO           Residencial (por defecto), Agrícola, Industrial, Oficinas,\n"
    "                            Comercial o \"Serv. Públicos\"\n"
    "        --units, --dwellings, --floors  número de inmuebles, de viviendas y de plantas\n"
    "                            sobre rasante\n"
    "        --total-area TEXTO  superficie construida total en m2\n"
    "        --flecha M          los arcos de --dxf se sustituyen por tramos rectos que no se\n"
    "                            separan del arco más de M metros (0,05 si no se indica; 0\n"
    "                            une sus vértices con una recta)\n";

const char* const kBuildingExportUsage =
    "  building export --ref REF (--ext ARCHIVO.txt | --int ARCHIVO.txt | --pool ARCHIVO.txt |\n"
    "                  --dxf ARCHIVO.dxf)... [--flecha M] -o SALIDA.xls\n"
    "      Exporta todas las edificaciones a una tabla que abren las hojas de cálculo, como\n"
    "      el botón \"Exportar\" de arriba de la ventana de edificios.\n";

const char* const kBuildingMapUsage =
    "  building map [--zone HUSO] (--ext ARCHIVO.txt | --int ARCHIVO.txt | --pool ARCHIVO.txt |\n"
    "               --dxf ARCHIVO.dxf)... [--flecha M] -o PAGINA.html\n"
    "      Escribe la página que muestra todas las edificaciones sobre el mapa de catastro,\n"
    "      como el \"Ver en Mapa\" de arriba de la ventana de edificios (no abre el navegador).\n";

const char* const kBuildingReadUsage =
    "  building read ENTRADA.gml\n"
    "      Lee un GML de edificio, como el botón \"Cargar GML\", y escribe las líneas\n"
    "      referencia:, tipo:, superficie:, inmuebles:, viviendas:, plantas:, fecha:, huso:\n"
    "      y una línea edificacion: NOMBRE;TIPO;E_I;N por edificación (N puntos).\n";

namespace {

const char* const kRingOptions[] = {"--ext", "--int", "--pool", "--dxf"};

KnownOptions withRings(KnownOptions known)
{
    known.withValue.insert(std::begin(kRingOptions), std::end(kRingOptions));
    known.withValue.insert("--flecha");
    return known;
}

// One construction per ring option, in command-line order, as a person adds
// them: "Nuevo" (but for the first), type and role, then the points; a DXF
// adds one exterior construction per polyline. The editor ends on the first
// construction, as after clicking it. False when loading ended on a message.
bool cargaEdificaciones(const Args& args, BatchUi& ui, TFGMLEdif& form)
{
    form.flecha = flechaDe(args);
    bool primera = true;
    for (const auto& [name, value] : args.options()) {
        if (std::find(std::begin(kRingOptions), std::end(kRingOptions), name) == std::end(kRingOptions)) continue;
        ui.openAnswer = value;
        if (name == "--dxf") {
            // A drawing after another ring starts a construction of its own:
            // the button would add its first polyline to a construction of
            // one point, and so change that construction's kind.
            if (!primera) form.SBNuevoClick();
            const auto desde = static_cast<std::size_t>(form.elemActual);
            const int antes = ui.messagesShown();
            if (!dispatch(ui, [&] { form.BBCargaDXFClick(); })) return false;
            // The drawing could not be read, gave nothing, or is no UTM of Spain.
            if (ui.messagesShown() != antes && esRechazoDxf(ui.lastMessage())) return false;
            // Each new construction marked as the person would: chosen in the
            // list, its type and role set, the role field left.
            form.MXExit();
            for (std::size_t k = desde; k < form.Edificaciones.size(); ++k) {
                form.LBElementosIndex = static_cast<int>(k);
                form.LBElementosClick();
                form.CBTipo = kEdificacion;
                form.CBIE = kExterior;
                form.CBIEExit();
            }
        } else {
            if (!primera) form.SBNuevoClick();
            form.CBTipo = name == "--pool" ? kPiscina : kEdificacion;
            form.CBIE = name == "--int" ? kInterior : kExterior;
            if (!dispatch(ui, [&] { form.BBCargarClick(); })) return false;
            form.MXExit();
        }
        primera = false;
    }
    if (primera) throw UsageError("Indique al menos una edificación con --ext, --int, --pool o --dxf.");
    form.LBElementosIndex = 0;
    form.LBElementosClick();
    return true;
}

}  // namespace

int buildingWrite(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, withRings({{"--ref", "--zone", "--condition", "--use", "--date", "--units", "--dwellings",
                                 "--floors", "--total-area", "-o"},
                                {"--local"}}));
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    args.required("-o");
    args.compruebaSalida("gml");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFGMLEdif& form = *b.app.FGMLEdif;
    dispatch(ui, [&] { form.FormCreate(); });
    form.FormShow();

    form.setReferenciaCatastral(!args.has("--local"));
    form.ERefCatas = args.required("--ref");
    if (auto v = args.value("--zone")) form.CBHuso = *v;
    if (auto v = args.value("--condition")) form.CBEstado = *v;
    if (auto v = args.value("--use")) form.CBUso = *v;
    form.EFechaConstruc = args.required("--date");
    form.EFechaConstrucExit();
    form.ENInmueble = args.required("--units");
    form.ENViv = args.required("--dwellings");
    form.ENSobreRas = args.required("--floors");
    form.ESuptot = args.required("--total-area");
    const std::string output = args.required("-o");

    if (!cargaEdificaciones(args, ui, form)) return kEndedOnMessage;

    ui.saveAnswer = output;
    if (!dispatch(ui, [&] { form.BBgmlClick(); }) || !ui.savedTo()) return kEndedOnMessage;
    return kWritten;
}

int buildingExport(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, withRings({{"--ref", "-o"}, {}}));
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    args.compruebaSalida("xls");

    BatchApp b(ctx);
    TFGMLEdif& form = *b.app.FGMLEdif;
    form.FormShow();
    form.ERefCatas = args.required("--ref");
    const std::string output = args.required("-o");
    if (!cargaEdificaciones(args, b.ui, form)) return kEndedOnMessage;

    b.ui.saveAnswer = output;
    if (!dispatch(b.ui, [&] { form.BBExcelTodoClick(); }) || b.ui.lastMessage() != kExcelGenerado)
        return kEndedOnMessage;
    return kWritten;
}

int buildingMap(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, withRings({{"--zone", "-o"}, {}}));
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::filesystem::path output = pathFromUtf8(args.required("-o"));
    args.compruebaSalida();

    BatchApp b(ctx);
    TFGMLEdif& form = *b.app.FGMLEdif;
    form.FormShow();
    if (auto v = args.value("--zone")) form.CBHuso = *v;
    if (!cargaEdificaciones(args, b.ui, form)) return kEndedOnMessage;
    b.app.FVPrevWeb->opcion = 1;
    return paginaComo(b.ui, *b.app.FVPrevWeb, form.directorio, "ejemplo_catastro_montado2.html", output, ctx.entorno);
}

int buildingRead(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{}, {}});
    if (args.positional().size() != 1) throw UsageError("Indique un solo archivo GML que leer.");

    BatchApp b(ctx);
    BatchUi& ui = b.ui;
    TFGMLEdif& form = *b.app.FGMLEdif;
    form.FormShow();
    ui.openAnswer = args.positional().front();
    if (!dispatch(ui, [&] { form.BBCargarXMLClick(); })) return kEndedOnMessage;

    // What the file held, as text fit for a terminal (see printable).
    const auto shown = [](const std::string& text) { return check::printable(text, check::kLongestName); };
    ctx.out << "referencia: " << shown(form.ERefCatas) << '\n'
            << "tipo: " << (form.RBRefOtra ? "otra" : "catastral") << '\n'
            << "superficie: " << shown(form.ESuptot) << '\n'
            << "inmuebles: " << shown(form.ENInmueble) << '\n'
            << "viviendas: " << shown(form.ENViv) << '\n'
            << "plantas: " << shown(form.ENSobreRas) << '\n'
            << "fecha: " << shown(form.EFechaConstruc) << '\n'
            << "huso: " << shown(form.CBHuso) << '\n';
    for (const EdifProp& e : form.Edificaciones)
        ctx.out << "edificacion: " << shown(e.nombre) << ';' << shown(e.tipo) << ';' << shown(e.e_i) << ';'
                << e.coorx.size() << '\n';
    ctx.out.flush();
    return kWritten;
}

}  // namespace vadrel::cli
