// The preview of one polygon (either coordinate window's lists), and the
// option boxes both labelled previews share.

#include <vector>

#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "core/ui.hpp"
#include "preview/preview_forms.hpp"
#include "preview/scaling.hpp"

namespace vadrel {

namespace {

const char* const kCourier = "Courier New";


}  // namespace

// An option turned on draws its labels over the picture; turned off, the
// picture is drawn again with the labels of the other two still on.
void TFPreviewConOpciones::alterna(bool activa, Etiquetas propias, Etiquetas primeras, bool conPrimeras,
                                   Etiquetas segundas, bool conSegundas)
{
    if (activa) {
        (this->*propias)();
    } else {
        redibuja();
        if (conPrimeras) (this->*primeras)();
        if (conSegundas) (this->*segundas)();
    }
    IDibujo->repaint();
}

void TFPreviewConOpciones::CBPuntosClick()
{
    alterna(CBPuntos, &TFPreviewConOpciones::numeros, &TFPreviewConOpciones::referencias, CBRef,
            &TFPreviewConOpciones::superficies, CBSup);
}

void TFPreviewConOpciones::CBRefClick()
{
    alterna(CBRef, &TFPreviewConOpciones::referencias, &TFPreviewConOpciones::numeros, CBPuntos,
            &TFPreviewConOpciones::superficies, CBSup);
}

void TFPreviewConOpciones::CBSupClick()
{
    alterna(CBSup, &TFPreviewConOpciones::superficies, &TFPreviewConOpciones::numeros, CBPuntos,
            &TFPreviewConOpciones::referencias, CBRef);
}

void TFPreviewConOpciones::BBCopiarClick() { ui_.setClipboardImage(*IDibujo); }

void TFVPrev::abre(std::string origen)
{
    CBPuntos = CBRef = CBSup = false;
    FormuOrigen = std::move(origen);
}

void TFVPrev::dibuja(Ui& ui, CoordList& MX, CoordList& MY, const NumberFormat& fmt)
{
    // Every line converted first: one that is no number changes nothing.
    static const std::string vacia;
    std::vector<std::pair<double, double>> xy(MX.size());
    Escala escala;
    for (std::size_t i = 0; i < MX.size(); ++i) {
        xy[i] = {MiStrToFloat(MX[i], fmt), MiStrToFloat(i < MY.size() ? MY[i] : vacia, fmt)};
        escala.anade(xy[i].first, xy[i].second);
    }

    if (!MX.empty() && !MY.empty() && (MX.front() != MX.back() || MY.front() != MY.back())) {
        // Vertex i is line i of each list as they now stand: with lists of
        // unequal length the added lines need not pair up. Only two vertices
        // can change: the one that now finds the added Y line, and the new last.
        const std::size_t n = MX.size(), m = MY.size();
        const double y0 = xy.front().second;
        const double yNueva = n < m ? MiStrToFloat(MY[n], fmt) : n == m ? y0 : 0.0;  // converted before any change
        MX.push_back(MX.front());
        MY.push_back(MY.front());
        ui.message(msg::kAnilloCerrado);
        if (m < n) xy[m].second = y0;
        xy.emplace_back(xy.front().first, yNueva);
    }

    IDibujo->clear();
    IDibujo->penWidth(1);
    IDibujo->penColor(0);
    SGAux.clear();
    // No extent (no vertex, one, all equal): a blank picture, labels in the middle.
    const auto [cx, cy] = escala.valida() ? escala.centro() : std::pair{kLadoDibujo / 2, kLadoDibujo / 2};
    ECentroX = std::to_string(cx);
    ECentroY = std::to_string(cy);
    if (!escala.valida()) return;
    SGAux.reserve(xy.size());
    for (std::size_t i = 0; i < xy.size(); ++i) {
        const auto [px, py] = escala.pixel(xy[i].first, xy[i].second);
        if (i == 0)
            IDibujo->moveTo(px, py);
        else
            IDibujo->lineTo(px, py);
        SGAux.push_back({i + 1, px, py});
    }
}

void TFVPrev::numeros()
{
    // The last row is the closing vertex, which repeats the first.
    for (std::size_t r = 0; r + 1 < SGAux.size(); ++r)
        IDibujo->textOut(SGAux[r].px + 2, SGAux[r].py + 2, std::to_string(SGAux[r].numero));
}

void TFVPrev::referencias()
{
    IDibujo->fontFace(kCourier);
    const double l = static_cast<double>(characterCount(ERef));
    IDibujo->textOut(enteroDeTexto(ECentroX) - 6 * redondeaPar(l / 2), enteroDeTexto(ECentroY) - 10, ERef);
}

void TFVPrev::superficies()
{
    IDibujo->fontFace(kCourier);
    const double l = static_cast<double>(characterCount(ESup));
    IDibujo->textOut(enteroDeTexto(ECentroX) - 6 * redondeaPar(l / 2), enteroDeTexto(ECentroY) + 10, ESup);
}

void TFVPrev::redibuja()
{
    if (FormuOrigen != "parcela" && FormuOrigen != "edificio")
        ui_.message("Error. No se reconoce formulario de origen.");
    else if (dibujaOrigen)
        dibujaOrigen(FormuOrigen);
}

}  // namespace vadrel
