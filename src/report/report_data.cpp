// The report's data from the windows' fields: the texts exactly as the GML
// carries them, so the document and the file cannot disagree.

#include "report/report_data.hpp"

#include <chrono>
#include <ctime>

#include "building/building_form.hpp"
#include "check/check_text.hpp"
#include "check/gml_check.hpp"
#include "check/gml_model.hpp"
#include "core/coord_list.hpp"
#include "core/dates.hpp"
#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/platform/local_time.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "report/no_paths.hpp"
#include "report/report_numbers.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::report {

namespace {

// How many problems the summary quotes; the rest are counted.
constexpr std::size_t kProblemasCitados = 2;

std::string fechaDeHoy()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    local = platform::localTime(now);
    return textoFecha(Fecha{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900});
}

// The ring's vertices without the closing repetition of the first.
AnilloInforme anillo(const CoordList& MX, const CoordList& MY)
{
    AnilloInforme a;
    const std::size_t n = std::min(MX.size(), MY.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (MX[i].empty() && MY[i].empty()) continue;  // the lists' blank lines, as the writer drops them
        a.x.push_back(MX[i]);
        a.y.push_back(MY[i]);
    }
    if (a.x.size() > 1 && a.x.front() == a.x.back() && a.y.front() == a.y.back()) {
        a.x.pop_back();
        a.y.pop_back();
    }
    return a;
}

// What both windows head their report with: the same fields by the same names.
template <class Ventana>
DatosInforme cabeceraDe(const Ventana& form)
{
    DatosInforme d;
    d.referencia = form.ERefCatas;
    d.catastral = !form.RBRefOtra;
    d.huso = form.CBHuso;
    d.fecha = fechaDeHoy();
    d.formato = form.formato;
    return d;
}

// A ring of the model with its values as the file writes them: its
// posList, else its gml:pos elements in order.
AnilloInforme anilloDe(const check::Ring& r)
{
    CoordList x, y;
    std::string copia;
    for (pugi::xml_node c : r.node.children()) {
        const std::string_view local = check::localName(c);
        if (local != "posList" && local != "pos") continue;
        const std::string_view valores = textView(c, copia);
        // Half a vertex is refused, as "Cargar GML" refuses it.
        if (cuentaValoresPosList(valores) % 2 != 0) throw Failure(msg::kPosListImpar);
        partirPosList(valores, x, y);
    }
    AnilloInforme a = anillo(x, y);
    a.interior = r.interior;
    return a;
}

}  // namespace

std::string nombreEpsg(const std::string& epsg)
{
    if (epsg == "32628") return "WGS 84 / UTM huso 28N";
    for (const char* code : {"25828", "25829", "25830", "25831"})
        if (epsg == code) return "ETRS89 / UTM huso " + epsg.substr(3) + "N";
    return {};
}

DatosInforme datosDeParcela(const TFParcelgen& form, const pugi::xml_document& gml)
{
    DatosInforme d = cabeceraDe(form);
    d.superficieDeclarada = form.ESup;
    d.anillos = anillosDeParcela(gml);
    return d;
}

std::vector<AnilloInforme> anillosDeParcela(const pugi::xml_document& doc)
{
    std::vector<AnilloInforme> out;
    const check::Model model = check::modelOf(doc);
    // The first parcel, as "Cargar GML" takes it; polygons outside any
    // feature make a nameless one.
    const check::Feature* parcela = model.features.empty() ? nullptr : &model.features.front();
    for (const check::Feature& f : model.features)
        if (f.kind == "parcela") {
            parcela = &f;
            break;
        }
    if (!parcela) return out;
    const std::size_t superficies = parcela->polygons.size();
    for (std::size_t s = 0; s < superficies; ++s) {
        const check::Polygon& p = parcela->polygons[s];
        const std::string superficie = "Superficie " + std::to_string(s + 1);
        for (const check::Ring& r : p.rings) {
            AnilloInforme a = anilloDe(r);
            if (!r.interior)
                a.titulo = superficies > 1 ? superficie : p.rings.size() > 1 ? "Anillo exterior" : "";
            else
                a.titulo = (superficies > 1 ? superficie + " · " : "") + "Anillo interior " + std::to_string(r.number);
            out.push_back(std::move(a));
        }
    }
    return out;
}

