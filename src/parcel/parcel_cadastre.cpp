// The parcel window with the cadastre's map: "Comparar con Catastro" of
// the ring and of the grouping page, and "Descargar del Catastro".

#include "compare/area_tolerance.hpp"
#include "compare/cadastre_service.hpp"
#include "compare/compare_forms.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "parcel/parcel_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kSinReferencia = "Error. Escriba la referencia catastral de la parcela: 14 letras y cifras.";
const char* const kSinArchivosComparar =
    "Error. Debe haber al menos un archivo en la columna de la derecha para compararlo con el catastro.";

}  // namespace

void TFParcelgen::BBCompararClick()
{
    std::vector<Punto> points = puntosDe(MX, MY, formato);
    if (points.size() < 3) throw Failure(msg::kPocasCoordenadas);
    points.push_back(points.front());
    // Read before the map is fetched: a mistyped figure costs no download.
    const std::optional<double> registral = compare::registeredArea(ESupRegistral);
    const std::string ref = RBRefCatas && compare::isCadastralReference(ERefCatas) ? ERefCatas : "";
    std::vector<compare::Shape> fresh{compare::Shape{ref, {compare::Patch{{points}}}}};
    std::vector<compare::Shape> map = compare::chosenMap(ui_, fresh, husoNumero(CBHuso));
    if (map.empty()) return;
    comparacion = compare::showParcelComparison(ui_, fresh, map, registral, FDesplazamiento.flechas());
    cartografia = std::move(map);
    nuevas = std::move(fresh);
}

void TFParcelgen::BBDesplazamientoClick() { ui_.showShiftDialog(FDesplazamiento); }

void TFParcelgen::BBCompararMultiClick()
{
    if (LBDestino.empty()) return ui_.message(kSinArchivosComparar);
    const std::vector<compare::Shape> fresh = compare::readAllShapes(LBDestino, compare::Kind::Parcels, true);
    std::optional<int> zona;
    for (const std::string& file : LBDestino)
        if ((zona = compare::zoneOfFile(pathFromUtf8(file)))) break;
    std::vector<compare::Shape> map = compare::chosenMap(ui_, fresh, zona.value_or(husoNumero(CBHuso)));
    if (map.empty()) return;
    compare::showParcelComparison(ui_, fresh, map);
}

void TFParcelgen::BBDescargarClick()
{
    const std::string ref(trimmed(ERefCatas));
    if (!compare::isCadastralReference(ref)) throw Failure(kSinReferencia);
    if (!puedeBorrarListas()) return;
    const int zona = husoNumero(CBHuso);
    pugi::xml_document answer;
    compare::WindowDownload(ui_).service().parcelDocument(ref, zona, answer);
    XMLCarga = std::move(answer);
    cargaParcela();
}

}  // namespace vadrel
