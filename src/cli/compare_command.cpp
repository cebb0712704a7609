#include "cli/compare_command.hpp"

#include <algorithm>
#include <charconv>
#include <functional>
#include <ostream>
#include <pugixml.hpp>

#include "app/png_picture.hpp"
#include "check/check_text.hpp"
#include "cli/args.hpp"
#include "cli/batch_app.hpp"
#include "cli/batch_ui.hpp"
#include "compare/cadastre_service.hpp"
#include "compare/comparison.hpp"
#include "compare/compare_forms.hpp"
#include "compare/comparison_picture.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "parcel/parcel_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

namespace {

// The cadastral map could not be had, or the figures could not be
// computed: nothing was compared.
constexpr int kNoMap = 3;

int zoneFrom(const std::optional<std::string>& text)
{
    if (!text) return 30;  // the windows' own default
    if (*text == "28" || *text == "29" || *text == "30" || *text == "31") return std::stoi(*text);
    throw UsageError("El huso ha de ser 28, 29, 30 o 31, no '" + *text + "'.");
}

// --registral: the registered area in m2, "1200.5" or "1200,5".
std::optional<double> registeredFrom(const std::optional<std::string>& text)
{
    if (!text) return std::nullopt;
    std::string number = *text;
    std::replace(number.begin(), number.end(), ',', '.');
    double value = 0;
    const auto end = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || end.ec != std::errc() || end.ptr != number.data() + number.size() || !(value > 0) ||
        value > 1e12)
        throw UsageError("--registral ha de ser una superficie en m2 mayor que cero, no '" + *text + "'.");
    return value;
}

// The new parcel of a coordinates file, loaded as "Cargar" loads it.
std::vector<compare::Shape> parcelOfCoords(Context& ctx, const std::string& file, const std::string& ref)
{
    BatchApp b(ctx);
    TFParcelgen& form = *b.app.FParcelgen;
    if (!cargaCoordenadas(b.ui, form, file)) throw Failure("");
    std::vector<Punto> points = puntosDe(form.MX, form.MY, form.formato);
    if (points.size() < 3)
        throw Failure(check::printable(file, check::kLongestName) + " no tiene los tres vértices que hacen una parcela.");
    points.push_back(points.front());
    return {compare::Shape{compare::isCadastralReference(ref) ? ref : "", {compare::Patch{{points}}}}};
}

// The service the command downloads from: --servicio (or the
// environment), --plazo, and each request told on a terminal.
class Download {
public:
    Download(const Args& args, Context& ctx)
        : service_(compare::CadastreService::fromEnvironment(args.value("--servicio"))), ui_(ctx.err),
          progress_(ui_.startProgress())
    {
        if (const auto plazo = args.value("--plazo")) service_.timeoutSeconds = secondsFrom(*plazo);
        service_.progress = progress_.get();
    }
    const compare::CadastreService& service() const { return service_; }

private:
    static long secondsFrom(const std::string& text)
    {
        if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos ||
            std::stol(text) < 1 || std::stol(text) > 3600)
            throw UsageError("--plazo ha de ser un número de segundos entre 1 y 3600, no '" + text + "'.");
        return std::stol(text);
    }
    compare::CadastreService service_;
    BatchUi ui_;
    std::unique_ptr<Progress> progress_;
};

// The comparison's figures; false, told, when they could not be had (a
// figure that is no finite number is never printed).
bool computed(Context& ctx, const std::function<void()>& compare)
{
    try {
        compare();
        return true;
    } catch (const Failure& e) {
        ctx.err << e.what() << '\n';
        return false;
    }
}

void print(Context& ctx, const std::vector<std::string>& lines)
{
    for (const auto& l : lines) ctx.out << l << '\n';
    ctx.out.flush();
}