DatosInforme datosDeEdificio(const TFGMLEdif& form, const pugi::xml_document& gml)
{
    DatosInforme d = cabeceraDe(form);
    d.edificio = true;
    d.superficieConstruida = form.ESuptot;
    const check::Model model = check::modelOf(gml);
    // Buildings (and their parts, and polygons outside any feature) first,
    // pools after, as "Cargar GML" lists them.
    for (const bool piscinas : {false, true}) {
        for (const check::Feature& f : model.features) {
            const bool deEdificio = f.kind == "edificio" || f.kind == "parte de edificio" || f.kind.empty();
            if (piscinas ? f.kind != "construcción" : !deEdificio) continue;
            for (std::size_t s = 0; s < f.polygons.size(); ++s) {
                for (const check::Ring& r : f.polygons[s].rings) {
                    AnilloInforme a = anilloDe(r);
                    a.piscina = piscinas;
                    const pugi::xml_node id = piscinas ? buscaNodo("base:localId", f.node) : pugi::xml_node();
                    a.nombre = id ? check::cutText(textOf(id), check::kLongestName)
                                  : nombreNuevaEdificacion(d.anillos.size() + 1);
                    if (piscinas && f.polygons.size() > 1) a.nombre += " · Superficie " + std::to_string(s + 1);
                    a.titulo = a.nombre + " · " + (piscinas ? kPiscina : kEdificacion) + " · " +
                               (r.interior ? kInterior : kExterior);
                    d.anillos.push_back(std::move(a));
                }
            }
        }
    }
    return d;
}

DatosInforme datosDeEdificio(const TFGMLEdif& form)
{
    DatosInforme d = cabeceraDe(form);
    d.edificio = true;
    d.superficieConstruida = form.ESuptot;
    for (const EdifProp& e : form.Edificaciones) {
        AnilloInforme a = anillo(e.coorx, e.coory);
        a.interior = e.e_i == kInterior;
        a.piscina = e.tipo == kPiscina;
        a.nombre = e.nombre;
        a.titulo = check::cutText(e.nombre, check::kLongestName) + " · " + e.tipo + " · " +
                   (e.e_i.empty() ? std::string(kExterior) : e.e_i);
        d.anillos.push_back(std::move(a));
    }
    return d;
}

std::vector<std::string> resumenComprobacion(const check::Problems& problems, const std::vector<std::string>& raices)
{
    std::vector<std::string> out;
    std::size_t errores = 0, avisos = 0;
    std::vector<const check::Problem*> citados;
    for (const check::Problem& p : problems) {
        if (p.schemasUnchecked) continue;
        (p.severity == check::Severity::Error ? errores : avisos) += 1;
        if (citados.size() < kProblemasCitados) citados.push_back(&p);
    }
    // The note on the schemas goes last: it is what the page leaves out
    // when the lines do not fit.
    const auto nota = [&] {
        for (const check::Problem& p : problems)
            if (p.schemasUnchecked) out.push_back(sinRutas(p.message, raices));
        return out;
    };
    if (errores + avisos == 0) {
        // A file the schemas did not see may still be refused for them.
        out.push_back(check::checkedAgainstSchemas(problems) ? "Sin problemas"
                                                             : "Sin errores, pero sin comprobar contra los esquemas");
        return nota();
    }
    out.push_back(std::to_string(errores) + (errores == 1 ? " error y " : " errores y ") +
                                std::to_string(avisos) + (avisos == 1 ? " aviso" : " avisos"));
    for (const check::Problem* p : citados) out.push_back(pointsWithComma(sinRutas(check::describe(*p), raices)));
    if (errores + avisos > citados.size())
        out.push_back("… y " + std::to_string(errores + avisos - citados.size()) + " más");
    return nota();
}

std::vector<std::string> comprobacionSinRed(const std::filesystem::path& gml)
{
    check::SchemaSettings settings = check::SchemaSettings::fromEnvironment();
    settings.download = nullptr;
    // The folders the check may name, however their names are spelt.
    std::error_code ec;
    std::vector<std::string> raices{utf8Of(std::filesystem::absolute(gml, ec).parent_path()), utf8Of(settings.cacheDir)};
    for (const auto& c : settings.catalogs) raices.push_back(utf8Of(c.parent_path()));
    return resumenComprobacion(check::checkGmlFile(gml, settings), raices);
}

}  // namespace vadrel::report
