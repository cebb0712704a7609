// "Cargar GML": fills the window from a parcel GML, whether written here
// (unprefixed "localId") or by others ("base:localId").

#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "core/messages.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kVariasParcelas = "¡Atención! GML con varias geometrias definidas. Sólo se cargará la primera.";
const char* const kSinParcela = "Error. El archivo no contiene ninguna parcela.";


}  // namespace

void TFParcelgen::BBCargarXMLClick()
{
    auto file = ui_.openFileName(msg::kFiltroGml);
    if (!file) return;
    loadXml(XMLCarga, pathFromUtf8(*file));
    cargaParcela();
}

// A file that does not load, or holds half a vertex, leaves the window as
// it was.
void TFParcelgen::cargaParcela()
{
    const pugi::xml_node posList = buscaNodo("gml:posList", XMLCarga);
    std::string copia;
    const std::string_view anillo = posList ? textView(posList, copia) : std::string_view();
    if (cuentaValoresPosList(anillo) % 2 != 0) throw Failure(msg::kPosListImpar);
    if (!buscaNodo("cp:CadastralParcel", XMLCarga)) {
        if (buscaNodo("bu-ext2d:Building", "bu-ext2d:OtherConstruction", XMLCarga))
            throw Failure(std::string(kSinParcela) + " " + msg::kAbraloEnEdificios);
        throw Failure(kSinParcela);
    }
    MX.clear();
    MY.clear();

    if (CuentaOcurrencias("cp:CadastralParcel", XMLCarga) > 1) ui_.message(kVariasParcelas);
    if (CuentaOcurrencias("gml:surfaceMember", XMLCarga) > 1) ui_.message(kAvisoVariasSuperficies);

    // An element present but empty gives an empty text: the reading goes on.
    if (auto n = buscaNodo("base:localId", "localId", XMLCarga)) ERefCatas = textOf(n);
    if (auto n = buscaNodo("base:namespace", "namespace", XMLCarga)) setReferenciaCatastral(textOf(n) != "ES.LOCAL.CP");
    if (auto n = buscaNodo("cp:areaValue", XMLCarga)) ESup = textOf(n);
    if (auto n = buscaNodo("gml:Surface", XMLCarga)) {
        // A surface without srsName leaves the zone as it was.
        if (auto srs = n.attribute("srsName")) CBHuso = husoDeSrsName(srs.value());
    }
    partirPosList(anillo, MX, MY);
    recuerdaListas();
}

}  // namespace vadrel
