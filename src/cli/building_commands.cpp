#include "cli/building_commands.hpp"

#include <ostream>

#include "building/building_form.hpp"
#include "cli/args.hpp"
#include "cli/batch_ui.hpp"

namespace vadrel::cli {

const char* const kBuildingWriteUsage =
    "  building write --ref REF [--local] [--zone HUSO] [--condition ESTADO] [--use USO]\n"
    "                 --date DD/MM/AAAA --units N --dwellings N --floors N --total-area TEXTO\n"
    "                 (--ext ARCHIVO.txt | --int ARCHIVO.txt | --pool ARCHIVO.txt)... -o SALIDA.gml\n"
    "      Crea el GML de un edificio, como el botón \"Crear GML\" de la ventana de edificios.\n"
    "      Cada --ext, --int o --pool añade, en ese orden, una edificación exterior, interior\n"
    "      o una piscina con los puntos del archivo de coordenadas (líneas N;X;Y).\n"
    "        --condition ESTADO  Funcional (por defecto), Ruinoso, Deficiente, Proyectado,\n"
    "                            En_Construccion o Demolido\n"
    "        --use USO           Residencial (por defecto), Agrícola, Industrial, Oficinas,\n"
    "                            Comercial o \"Serv. Públicos\"\n"
    "        --units, --dwellings, --floors  número de inmuebles, de viviendas y de plantas\n"
    "                            sobre rasante\n"
    "        --total-area TEXTO  superficie construida total en m2\n";

const char* const kBuildingReadUsage =
    "  building read ENTRADA.gml\n"
    "      Lee un GML de edificio, como el botón \"Cargar GML\", y escribe las líneas\n"
    "      referencia:, tipo:, superficie:, inmuebles:, viviendas:, plantas:, fecha:, huso:\n"
    "      y una línea edificacion: NOMBRE;TIPO;E_I;N por edificación (N puntos).\n";

int buildingWrite(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--ref", "--zone", "--condition", "--use", "--date", "--units", "--dwellings", "--floors",
                       "--total-area", "--ext", "--int", "--pool", "-o"},
                      {"--local"}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    struct Anillo {
        const char* tipo;
        const char* e_i;
        std::string archivo;
    };
    std::vector<Anillo> anillos;
    for (const auto& [name, value] : args.options()) {
        if (name == "--ext") anillos.push_back({kEdificacion, kExterior, value});
        if (name == "--int") anillos.push_back({kEdificacion, kInterior, value});
        if (name == "--pool") anillos.push_back({kPiscina, kExterior, value});
    }
    if (anillos.empty()) throw UsageError("Indique al menos una edificación con --ext, --int o --pool.");

    BatchUi ui(ctx.err);
    TFGMLEdif form(ui, ctx.entorno);
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

    for (std::size_t i = 0; i < anillos.size(); ++i) {
        // The window opens on one new construction; the next ones are added.
        if (i > 0) form.SBNuevoClick();
        form.CBTipo = anillos[i].tipo;
        form.CBIE = anillos[i].e_i;
        ui.openAnswer = anillos[i].archivo;
        if (!dispatch(ui, [&] { form.BBCargarClick(); })) return kEndedOnMessage;
        form.MXExit();
    }
    // The editor back on the first construction, as after clicking it.
    form.LBElementosIndex = 0;
    form.LBElementosClick();

    ui.saveAnswer = output;
    if (!dispatch(ui, [&] { form.BBgmlClick(); }) || !ui.savedTo()) return kEndedOnMessage;
    return kWritten;
}

int buildingRead(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{}, {}});
    if (args.positional().size() != 1) throw UsageError("Indique un solo archivo GML que leer.");

    BatchUi ui(ctx.err);
    TFGMLEdif form(ui, ctx.entorno);
    form.FormShow();
    ui.openAnswer = args.positional().front();
    if (!dispatch(ui, [&] { form.BBCargarXMLClick(); })) return kEndedOnMessage;

    ctx.out << "referencia: " << form.ERefCatas << '\n'
            << "tipo: " << (form.RBRefOtra ? "otra" : "catastral") << '\n'
            << "superficie: " << form.ESuptot << '\n'
            << "inmuebles: " << form.ENInmueble << '\n'
            << "viviendas: " << form.ENViv << '\n'
            << "plantas: " << form.ENSobreRas << '\n'
            << "fecha: " << form.EFechaConstruc << '\n'
            << "huso: " << form.CBHuso << '\n';
    for (const EdifProp& e : form.Edificaciones)
        ctx.out << "edificacion: " << e.nombre << ';' << e.tipo << ';' << e.e_i << ';' << e.coorx.size() << '\n';
    ctx.out.flush();
    return kWritten;
}

}  // namespace vadrel::cli