// The picture to --png, when asked for. False when it could not be written.
bool savePicture(const Args& args, Context& ctx, const compare::PictureParts& parts)
{
    const auto output = args.value("--png");
    if (!output) return true;
    app::PngPicture picture(compare::kPictureSide);
    compare::drawComparison(picture.canvas(), compare::kPictureSide, parts);
    BatchUi ui(ctx.err);
    const auto png = picture.png();
    if (!png) {
        ui.message("No se ha podido codificar la imagen PNG.");
        return false;
    }
    return dispatch(ui, [&] { writeFileAtomically(pathFromUtf8(*output), *png); });
}

int compareBuilding(const Args& args, Context& ctx)
{
    if (args.has("--gml") || args.has("--coords") || args.has("--catastro"))
        throw UsageError("--edificio va con --parcela o --descargar, no con --gml, --coords ni --catastro.");
    const auto parcelFile = args.value("--parcela");
    if (parcelFile.has_value() == args.has("--descargar"))
        throw UsageError("Indique --parcela o --descargar, uno de los dos.");
    const std::string buildingFile = *args.value("--edificio");
    std::vector<compare::Shape> constructions;
    try {
        constructions = compare::readShapes(pathFromUtf8(buildingFile), compare::Kind::Constructions);
    } catch (const Failure& e) {
        ctx.err << e.what() << '\n';
        return kEndedOnMessage;
    }
    std::vector<compare::Shape> parcel;
    try {
        if (parcelFile) {
            parcel = compare::parcelNamed(compare::readShapes(pathFromUtf8(*parcelFile), compare::Kind::Parcels),
                                          constructions.front().name.substr(0, 14), *parcelFile);
        } else {
            const std::string ref = constructions.front().name;
            if (!compare::isCadastralReference(ref))
                throw Failure(std::string(compare::kNoMap) + "el edificio no tiene una referencia catastral (" + check::printable(ref, check::kLongestName) +
                              ").");
            parcel = Download(args, ctx).service().parcelOf(ref, compare::zoneOfFile(pathFromUtf8(buildingFile)).value_or(30));
        }
    } catch (const Failure& e) {
        ctx.err << e.what() << '\n';
        return kNoMap;
    }
    std::vector<compare::ConstructionOutside> outside;
    if (!computed(ctx, [&] { outside = compare::compareBuilding(constructions, parcel); })) return kNoMap;
    print(ctx, compare::reportLines(outside));
    if (!savePicture(args, ctx, compare::partsOf(outside, parcel, constructions))) return kEndedOnMessage;
    return outside.empty() ? kWritten : kEndedOnMessage;
}

}  // namespace

const char* const kCompareUsage =
    "  compare (--coords ARCHIVO.txt [--ref REF] [--zone HUSO] | --gml ARCHIVO.gml...)\n"
    "          (--catastro CATASTRO.gml... | --descargar [--servicio URL] [--plazo S]) [--registral M2]\n"
    "          [--png SALIDA.png]\n"
    "  compare --edificio EDIFICIO.gml (--parcela PARCELA.gml | --descargar [--servicio URL] [--plazo S])\n"
    "          [--png SALIDA.png]\n"
    "      Compara con la cartografía catastral, como \"Comparar con Catastro\": las parcelas\n"
    "      nuevas (una operación) con las del catastro, o las construcciones de un edificio\n"
    "      con su parcela. Escribe las cifras de la comparación, una por línea. Quien decide\n"
    "      es la validación gráfica del propio catastro; esto muestra lo que mirará.\n"
    "        --descargar         pide la cartografía al servicio del catastro\n"
    "        --servicio URL      otra dirección del servicio (o VADREL_SERVICIO_CATASTRO)\n"
    "        --plazo S           segundos que se espera cada respuesta del servicio (90); una\n"
    "                            petición sin respuesta o con el servicio ocupado se repite una vez\n"
    "        --registral M2      la superficie registral: su diferencia con la nueva y su tramo\n"
    "                            (hasta el 5 %, hasta el 10 %, más del 10 %)\n"
    "        --png SALIDA.png    guarda también el dibujo de 800 x 800 puntos\n"
    "      Estado: 0 sin solapes ni construcciones fuera, 1 con alguno, 2 orden mal\n"
    "      escrita, 3 sin cartografía catastral o sin poder calcular la comparación.\n";

