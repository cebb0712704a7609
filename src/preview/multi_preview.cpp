// The parcels of the files to group, drawn together, each ring in its own
// colour, with the same options as the one-polygon preview.

#include "core/coord_list.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"
#include "core/xml_file.hpp"
#include "core/xml_search.hpp"
#include "preview/preview_forms.hpp"
#include "preview/rings.hpp"
#include "preview/scaling.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

void TFVPrevMulti::cargaArchivos(const std::vector<std::string>& archivos, const NumberFormat& fmt)
{
    SGAux.clear();
    formato_ = fmt;
    int anillo = 0;
    for (const std::string& name : archivos) {
        loadXml(XMLDibujo, pathFromUtf8(name));
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
                std::string copia;
                partirPosList(textView(posList, copia), xs, ys);
                for (std::size_t v = 0; v < xs.size() && v < ys.size(); ++v) {
                    Fila& fila = SGAux.emplace_back();
                    fila.anillo = anillo;
                    fila.x = std::move(xs[v]);
                    fila.y = std::move(ys[v]);
                    if (v == 0) {
                        fila.ref = referencia;
                        fila.sup = area;
                    }
                }
            }
        }
    }
}

void TFVPrevMulti::dibujaTodos()
{
    Anillos anillos;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        if (r == 0 || SGAux[r].anillo != SGAux[r - 1].anillo) anillos.inicio.push_back(r);
        anillos.x.push_back(&SGAux[r].x);
        anillos.y.push_back(&SGAux[r].y);
    }
    const AnillosDibujados d = dibujaAnillos(*IDibujo, anillos, formato_);
    for (auto& fila : SGAux) {
        fila.fila = 0;
        fila.px = fila.py = fila.centroX = fila.centroY = 0;
        fila.ancla = false;
    }
    if (!d.dibujados) return;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        SGAux[r].fila = r + 1;
        SGAux[r].px = d.pixel[r].first;
        SGAux[r].py = d.pixel[r].second;
    }
    for (std::size_t a = 0; a < anillos.inicio.size(); ++a) {
        Fila& ultima = SGAux[(a + 1 < anillos.inicio.size() ? anillos.inicio[a + 1] : SGAux.size()) - 1];
        ultima.ancla = true;
        ultima.centroX = d.centro[a].first;
        ultima.centroY = d.centro[a].second;
    }
}

void TFVPrevMulti::numeros()
{
    // Each ring's closing vertex repeats its first, and is not numbered;
    // numbers start again at 1 in each ring.
    int ultimo = SGAux.empty() ? 1 : SGAux[0].anillo;
    std::size_t base = 0;
    for (std::size_t r = 1; r < SGAux.size(); ++r) {
        const int k = SGAux[r].anillo;
        if (k > ultimo) {
            ultimo = k;
            base = SGAux[r - 1].fila;
            continue;
        }
        const auto& fila = SGAux[r - 1];
        if (fila.fila == 0) continue;
        IDibujo->textOut(fila.px, fila.py, std::to_string(static_cast<long long>(fila.fila) - static_cast<long long>(base)));
    }
}

void TFVPrevMulti::etiquetas(std::string Fila::*columnaTexto, int desplazamiento)
{
    IDibujo->fontFace("Courier New");
    std::string texto;
    for (std::size_t r = 0; r < SGAux.size(); ++r) {
        const auto& fila = SGAux[r];
        // Each parcel's own label: one without a reference shows none, not
        // the one before it.
        if (r == 0 || fila.anillo != SGAux[r - 1].anillo) texto.clear();
        if (!(fila.*columnaTexto).empty()) texto = fila.*columnaTexto;
        if (!fila.ancla) continue;
        const double l = static_cast<double>(characterCount(texto));
        IDibujo->textOut(fila.centroX - 6 * redondeaPar(l / 2), fila.centroY + desplazamiento, texto);
    }
}

void TFVPrevMulti::referencias() { etiquetas(&Fila::ref, -10); }
void TFVPrevMulti::superficies() { etiquetas(&Fila::sup, 10); }

}  // namespace vadrel
