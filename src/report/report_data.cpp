// The report's data from the windows' fields: the texts exactly as the GML
// carries them, so the document and the file cannot disagree.

#include "report/report_data.hpp"

#include <chrono>
#include <ctime>

#include "building/building_form.hpp"
#include "check/check_text.hpp"
#include "check/gml_check.hpp"
#include "core/coord_list.hpp"
#include "core/dates.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "report/report_numbers.hpp"

namespace vadrel::report {

namespace {

// How many problems the summary quotes; the rest are counted.
constexpr std::size_t kProblemasCitados = 2;

std::string fechaDeHoy()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
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

}  // namespace

std::string nombreEpsg(const std::string& epsg)
{
    if (epsg == "32628") return "WGS 84 / UTM huso 28N";
    for (const char* code : {"25828", "25829", "25830", "25831"})
        if (epsg == code) return "ETRS89 / UTM huso " + epsg.substr(3) + "N";
    return {};
}

DatosInforme datosDeParcela(const TFParcelgen& form, std::vector<AnilloInforme> interiores)
{
    DatosInforme d = cabeceraDe(form);
    d.superficieDeclarada = form.ESup;
    d.anillos.push_back(anillo(form.MX, form.MY));
    if (!interiores.empty()) d.anillos.front().titulo = "Anillo exterior";
    for (AnilloInforme& a : interiores) d.anillos.push_back(std::move(a));
    return d;
}

std::vector<AnilloInforme> interioresDeParcela(const pugi::xml_document& doc)
{
    std::vector<AnilloInforme> out;
    const pugi::xml_node surface = buscaNodo("gml:Surface", doc);
    if (!surface) return out;
    std::string copia;
    for (pugi::xml_node in : buscaTodos(surface, {"gml:interior"})) {
        CoordList x, y;
        if (auto posList = buscaNodo("gml:posList", in)) partirPosList(textView(posList, copia), x, y);
        AnilloInforme a = anillo(x, y);
        a.interior = true;
        a.titulo = "Anillo interior " + std::to_string(out.size() + 1);
        out.push_back(std::move(a));
    }
    return out;
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
        a.titulo = e.nombre + " · " + e.tipo + " · " + (e.e_i.empty() ? std::string(kExterior) : e.e_i);
        d.anillos.push_back(std::move(a));
    }
    return d;
}

std::vector<std::string> resumenComprobacion(const check::Problems& problems)
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
            if (p.schemasUnchecked) out.push_back(p.message);
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
    for (const check::Problem* p : citados) out.push_back(pointsWithComma(check::describe(*p)));
    if (errores + avisos > citados.size())
        out.push_back("… y " + std::to_string(errores + avisos - citados.size()) + " más");
    return nota();
}

std::vector<std::string> comprobacionSinRed(const std::filesystem::path& gml)
{
    check::SchemaSettings settings = check::SchemaSettings::fromEnvironment();
    settings.download = nullptr;
    return resumenComprobacion(check::checkGmlFile(gml, settings));
}

}  // namespace vadrel::report
