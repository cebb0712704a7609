// The report's plan: the rings at their round scale, north up, with the
// vertices numbered as in the table, a scale bar and a north arrow.

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "app/report_sheet.hpp"
#include "check/check_text.hpp"

namespace vadrel::app {

using namespace report;

namespace {

const QColor kParcela(232, 238, 248);
const QColor kEdificacion(250, 232, 210);
const QColor kPiscina(200, 226, 250);
const QColor kAzul(20, 90, 180);
const QColor kInteriorLinea(170, 40, 40);
const QColor kFondo(205, 205, 205);

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

// Each number just outside its vertex, away from the ring's middle.
void numeros(Hoja& h, const Informe& inf)
{
    h.fuente(5.5);
    for (const AnilloPlano& a : inf.plano.anillos) {
        Punto medio;
        for (Punto p : a.puntos) {
            medio.x += p.x / static_cast<double>(a.puntos.size());
            medio.y += p.y / static_cast<double>(a.puntos.size());
        }
        for (std::size_t i = 0; i < a.puntos.size(); ++i) {
            const Punto p = a.puntos[i];
            double dx = p.x - medio.x, dy = p.y - medio.y;
            const double d = std::hypot(dx, dy);
            if (d > 0) dx /= d, dy /= d;
            if (a.interior) dx = -dx, dy = -dy;  // into the hole's own side
            h.p.setPen(Qt::NoPen);
            h.p.setBrush(a.piscina ? kAzul : QColor(Qt::black));
            h.p.drawEllipse(h.punto(p), 0.45 * h.k, 0.45 * h.k);
            if (!a.numerado[i]) continue;
            h.p.setPen(a.piscina ? kAzul : QColor(Qt::black));
            const double cx = p.x + dx * 2.6, cy = p.y + dy * 2.2;
            h.texto(h.caja(cx - 4, cy - 1.5, 8, 3), std::to_string(a.primerNumero + static_cast<int>(i)),
                    Qt::AlignCenter);
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
// with their references, where the fill would otherwise hide them.
void lindes(Hoja& h, const Informe& inf)
{
    h.p.setBrush(Qt::NoBrush);
    h.fuente(6);
    for (const ParcelaFondo& f : inf.fondo) {
        if (f.anillo.size() < 3) continue;
        std::vector<Punto> pagina;
        for (Punto p : f.anillo) pagina.push_back(inf.plano.aPagina(p));
        h.p.setPen(h.pluma(kFondo.darker(170), 0.2, Qt::DashLine));
        h.p.drawPolygon(poligono(h, pagina));
        Punto c;  // the vertices' mean: a label's place, no area needed
        for (Punto p : pagina) {
            c.x += p.x / static_cast<double>(pagina.size());
            c.y += p.y / static_cast<double>(pagina.size());
        }
        h.p.setPen(kFondo.darker(160));
        h.texto(h.caja(c.x - 15, c.y - 2, 30, 4), f.referencia, Qt::AlignCenter);
    }
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

void norte(Hoja& h, const Caja& c)
{
    const double x = c.x + c.ancho - 9, y = c.y + 4;
    QPolygonF flecha;
    flecha << h.punto(x, y + 3) << h.punto(x + 2.5, y + 11) << h.punto(x, y + 9) << h.punto(x - 2.5, y + 11);
    h.p.setPen(h.pluma(Qt::black, 0.2));
    h.p.setBrush(Qt::black);
    h.p.drawPolygon(flecha);
    h.p.setBrush(Qt::NoBrush);
    h.fuente(8, true);
    h.texto(h.caja(x - 3, y - 1.5, 6, 4), "N", Qt::AlignCenter);
}

// Four segments, black and white, with the length at their end.
void barra(Hoja& h, const Plano& pl)
{
    const double x = pl.caja.x + 5, y = pl.caja.y + pl.caja.alto - 6, alto = 1.5;
    h.fuente(7);
    h.p.setPen(Qt::black);
    h.texto(h.caja(x, y - 7, 60, 4), "Escala 1:" + std::to_string(pl.escala));
    const double tramo = pl.barraMm / 4;
    for (int i = 0; i < 4; ++i) {
        h.p.setPen(h.pluma(Qt::black, 0.2));
        h.p.setBrush(i % 2 == 0 ? QColor(Qt::black) : QColor(Qt::white));
        h.p.drawRect(h.caja(x + i * tramo, y, tramo, alto));
    }
    h.p.setBrush(Qt::NoBrush);
    h.p.setPen(Qt::black);
    h.fuente(6);
    h.texto(h.caja(x - 3, y + alto, 6, 3), "0", Qt::AlignCenter);
    const std::string largo = check::spanishNumber(pl.barraMetros, pl.barraMetros < 1 ? 2 : 0) + " m";
    h.texto(h.caja(x + pl.barraMm - 8, y + alto, 16, 3), largo, Qt::AlignCenter);
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
    norte(h, pl.caja);
    barra(h, pl);
    h.p.restore();
    h.p.setPen(h.pluma(QColor(120, 120, 120), 0.3));
    h.p.drawRect(h.caja(pl.caja));
}

}  // namespace vadrel::app