const char* const kParcelDownloadUsage =
    "  parcel download --ref REF [--zone HUSO] [--servicio URL] [--plazo S] -o SALIDA.gml\n"
    "      Descarga del catastro el GML de la parcela de la referencia, en el huso dado\n"
    "      (30 si no se dice). Estado 3 si no se ha podido descargar.\n";

int compare(const std::vector<std::string>& words, Context& ctx)
{
    Args args(spreadLists(words, {"--gml", "--catastro"}), {{"--coords", "--ref", "--zone", "--gml", "--catastro", "--edificio", "--parcela",
                                    "--servicio", "--plazo", "--png", "--registral"},
                                   {"--descargar"}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    if ((args.has("--servicio") || args.has("--plazo")) && !args.has("--descargar"))
        throw UsageError("--servicio y --plazo van con --descargar.");
    args.compruebaSalida();
    if (args.has("--edificio")) {
        if (args.has("--registral")) throw UsageError("--registral va con las parcelas, no con --edificio.");
        return compareBuilding(args, ctx);
    }
    const std::optional<double> registered = registeredFrom(args.value("--registral"));

    const std::vector<std::string> gmls = args.all("--gml"), maps = args.all("--catastro");
    const auto coords = args.value("--coords");
    if (coords.has_value() == !gmls.empty()) throw UsageError("Indique --coords o --gml, uno de los dos.");
    if (!coords && (args.has("--ref") || args.has("--zone")))
        throw UsageError("--ref y --zone van con --coords: los GML llevan su referencia y su huso.");
    if (maps.empty() == !args.has("--descargar")) throw UsageError("Indique --catastro o --descargar, uno de los dos.");
    int zone = zoneFrom(args.value("--zone"));

    std::vector<compare::Shape> fresh;
    try {
        if (coords) {
            fresh = parcelOfCoords(ctx, *coords, args.value("--ref").value_or(""));
        } else {
            fresh = compare::readAllShapes(gmls, compare::Kind::Parcels, true);
            zone = compare::zoneOfFile(pathFromUtf8(gmls.front())).value_or(zone);
        }
    } catch (const Failure& e) {
        if (*e.what()) ctx.err << e.what() << '\n';
        return kEndedOnMessage;
    }

    std::vector<compare::Shape> map;
    try {
        if (args.has("--descargar")) {
            map = Download(args, ctx).service().parcelsAround(fresh, zone);
        } else {
            map = compare::readAllShapes(maps, compare::Kind::Parcels);
        }
    } catch (const Failure& e) {
        ctx.err << e.what() << '\n';
        return kNoMap;
    }
    compare::ParcelComparison result;
    if (!computed(ctx, [&] { result = compare::compareParcels(fresh, map); })) return kNoMap;
    print(ctx, compare::reportLines(result, map, registered));
    if (!savePicture(args, ctx, compare::partsOf(result, map, fresh))) return kEndedOnMessage;
    return result.overlaps.empty() ? kWritten : kEndedOnMessage;
}

int parcelDownload(const std::vector<std::string>& words, Context& ctx)
{
    Args args(words, {{"--ref", "--zone", "--servicio", "--plazo", "-o"}, {}});
    if (!args.positional().empty()) throw UsageError("Sobra el argumento: " + args.positional().front() + ".");
    const std::string ref = args.required("--ref");
    const std::string output = args.required("-o");
    if (!compare::isCadastralReference(ref))
        throw UsageError("La referencia '" + ref + "' no es una referencia catastral de 14 caracteres.");
    const int zone = zoneFrom(args.value("--zone"));
    std::string body;
    try {
        body = Download(args, ctx).service().parcelDocument(ref, zone);
    } catch (const Failure& e) {
        ctx.err << e.what() << '\n';
        return kNoMap;
    }
    BatchUi ui(ctx.err);
    if (!dispatch(ui, [&] { writeFileAtomically(pathFromUtf8(output), body); })) return kEndedOnMessage;
    return kWritten;
}

}  // namespace vadrel::cli
