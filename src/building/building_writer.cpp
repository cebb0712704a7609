// "Crear GML" of the building window: fresh templates, checks, every ring
// closed, one polygon patch per exterior with its interiors, one feature per
// pool, then the save dialog.

#include <algorithm>

#include "building/building_form.hpp"
#include "core/dates.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/utm_spain.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "core/messages.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kSinSuperficieTotal = "Error. Debe rellenar la superficie total construida de las edificaciones.";
const char* const kSinInmuebles = "Error. Debe rellenar el número de inmuebles que hay en el edificio.";
const char* const kInmuebles = "Error. El número de inmuebles debe de ser un entero mayor o igual a 1.";
const char* const kViviendas = "Error. El número de viviendas debe de ser un entero mayor o igual a 0.";
const char* const kPlantas = "Error. El número de plantas sobre rasante debe de ser un entero mayor o igual a 1.";
const char* const kPrimeraExterior = "Error. La primera edificación debe ser exterior.";

const char* estado(const std::string& texto)
{
    static const std::pair<const char*, const char*> table[] = {
        {"Funcional", "functional"},  {"Ruinoso", "ruin"},
        {"Deficiente", "declined"},   {"Proyectado", "projected"},
        {"En_Construccion", "underConstruction"}, {"Demolido", "demolished"}};
    for (auto [from, to] : table)
        if (texto == from) return to;
    return nullptr;
}

const char* uso(const std::string& texto)
{
    static const std::pair<const char*, const char*> table[] = {
        {"Residencial", "1_residential"}, {"Agrícola", "2_agriculture"}, {"Industrial", "3_industrial"},
        {"Oficinas", "4_1_office"},       {"Comercial", "4_2_retail"},   {"Serv. Públicos", "4_3_publicServices"}};
    for (auto [from, to] : table)
        if (texto == from) return to;
    return nullptr;
}

// " X Y X Y ...", each value checked as a number while the text is built.
std::string textoAnillo(const EdifProp& e, const NumberFormat& fmt)
{
    std::string t;
    for (std::size_t i = 0; i < e.coorx.size() && i < e.coory.size(); ++i) {
        MiStrToFloat(e.coorx[i], fmt);
        MiStrToFloat(e.coory[i], fmt);
        t += " " + e.coorx[i] + " " + e.coory[i];
    }
    return t;
}

void anadeAnillo(pugi::xml_node patch, const char* role, const std::string& ring)
{
    pugi::xml_node posList = patch.append_child(role).append_child("gml:LinearRing").append_child("gml:posList");
    setText(posList, ring);
}

std::string prefijoNs(bool otra) { return otra ? "ES.LOCAL.BU" : "ES.SDGC.BU"; }

}  // namespace

void TFGMLEdif::cargaPlantillas()
{
    loadXml(XMLEdificio, entorno_.plantilla(kPlantillaEdificios));
    loadXml(XMLPiscina, entorno_.plantilla(kPlantillaPiscinas));
}

void TFGMLEdif::BBgmlClick()
{
    if (!preparaGml()) return;
    auto file = ui_.saveFileName(msg::kFiltroGml);
    if (!file) return;
    saveXml(XMLEdificio, pathFromUtf8(*file));
}

