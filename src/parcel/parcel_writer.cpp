// "Crear GML": checks the window's data, closes the ring and fills the
// parcel template, which is then saved where the person says.

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/numeric_text.hpp"
#include "core/utm_spain.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "core/messages.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kSinPlantilla =
    "Error. No se ha cargado la plantilla BASE_PARCELAS.XML, por lo que no se puede crear el GML.";
const char* const kSinSuperficie =
    "Error. Debe rellenar la superficie con el área del polígono representado por las coordenadas. "
    "Pulse el botón \"Cal. Área\" para rellenarlo";

}  // namespace

void TFParcelgen::BBgmlClick()
{
    if (!preparaGml()) return;
    auto file = ui_.saveFileName(msg::kFiltroGml);
    if (!file) return;
    saveXml(XMLParcela, pathFromUtf8(*file));
    recuerdaListas();
}

bool TFParcelgen::preparaGml(bool paraInforme)
{
    if (!hasRoot(XMLParcela)) {
        ui_.message(kSinPlantilla);
        return false;
    }
    exigeElementos(XMLParcela, kPlantillaParcela, {"cp:CadastralParcel", "gml:posList"});
    limpiaComas(MX, MY, ui_);
    limpiaCoordenadas(MX, MY);
    const std::string epsg = husoAEpsg(CBHuso);
    const bool superficieNoNumerica = normalizaSuperficie(ESup, formato);

    const auto refusal = [this](const char* text) {
        ui_.message(text);
        return false;
    };
    if (MX.size() < 3 || MY.size() < 3) return refusal(msg::kPocasCoordenadas);
    if (MX.size() != MY.size()) return refusal(msg::kDistintasCoordenadas);
    if (trimmed(ESup).empty()) return refusal(kSinSuperficie);
    if (superficieNoNumerica) return refusal(msg::kSuperficieNoNumerica);
    if (!compruebaCaracteres(ERefCatas)) return refusal(msg::kCaracteresReferencia);
    // Before the area is asked about: a drawing in local units or X and Y
    // swapped would otherwise be written as a parcel somewhere else.
    utm::Review utm(husoNumero(CBHuso));
    if (!compruebaUtm(ui_, utm, MX, MY, formato)) return false;
    avisaHuso(ui_, utm);
    if (!superficieConfirmada(paraInforme)) return false;

    cierraAnillo();
    rellenaPlantilla(epsg);
    return true;
}

bool TFParcelgen::superficieConfirmada(bool paraInforme)
{
    // The field keeps its value across imports: a file declaring another
    // parcel's area is plainly wrong, and the cadastre checks it. The same
    // tolerance as the offline check.
    double declarada = 0, calculada = 0;
    try {
        declarada = MiStrToFloat(ESup, formato);
        calculada = CalculaArea(MX, MY, formato);
    } catch (const Failure&) {
        return true;  // a coordinate that is no number stops the write further on, with its message
    }
    if (!(std::abs(declarada - calculada) > 1.0)) return true;
    return ui_.confirm("La superficie indicada (" + ESup + " m2) no coincide con la calculada con las coordenadas (" +
                           redondeaCadena(formatGeneral(calculada, '.'), 2) +
                           " m2). ¿Desea generar " + (paraInforme ? "el informe" : "el GML") + " de todos modos?",
                       false);
}

void TFParcelgen::cierraAnillo()
{
    if (MX.front() == MX.back() && MY.front() == MY.back()) return;
    MX.push_back(MX.front());
    MY.push_back(MY.front());
    ui_.message(msg::kAnilloCerrado);
}

void TFParcelgen::rellenaPlantilla(const std::string& epsg)
{
    const std::string prefijo = RBRefOtra ? "ES.LOCAL.CP" : "ES.SDGC.CP";
    const std::string id = prefijo + "." + ERefCatas;
    const std::string srsName = "http://www.opengis.net/def/crs/EPSG/0/" + epsg;

    if (auto n = buscaNodo("cp:CadastralParcel", XMLParcela)) setAttribute(n, "gml:id", id);
    if (auto n = buscaNodo("cp:areaValue", XMLParcela)) setText(n, ESup);
    if (auto n = buscaNodo("gml:MultiSurface", XMLParcela)) {
        setAttribute(n, "gml:id", "Multisurface_" + id);
        setAttribute(n, "srsName", srsName);
    }
    if (auto n = buscaNodo("gml:Surface", XMLParcela)) {
        setAttribute(n, "gml:id", "Surface_" + id);
        setAttribute(n, "srsName", srsName);
    }
    if (auto n = buscaNodo("gml:Point", XMLParcela)) {
        setAttribute(n, "gml:id", "ReferencePoint_" + id);
        setAttribute(n, "srsName", srsName);
    }
    // Every vertex converted once: the centroid and the bounding box share them.
    const std::vector<Punto> puntos = puntosDe(MX, MY, formato);
    if (auto n = buscaNodo("gml:pos", XMLParcela)) {
        Punto c = CalculaCentroide(puntos);
        setText(n, formatGeneral(c.x, '.') + " " + formatGeneral(c.y, '.'));
    }

    // The envelope follows the ring, so that grouped files sum true corners.
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    for (const Punto& p : puntos) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    std::size_t largo = 0;
    for (std::size_t i = 0; i < MX.size(); ++i) largo += MX[i].size() + MY[i].size() + 2;
    std::string anillo;
    anillo.reserve(largo);
    for (std::size_t i = 0; i < MX.size(); ++i) {
        anillo += ' ';
        anillo += MX[i];
        anillo += ' ';
        anillo += MY[i];
    }
    if (auto n = buscaNodo("gml:posList", XMLParcela)) setText(n, anillo);
    if (auto n = buscaNodo("localId", XMLParcela)) setText(n, ERefCatas);
    if (auto n = buscaNodo("namespace", XMLParcela)) setText(n, prefijo);

    if (auto n = buscaNodo("gml:Envelope", XMLParcela)) setAttribute(n, "srsName", srsName);
    if (auto n = buscaNodo("gml:lowerCorner", XMLParcela))
        setText(n, formatGeneral(minX, '.') + " " + formatGeneral(minY, '.'));
    if (auto n = buscaNodo("gml:upperCorner", XMLParcela))
        setText(n, formatGeneral(maxX, '.') + " " + formatGeneral(maxY, '.'));
}

}  // namespace vadrel
