// "Cargar GML" of the building window: the building's values and one
// construction per ring of its patches, then one per pool.

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "core/messages.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kSobreescribir =
    "Al cargar un nuevo GML se van a sobreescribir los datos que se muestran actualmente. ¿Desea continuar?";
const char* const kSinGeometria = "¡Error! No se ha encontrado ninguna geometría de edificio.";
const char* const kSinEdificio = "Error. El archivo no contiene ningún edificio ni piscina.";
const char* const kSinPiscinas = "No se han encontrado piscinas.";
const char* const kSinSuperficie = "No he podido encontrar la superficie total.";
const char* const kSinInmuebles = "No he podido encontrar el número de inmuebles. Por defecto se rellena a 1.";
const char* const kSinViviendas = "No he podido encontrar el número de viviendas. Por defecto se rellena a 1.";
const char* const kSinPlantas =
    "No he podido encontrar el número de plantas sobre rasante. Por defecto se rellena a 1.";
const char* const kSinFecha = "No he podido encontrar la fecha de construcción del edificio. Por defecto se rellena a "
                              "1 de enero del año 2000.";
const char* const kFechaDefecto = "01/01/2000";

// A count read from the file: missing is told and taken as 1, empty is 1.
std::string cuenta(const pugi::xml_document& doc, const char* name, const char* missing, Ui& ui)
{
    pugi::xml_node n = buscaNodo(name, doc);
    if (!n) {
        ui.message(missing);
        return "1";
    }
    std::string t = textOf(n);
    return t.empty() ? "1" : t;
}

}  // namespace

void TFGMLEdif::BBCargarXMLClick()
{
    if ((Edificaciones.size() > 2 || MX.size() >= 2) && !ui_.confirm(kSobreescribir, false)) return;
    auto file = ui_.openFileName(msg::kFiltroGml);
    if (!file) {
        // Back on the first construction, and the editor with it: an editor
        // left on another one would be stored over the first.
        if (!Edificaciones.empty() && elemActual >= 0 && static_cast<std::size_t>(elemActual) < Edificaciones.size())
            GuardaElem();
        muestraPrimera();
        return;
    }
    // A file that does not load, or holds half a vertex, leaves the
    // constructions as they were.
    loadXml(XMLCarga, pathFromUtf8(*file));
    std::string copia;
    for (pugi::xml_node posList : buscaTodos(XMLCarga, {"gml:posList"}))
        if (cuentaValoresPosList(textView(posList, copia)) % 2 != 0) {
            XMLCarga.reset();
            throw Failure(msg::kPosListImpar);
        }
    // A parcel file would come in as a building made of parcel rings.
    if (!buscaNodo("bu-ext2d:Building", "bu-ext2d:OtherConstruction", XMLCarga)) {
        const bool parcela = static_cast<bool>(buscaNodo("cp:CadastralParcel", XMLCarga));
        XMLCarga.reset();
        throw Failure(parcela ? std::string(kSinEdificio) + " " + msg::kAbraloEnParcelas : kSinEdificio);
    }
    MX.clear();
    MY.clear();
    LBElementos.clear();
    LBElementosIndex = -1;
    Edificaciones.assign(1, EdifProp{});
    const pugi::xml_document& doc = XMLCarga;

    // Every one in the file: counting per level would skip and repeat
    // patches when several buildings share a file.
    const std::vector<pugi::xml_node> patches = buscaTodosAnidados(doc, "gml:PolygonPatch");
    const std::vector<pugi::xml_node> otras = buscaTodosAnidados(doc, "bu-ext2d:OtherConstruction");
    const std::size_t recintos = patches.size() + buscaTodosAnidados(doc, "gml:interior").size();
    ui_.message(recintos > 0 ? "He encontrado " + std::to_string(recintos) + " recintos en el edificio."
                             : std::string(kSinGeometria));
    ui_.message(!otras.empty() ? "He encontrado " + std::to_string(otras.size()) + " piscinas en el GML."
                               : std::string(kSinPiscinas));

    // An element present but empty gives an empty text: the reading goes on.
    if (auto n = buscaNodo("base:localId", "localId", doc)) ERefCatas = textOf(n);
    if (auto n = buscaNodo("base:namespace", "namespace", doc)) setReferenciaCatastral(textOf(n) == "ES.SDGC.BU");
    if (auto n = buscaNodo("bu-ext2d:value", doc)) {
        ESuptot = textOf(n);
    } else {
        ui_.message(kSinSuperficie);
        ESuptot = "0";
    }
    ENInmueble = cuenta(doc, "bu-ext2d:numberOfBuildingUnits", kSinInmuebles, ui_);
    ENViv = cuenta(doc, "bu-ext2d:numberOfDwellings", kSinViviendas, ui_);
    ENSobreRas = cuenta(doc, "bu-ext2d:numberOfFloorsAboveGround", kSinPlantas, ui_);

    // The construction date is the one the writer writes; the lifespan date
    // only stands in when a file has none.
    pugi::xml_node fecha = buscaNodo("bu-core2d:beginning", "bu-core2d:beginLifespanVersion", doc);
    const std::string f = fecha ? textOf(fecha) : std::string();
    if (fecha && f.empty()) {
        EFechaConstruc = kFechaDefecto;
    } else if (f.size() < 10) {
        ui_.message(kSinFecha);
        EFechaConstruc = kFechaDefecto;
    } else {
        EFechaConstruc = f.substr(8, 2) + "/" + f.substr(5, 2) + "/" + f.substr(0, 4);
    }
    // A file of pools alone has no surface; its polygons carry the zone.
    if (auto n = buscaNodo("gml:Surface", "gml:Polygon", doc))
        if (auto srs = n.attribute("srsName")) CBHuso = husoDeSrsName(srs.value());

    Edificaciones.clear();
    auto anade = [&](std::string nombre, const char* tipo, pugi::xml_node ring) {
        EdifProp e{static_cast<std::int32_t>(Edificaciones.size() + 1), std::move(nombre), tipo, "", {}, {}};
        if (auto posList = buscaNodo("gml:posList", ring)) partirPosList(textView(posList, copia), e.coorx, e.coory);
        LBElementos.push_back(e.nombre);
        Edificaciones.push_back(std::move(e));
        return &Edificaciones.back();
    };
    auto nombreNuevo = [&] { return nombreNuevaEdificacion(Edificaciones.size() + 1); };

    for (pugi::xml_node patch : patches) {
        // A nested patch's rings are its own: read once, not once per level.
        for (pugi::xml_node ext : buscaTodos(patch, {"gml:exterior"}, "gml:PolygonPatch"))
            anade(nombreNuevo(), kEdificacion, ext)->e_i = kExterior;
        for (pugi::xml_node in : buscaTodos(patch, {"gml:interior"}, "gml:PolygonPatch"))
            anade(nombreNuevo(), kEdificacion, in)->e_i = kInterior;
    }
    for (pugi::xml_node otra : otras) {
        pugi::xml_node id = buscaNodo("base:localId", otra);
        anade(id ? textOf(id) : nombreNuevo(), kPiscina, otra)->e_i = kExterior;
    }

    // The editor shows the first construction, whatever its kind, so that
    // the next store writes it back onto itself.
    muestraPrimera();
}

}  // namespace vadrel
