// The parcels of the files to group, drawn together, each ring in its own
// colour, with the same options as the one-polygon preview.

#include "core/coord_list.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "preview/preview_forms.hpp"
#include "preview/rings.hpp"
#include "preview/scaling.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel {

namespace {

enum Col { kAnillo, kFila, kPX, kPY, kX, kY, kRef, kSup, kCentroX, kCentroY };


}  // namespace

void TFVPrevMulti::cargaArchivos()
{
    SGAux.clear();
    if (!app_) return;
    const TFParcelgen& parcelas = *app_->FParcelgen;
    int anillo = 0;
    for (const std::string& name : parcelas.LBDestino) {
        loadXml(XMLDibujo, parcelas.directorioOrigen / name);
        for (pugi::xml_node member : buscaTodos(XMLDibujo, {"member", "gml:featureMember"})) {
            if (!buscaNodo("cp:CadastralParcel", member)) continue;
            std::string referencia, area;
            if (auto n = buscaNodo("base:localId", "localId", member)) referencia = textOf(n);
            if (auto n = buscaNodo("cp:areaValue", member)) area = textOf(n) + " m2";
            const std::vector<pugi::xml_node> superficies = buscaTodos(member, {"gml:surfaceMember"});
            for (pugi::xml_node superficie : superficies) {
                ++anillo;  // a surface without a ring still uses up its number
                pugi::xml_node posList = buscaNodo("gml:posList", superficie);
                if (!posList) continue;
                CoordList xs, ys;
                partirPosList(textOf(posList), xs, ys);
                for (std::size_t v = 0; v < xs.size() && v < ys.size(); ++v) {
                    std::array<std::string, 10> fila;
                    fila[kAnillo] = std::to_string(anillo);
                    fila[kX] = std::move(xs[v]);
                    fila[kY] = std::move(ys[v]);
                    if (v == 0) {
                        fila[kRef] = referencia;
                        fila[kSup] = area;
                    }
                    SGAux.push_back(std::move(fila));
                }
            }
        }
    }
}

void TFVPrevMulti::dibujaTodos()
{
    Anillos anillos;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        if (r == 0 || SGAux[r][kAnillo] != SGAux[r - 1][kAnillo]) anillos.inicio.push_back(r);
        anillos.x.push_back(&SGAux[r][kX]);
        anillos.y.push_back(&SGAux[r][kY]);
    }
    const NumberFormat fmt = app_ ? app_->FParcelgen->formato : NumberFormat{};
    const AnillosDibujados d = dibujaAnillos(*IDibujo, anillos, fmt);
    for (auto& fila : SGAux) fila[kFila] = fila[kPX] = fila[kPY] = fila[kCentroX] = fila[kCentroY] = "";
    if (!d.dibujados) return;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        SGAux[r][kFila] = std::to_string(r + 1);
        SGAux[r][kPX] = std::to_string(d.pixel[r].first);
        SGAux[r][kPY] = std::to_string(d.pixel[r].second);
    }
    for (std::size_t a = 0; a < anillos.inicio.size(); ++a) {
        const std::size_t ultima = (a + 1 < anillos.inicio.size() ? anillos.inicio[a + 1] : SGAux.size()) - 1;
        SGAux[ultima][kCentroX] = std::to_string(d.centro[a].first);
        SGAux[ultima][kCentroY] = std::to_string(d.centro[a].second);
    }
}

void TFVPrevMulti::numeros()
{
    // Each ring's closing vertex repeats its first, and is not numbered;
    // numbers start again at 1 in each ring.
    int ultimo = SGAux.empty() ? 1 : enteroDeTexto(SGAux[0][kAnillo]), base = 0;
    for (std::size_t r = 1; r < SGAux.size(); ++r) {
        const int k = enteroDeTexto(SGAux[r][kAnillo]);
        if (k > ultimo) {
            ultimo = k;
            base = enteroDeTexto(SGAux[r - 1][kFila]);
            continue;
        }
        const auto& fila = SGAux[r - 1];
        if (fila[kPX].empty()) continue;
        IDibujo->textOut(enteroDeTexto(fila[kPX]), enteroDeTexto(fila[kPY]), std::to_string(enteroDeTexto(fila[kFila]) - base));
    }
}

void TFVPrevMulti::etiquetas(std::size_t columnaTexto, int desplazamiento)
{
    IDibujo->fontFace("Courier New");
    std::string texto;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        const auto& fila = SGAux[r];
        // Each parcel's own label: one without a reference shows none, not
        // the one before it.
        if (r == 0 || fila[kAnillo] != SGAux[r - 1][kAnillo]) texto.clear();
        if (!fila[columnaTexto].empty()) texto = fila[columnaTexto];
        if (fila[kCentroX].empty()) continue;
        const double l = static_cast<double>(characterCount(texto));
        IDibujo->textOut(enteroDeTexto(fila[kCentroX]) - 6 * redondeaPar(l / 2), enteroDeTexto(fila[kCentroY]) + desplazamiento,
                         texto);
    }
}

void TFVPrevMulti::referencias() { etiquetas(kRef, -10); }
void TFVPrevMulti::superficies() { etiquetas(kSup, 10); }

}  // namespace vadrel