bool TFGMLEdif::preparaGml()
{
    const auto refusal = [this](const std::string& text) {
        ui_.message(text);
        return false;
    };
    cargaPlantillas();
    exigeElementos(XMLEdificio, kPlantillaEdificios, {"bu-ext2d:Building", "gml:patches"});
    if (std::any_of(Edificaciones.begin(), Edificaciones.end(), [](const EdifProp& e) { return e.tipo == kPiscina; })) {
        exigeElementos(XMLEdificio, kPlantillaEdificios, {"gml:FeatureCollection"});
        exigeElementos(XMLPiscina, kPlantillaPiscinas, {"bu-ext2d:OtherConstruction", "gml:featureMember", "gml:posList"});
    }
    // The rings are written from the stored constructions, so their commas
    // go too, or a decimal comma would reach the file; one message for all.
    bool comas = sustituyeComas(MX);
    comas = sustituyeComas(MY) || comas;
    for (EdifProp& e : Edificaciones) {
        comas = sustituyeComas(e.coorx) || comas;
        comas = sustituyeComas(e.coory) || comas;
    }
    if (comas) ui_.message(std::string(kCommasReplaced));
    limpiaCoordenadas(MX, MY);
    const std::string epsg = husoAEpsg(CBHuso);
    const bool superficieNoNumerica = normalizaSuperficie(ESuptot, formato);

    if (MX.size() < 3 || MY.size() < 3) return refusal(msg::kPocasCoordenadas);
    if (MX.size() != MY.size()) return refusal(msg::kDistintasCoordenadas);
    if (trimmed(ESuptot).empty()) return refusal(kSinSuperficieTotal);
    if (superficieNoNumerica) return refusal(msg::kSuperficieNoNumerica);
    if (!compruebaCaracteres(ERefCatas)) return refusal(msg::kCaracteresReferencia);
    if (trimmed(ENInmueble).empty()) return refusal(kSinInmuebles);
    if (auto n = enteroDe(ENInmueble); !n || *n < 1) return refusal(kInmuebles);
    if (auto n = enteroDe(ENViv); !n || *n < 0) return refusal(kViviendas);
    if (auto n = enteroDe(ENSobreRas); !n || *n < 1) return refusal(kPlantas);

    // Every stored ring, not only the shown one, must make a polygon.
    for (std::size_t i = 0; i < Edificaciones.size(); ++i) {
        const EdifProp& e = Edificaciones[i];
        if (e.coorx.size() < 3 || e.coory.size() < 3)
            return refusal(errorEnEdificacion(i, e, "Debe haber al menos tres coordenadas X e Y."));
        if (e.coorx.size() != e.coory.size())
            return refusal(errorEnEdificacion(i, e, kXYDistintas));
    }
    // Every construction in Spain's UTM range of the zone, pools too; the
    // warning of a zone far away once for the whole building.
    utm::Review utm(husoNumero(CBHuso));
    for (const EdifProp& e : Edificaciones)
        if (!compruebaUtm(ui_, utm, e.coorx, e.coory, formato)) return false;
    avisaHuso(ui_, utm);

    for (std::size_t i = 0; i < Edificaciones.size(); ++i) {
        EdifProp& e = Edificaciones[i];
        if (e.coorx.front() == e.coorx.back() && e.coory.front() == e.coory.back()) continue;
        e.coorx.push_back(e.coorx.front());
        e.coory.push_back(e.coory.front());
        ui_.message("Se ha cerrado el polígono " + std::to_string(i) + " añadiendo la primera coordenada.");
    }

    const std::string ns = prefijoNs(RBRefOtra);
    rellenaEdificio(ns, epsg);
    std::vector<std::size_t> piscinas;
    if (!construyeRecintos(piscinas)) return false;

    // The placeholder member is emptied at every write; a template with a
    // single member would otherwise lose its building here.
    const pugi::xml_node primero = buscaOcurrencia("gml:featureMember", XMLEdificio, 1);
    pugi::xml_node segundo = buscaOcurrencia("gml:featureMember", XMLEdificio, 2);
    if (segundo && segundo != primero) segundo.remove_children();
    anadePiscinas(piscinas, ns, epsg);
    return true;
}

void TFGMLEdif::rellenaEdificio(const std::string& ns, const std::string& epsg)
{
    const pugi::xml_document& doc = XMLEdificio;
    auto fecha = [&] {
        auto f = parseFecha(EFechaConstruc, formato);
        if (!f) throw Failure(formatMessage(kNotADate, EFechaConstruc));
        return fechaHoraGml(*f);
    };
    if (auto n = buscaNodo("bu-ext2d:Building", doc)) setAttribute(n, "gml:id", ns + "." + ERefCatas);
    if (auto n = buscaNodo("bu-core2d:conditionOfConstruction", doc))
        if (const char* v = estado(CBEstado)) setText(n, v);
    if (auto n = buscaNodo("bu-core2d:beginning", doc)) setText(n, fecha());
    if (auto n = buscaNodo("bu-core2d:end", doc)) setText(n, fecha());
    if (auto n = buscaNodo("base:localId", doc)) setText(n, ERefCatas);
    if (auto n = buscaNodo("base:namespace", doc)) setText(n, ns);
    if (auto n = buscaNodo("bu-ext2d:value", doc)) setText(n, ESuptot);
    if (auto n = buscaNodo("bu-ext2d:currentUse", doc))
        if (const char* v = uso(CBUso)) setText(n, v);
    if (auto n = buscaNodo("bu-ext2d:numberOfBuildingUnits", doc)) setText(n, ENInmueble);
    if (auto n = buscaNodo("bu-ext2d:numberOfDwellings", doc)) setText(n, ENViv);
    if (auto n = buscaNodo("bu-ext2d:numberOfFloorsAboveGround", doc)) setText(n, ENSobreRas);
    if (auto n = buscaNodo("gml:Surface", doc)) {
        setAttribute(n, "gml:id", "Surface_" + ns + "." + ERefCatas);
        setAttribute(n, "srsName", "URN:OGC:DEF:CRS:EPSG::" + epsg);
    }
}

