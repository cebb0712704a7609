// "Comparar con Catastro" of the building window: every construction
// against the cadastre parcel of the building's reference.

#include "building/building_form.hpp"
#include "compare/compare_forms.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/numeric_text.hpp"

namespace vadrel {

namespace {

const char* const kSinConstrucciones =
    "Error. Debe haber al menos una edificación con tres coordenadas para compararla con el catastro.";

}  // namespace

std::vector<compare::Shape> TFGMLEdif::construcciones() const
{
    std::vector<compare::Shape> shapes;
    for (const EdifProp& e : Edificaciones) {
        std::vector<Punto> ring = puntosDe(e.coorx, e.coory, formato);
        if (ring.size() < 3) continue;
        if (ring.front().x != ring.back().x || ring.front().y != ring.back().y) ring.push_back(ring.front());
        // An interior is a hole of the exterior before it; a first one has none.
        if (e.e_i == kInterior) {
            if (!shapes.empty()) shapes.back().patches.back().rings.push_back(std::move(ring));
            continue;
        }
        shapes.push_back(compare::Shape{e.nombre, {compare::Patch{{std::move(ring)}}}});
    }
    return shapes;
}

void TFGMLEdif::BBCompararClick()
{
    GuardaElem();
    const std::vector<compare::Shape> shapes = construcciones();
    if (shapes.empty()) throw Failure(kSinConstrucciones);
    const int zona = husoNumero(CBHuso);
    std::vector<compare::Shape> parcela = compare::chosenParcel(ui_, std::string(trimmed(ERefCatas)), zona);
    if (parcela.empty()) return;
    compare::showBuildingComparison(ui_, shapes, parcela);
    parcelaCatastral = std::move(parcela);
}

}  // namespace vadrel
