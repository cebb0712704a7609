// The parcel window with the cadastre's map: "Comparar con Catastro" of
// the ring and of the grouping page, and "Descargar del Catastro".

#include "compare/cadastre_service.hpp"
#include "compare/compare_forms.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel {

namespace {

const char* const kSinReferencia = "Error. Escriba la referencia catastral de la parcela: 14 letras y cifras.";
const char* const kSinArchivosComparar =
    "Error. Debe haber al menos un archivo en la columna de la derecha para compararlo con el catastro.";

// 28 to 31 from the zone field; a zone the writers refuse is refused here.
int zonaDe(const std::string& huso) { return std::stoi(husoAEpsg(huso).substr(3)); }

}  // namespace

void TFParcelgen::BBCompararClick()
{
    std::vector<Punto> points = puntosDe(MX, MY, formato);
    if (points.size() < 3) throw Failure(msg::kPocasCoordenadas);
    points.push_back(points.front());
    const std::string ref = RBRefCatas && compare::isCadastralReference(ERefCatas) ? ERefCatas : "";
    const std::vector<compare::Shape> fresh{compare::Shape{ref, {compare::Patch{{points}}}}};
    std::vector<compare::Shape> map = compare::chosenMap(ui_, fresh, zonaDe(CBHuso));
    if (map.empty()) return;
    compare::showParcelComparison(ui_, fresh, map);
    cartografia = std::move(map);
}

void TFParcelgen::BBCompararMultiClick()
{
    if (LBDestino.empty()) return ui_.message(kSinArchivosComparar);
    std::vector<compare::Shape> fresh;
    std::optional<int> zona;
    for (const std::string& file : LBDestino) {
        std::vector<compare::Shape> shapes = compare::readShapes(file, compare::Kind::Parcels, true);
        fresh.insert(fresh.end(), shapes.begin(), shapes.end());
        if (!zona) zona = compare::zoneOfFile(file);
    }
    std::vector<compare::Shape> map = compare::chosenMap(ui_, fresh, zona.value_or(zonaDe(CBHuso)));
    if (map.empty()) return;
    compare::showParcelComparison(ui_, fresh, map);
}

void TFParcelgen::BBDescargarClick()
{
    const std::string ref(trimmed(ERefCatas));
    if (!compare::isCadastralReference(ref)) throw Failure(kSinReferencia);
    const int zona = zonaDe(CBHuso);
    std::string answer;
    {
        const compare::CadastreService service = compare::CadastreService::fromEnvironment();
        BusyPointer busy(ui_);
        answer = service.parcelDocument(ref, zona);
    }
    pugi::xml_document doc;
    if (!doc.load_buffer(answer.data(), answer.size()) || compare::shapesOf(doc, compare::Kind::Parcels).empty())
        throw Failure(std::string(compare::kNoMap) + "el catastro no da ninguna parcela con la referencia " + ref +
                      ".");
    XMLCarga.reset(doc);
    cargaParcela();
}

}  // namespace vadrel