// One patch per exterior, its interiors after it; pools noted apart. A
// patch never lacks its exterior: an interior with no exterior before it,
// or any unmarked construction, refuses the whole file.
bool TFGMLEdif::construyeRecintos(std::vector<std::size_t>& piscinas)
{
    pugi::xml_node patches = buscaNodo("gml:patches", XMLEdificio);
    const bool hayEdificaciones = std::any_of(Edificaciones.begin(), Edificaciones.end(),
                                              [](const EdifProp& e) { return e.tipo != kPiscina; });
    if (hayEdificaciones && Edificaciones.front().e_i != kExterior) {
        ui_.message(kPrimeraExterior);
        return false;
    }

    // Constructions are counted as the list shows them, from 1. Every
    // unmarked one is told, and then nothing is written: a file without
    // them would silently lose their rings.
    bool sinMarcar = false;
    pugi::xml_node patch;
    for (std::size_t u = 0; u < Edificaciones.size(); ++u) {
        const EdifProp& e = Edificaciones[u];
        const std::string numero = std::to_string(u + 1);
        if (e.e_i == kInterior && patch) {
            anadeAnillo(patch, "gml:interior", textoAnillo(e, formato));
            continue;
        }
        if (e.tipo == kPiscina) {
            piscinas.push_back(u);
            patch = {};
            continue;
        }
        if (e.e_i == kInterior) {
            ui_.message("Error. La edificación " + numero + " es interior pero no sigue a ninguna edificación exterior.");
            return false;
        }
        if (e.e_i != kExterior) {
            ui_.message("La edificación " + numero + " no está marcada como interior ni exterior.");
            sinMarcar = true;
            continue;
        }
        patch = patches.append_child("gml:PolygonPatch");
        anadeAnillo(patch, "gml:exterior", textoAnillo(e, formato));
    }
    return !sinMarcar;
}

void TFGMLEdif::anadePiscinas(const std::vector<std::size_t>& piscinas, const std::string& ns, const std::string& epsg)
{
    if (piscinas.empty()) return;
    pugi::xml_node coleccion = buscaNodo("gml:FeatureCollection", XMLEdificio);
    int k = 0;
    for (std::size_t u : piscinas) {
        const std::string id = ERefCatas + "_PI." + std::to_string(++k);
        loadXml(XMLPiscina, entorno_.plantilla(kPlantillaPiscinas));
        const pugi::xml_document& doc = XMLPiscina;
        if (auto n = buscaNodo("base:localId", doc)) setText(n, id);
        if (auto n = buscaNodo("base:namespace", doc)) setText(n, ns);
        if (auto n = buscaNodo("gml:Polygon", doc)) {
            setAttribute(n, "gml:id", "Polygon_" + ns + "." + id);
            setAttribute(n, "srsName", "urn:ogc:def:crs:EPSG::" + epsg);
        }
        if (auto n = buscaNodo("gml:posList", doc)) setText(n, textoAnillo(Edificaciones[u], formato));
        if (auto n = buscaNodo("bu-ext2d:OtherConstruction", doc)) setAttribute(n, "gml:id", ns + "." + id);
        if (auto miembro = buscaNodo("gml:featureMember", doc); miembro && coleccion) coleccion.append_copy(miembro);
    }
}

}  // namespace vadrel
