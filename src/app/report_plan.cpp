// The report's plan: the rings at their round scale, north up, with the
// vertices numbered as in the table, a scale bar and a north arrow; every
// label where the layout placed it.

#include <QPainterPath>
#include <QPolygonF>

#include "app/report_sheet.hpp"
#include "report/plan_labels.hpp"

namespace vadrel::app {

using namespace report;

namespace {

const QColor kParcela(232, 238, 248);
const QColor kEdificacion(250, 232, 210);
const QColor kPiscina(200, 226, 250);
const QColor kAzul(20, 90, 180);
const QColor kInteriorLinea(170, 40, 40);
const QColor kFondo(205, 205, 205);

// A label centred in its box; the box is the text's own width, so it is
// widened on both sides rather than have the text cut for a rounding.
void rotulo(Hoja& h, const Caja& c, const std::string& texto)
{
    h.texto(h.caja(c.x - 2, c.y, c.ancho + 4, c.alto), texto, Qt::AlignCenter);
}

QPolygonF poligono(const Hoja& h, const std::vector<Punto>& puntos)
{
    QPolygonF out;
    for (Punto p : puntos) out << h.punto(p);
    return out;
}

// Exteriors filled, interiors cut out white and dashed, pools blue.
void anillos(Hoja& h, const Informe& inf, bool edificio)
{
    for (const AnilloPlano& a : inf.plano.anillos) {
        if (a.interior) continue;
        h.p.setBrush(a.piscina ? kPiscina : edificio ? kEdificacion : kParcela);
        h.p.setPen(h.pluma(a.piscina ? kAzul : QColor(Qt::black), 0.35));
        h.p.drawPolygon(poligono(h, a.puntos));
    }
    for (const AnilloPlano& a : inf.plano.anillos) {
        if (!a.interior) continue;
        h.p.setBrush(Qt::white);
        h.p.setPen(h.pluma(a.piscina ? kAzul : kInteriorLinea, 0.35, Qt::DashLine));
        h.p.drawPolygon(poligono(h, a.puntos));
    }
    h.p.setBrush(Qt::NoBrush);
}

// Every vertex's dot, and its number in the box the layout found for it.
void numeros(Hoja& h, const Informe& inf)
{
    h.fuente(kPuntosNumero);
    for (const AnilloPlano& a : inf.plano.anillos) {
        const QColor color = a.piscina ? kAzul : QColor(Qt::black);
        for (std::size_t i = 0; i < a.puntos.size(); ++i) {
            h.p.setPen(Qt::NoPen);
            h.p.setBrush(color);
            h.p.drawEllipse(h.punto(a.puntos[i]), kRadioVertice * h.k, kRadioVertice * h.k);
            if (i < a.rotulos.size() && a.rotulos[i]) {
                h.p.setPen(color);
                rotulo(h, *a.rotulos[i], std::to_string(a.primerNumero + static_cast<int>(i)));
            }
        }
    }
    h.p.setBrush(Qt::NoBrush);
}

// Cadastre parcels behind, in grey.
void fondo(Hoja& h, const Informe& inf)
{
    h.p.setBrush(QColor(238, 238, 238));
    h.p.setPen(h.pluma(kFondo.darker(130), 0.25));
    for (const ParcelaFondo& f : inf.fondo) {
        std::vector<Punto> pagina;
        for (Punto p : f.anillo) pagina.push_back(inf.plano.aPagina(p));
        h.p.drawPolygon(poligono(h, pagina));
    }
    h.p.setBrush(Qt::NoBrush);
}

// The cadastre's boundaries again over the new rings, thin and dashed,
// where the fill would otherwise hide them; their references where the
// layout placed them.
void lindes(Hoja& h, const Informe& inf)
{
    h.p.setBrush(Qt::NoBrush);
    h.p.setPen(h.pluma(kFondo.darker(170), 0.2, Qt::DashLine));
    for (const ParcelaFondo& f : inf.fondo) {
        if (f.anillo.size() < 3) continue;
        std::vector<Punto> pagina;
        for (Punto p : f.anillo) pagina.push_back(inf.plano.aPagina(p));
        h.p.drawPolygon(poligono(h, pagina));
    }
    h.fuente(kPuntosReferencia);
    h.p.setPen(kFondo.darker(160));
    for (const RotuloPlano& r : inf.plano.referencias) rotulo(h, r.caja, r.texto);
}

// Overlaps with the neighbours, or what leaves the parcel, over the rings.
void solapes(Hoja& h, const Informe& inf)
{
    h.p.setPen(Qt::NoPen);
    h.p.setBrush(QColor(220, 0, 0, 110));
    for (const std::vector<Punto>& s : inf.solapes) {
        std::vector<Punto> pagina;
        for (Punto p : s) pagina.push_back(inf.plano.aPagina(p));
        h.p.drawPolygon(poligono(h, pagina));
    }
    h.p.setBrush(Qt::NoBrush);
}

// In the corner the layout keeps for it.
void norte(Hoja& h, const Caja& c)
{
    const double x = c.x + 3.5, y = c.y + 2;
    QPolygonF flecha;
    flecha << h.punto(x, y + 3) << h.punto(x + 2.5, y + 11) << h.punto(x, y + 9) << h.punto(x - 2.5, y + 11);
    h.p.setPen(h.pluma(Qt::black, 0.2));
    h.p.setBrush(Qt::black);
    h.p.drawPolygon(flecha);
    h.p.setBrush(Qt::NoBrush);
    h.fuente(8, true);
    h.texto(h.caja(x - 3, y - 1.5, 6, 4), "N", Qt::AlignCenter);
}

// Four segments, black and white, with the length at their end, in the
// corner the layout keeps for them.
void barra(Hoja& h, const Plano& pl)
{
    const double x = pl.cajaBarra.x + 3.5, y = pl.cajaBarra.y + 7.5, alto = 1.5;
    h.fuente(kPuntosEscala);
    h.p.setPen(Qt::black);
    h.texto(h.caja(x, y - 7, 60, 4), pl.textoEscala);
    const double tramo = pl.barraMm / 4;
    for (int i = 0; i < 4; ++i) {
        h.p.setPen(h.pluma(Qt::black, 0.2));
        h.p.setBrush(i % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white));
        h.p.drawRect(h.caja(x + i * tramo, y, tramo, alto));
    }
    h.p.setBrush(Qt::NoBrush);
    h.p.setPen(Qt::black);
    h.fuente(kPuntosBarra);
    h.texto(h.caja(x - 3, y + alto, 6, 3), "0", Qt::AlignCenter);
    h.texto(h.caja(x + pl.barraMm - 8, y + alto, 16, 3), pl.textoBarra, Qt::AlignCenter);
}

// Each colour's swatch left of its caption, as the plan draws it.
void leyenda(Hoja& h, const Plano& pl, bool edificio)
{
    h.fuente(kPuntosLeyenda);
    for (const ElementoLeyenda& e : pl.leyenda) {
        const QRectF muestra = h.caja(e.caja.x - 5, e.caja.y + 0.5, 4, e.caja.alto - 1);
        switch (e.muestra) {
        case ElementoLeyenda::Muestra::nueva:
            h.p.setBrush(edificio ? kEdificacion : kParcela);
            h.p.setPen(h.pluma(Qt::black, 0.35));
            break;
        case ElementoLeyenda::Muestra::catastral:
            h.p.setBrush(QColor(238, 238, 238));
            h.p.setPen(h.pluma(kFondo.darker(130), 0.25));
            break;
        case ElementoLeyenda::Muestra::solape:
            h.p.setBrush(QColor(220, 0, 0, 110));
            h.p.setPen(Qt::NoPen);
            break;
        }
        h.p.drawRect(muestra);
        h.p.setBrush(Qt::NoBrush);
        h.p.setPen(Qt::black);
        h.texto(h.caja(e.caja), e.texto);
    }
}

}  // namespace

void dibujaPlano(Hoja& h, const Informe& inf)
{
    const Plano& pl = inf.plano;
    h.p.save();
    h.p.setClipRect(h.caja(pl.caja));
    fondo(h, inf);
    anillos(h, inf, inf.edificio);
    lindes(h, inf);
    solapes(h, inf);
    numeros(h, inf);
    // The arrow and the scale on white: a cadastral line under "Escala 1:500"
    // would cross its figures.
    h.p.setPen(Qt::NoPen);
    h.p.setBrush(QColor(255, 255, 255, 225));
    for (const Caja& f : pl.figuras) h.p.drawRect(h.caja(f));
    h.p.setBrush(Qt::NoBrush);
    norte(h, pl.cajaNorte);
    barra(h, pl);
    leyenda(h, pl, inf.edificio);
    h.p.restore();
    h.p.setPen(h.pluma(QColor(120, 120, 120), 0.3));
    h.p.drawRect(h.caja(pl.caja));
}

}  // namespace vadrel::app
