#include "core/arcs.hpp"

#include <algorithm>
#include <cmath>

namespace vadrel::arcos {

namespace {

struct Circulo {
    Punto centro;
    double radio = 0;
    double inicio = 0;  // angle of p seen from the centre
    double angulo = 0;  // signed sweep from p to q, 4·atan(bulge)
};

Circulo circuloDe(Punto p, Punto q, double bulge)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double cuerda = std::hypot(dx, dy);
    // The centre lies on the chord's perpendicular bisector, to the left of
    // p→q for a counter-clockwise arc under half a turn.
    const double h = (1 - bulge * bulge) / (4 * bulge);
    Circulo c;
    c.centro = {(p.x + q.x) / 2 - h * dy, (p.y + q.y) / 2 + h * dx};
    c.radio = cuerda * (1 + bulge * bulge) / (4 * std::fabs(bulge));
    c.inicio = std::atan2(p.y - c.centro.y, p.x - c.centro.x);
    c.angulo = 4 * std::atan(bulge);
    return c;
}

}  // namespace

bool esArco(Punto p, Punto q, double bulge)
{
    return std::isfinite(bulge) && bulge != 0 && (p.x != q.x || p.y != q.y) && std::isfinite(p.x) &&
           std::isfinite(p.y) && std::isfinite(q.x) && std::isfinite(q.y);
}

double flechaDeTramos(Punto p, Punto q, double bulge, std::size_t tramos)
{
    if (!esArco(p, q, bulge) || tramos == 0) return 0;
    // One chord: the arc's own sagitta, |b|·c/2, exact for any radius.
    if (tramos == 1) return std::fabs(bulge) * std::hypot(q.x - p.x, q.y - p.y) / 2;
    const Circulo c = circuloDe(p, q, bulge);
    return c.radio * (1 - std::cos(std::fabs(c.angulo) / (2 * static_cast<double>(tramos))));
}

std::size_t tramosDelArco(Punto p, Punto q, double bulge, double flecha)
{
    if (!esArco(p, q, bulge) || !(flecha > 0)) return 1;
    // The whole arc within the tolerance of its chord (|b|·c/2 is its
    // sagitta): a straight side whose bulge is rounding residue (1e-16, as
    // CAD programs write sin π) stays straight; its circle, of radius 1e16,
    // would give points metres off the side.
    if (flechaDeTramos(p, q, bulge, 1) <= flecha) return 1;
    const Circulo c = circuloDe(p, q, bulge);
    if (!std::isfinite(c.radio)) return 1;
    // A chord of angle φ lies r·(1 − cos(φ/2)) from its arc at most.
    const double maximo = 2 * std::acos(std::max(-1.0, 1 - flecha / c.radio));
    if (!(maximo > 0)) return kMaxTramosPorArco;
    const double n = std::ceil(std::fabs(c.angulo) / maximo);
    return static_cast<std::size_t>(std::clamp(n, 1.0, static_cast<double>(kMaxTramosPorArco)));
}

std::vector<Punto> puntosDelArco(Punto p, Punto q, double bulge, double flecha)
{
    const std::size_t n = tramosDelArco(p, q, bulge, flecha);
    std::vector<Punto> puntos;
    if (n < 2) return puntos;
    const Circulo c = circuloDe(p, q, bulge);
    puntos.reserve(n - 1);
    for (std::size_t k = 1; k < n; ++k) {
        const double a = c.inicio + c.angulo * static_cast<double>(k) / static_cast<double>(n);
        puntos.push_back({c.centro.x + c.radio * std::cos(a), c.centro.y + c.radio * std::sin(a)});
    }
    return puntos;
}

}  // namespace vadrel::arcos
