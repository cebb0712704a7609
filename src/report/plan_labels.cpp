// Labels on the report's plan: candidate places tried in order of
// preference, each taken only when it meets nothing drawn or placed.

#include "report/plan_labels.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "compare/labels.hpp"

namespace vadrel::report {

namespace {

constexpr double kMmPorPunto = 25.4 / 72;
// The digits' ink fills about 0.73 of the font's size; the number's box
// is a little taller, centred as the text is drawn.
constexpr double kAltoDigitos = 0.85;
constexpr double kHolgura = 0.25;     // clear space kept around each label
constexpr double kSeparacion = 0.8;   // from the vertex to its number's box
constexpr double kCelda = 2;          // the grid's cell, mm

Extension extension(const Caja& c) { return {c.x, c.y, c.x + c.ancho, c.y + c.alto}; }
Caja caja(const Extension& e) { return {e.minX, e.minY, e.maxX - e.minX, e.maxY - e.minY}; }
Extension crece(const Extension& e, double d) { return {e.minX - d, e.minY - d, e.maxX + d, e.maxY + d}; }

// Written so that a box with a coordinate that is no number is outside.
bool dentro(const Extension& e, const Extension& marco)
{
    return e.minX >= marco.minX && e.minY >= marco.minY && e.maxX <= marco.maxX && e.maxY <= marco.maxY;
}

bool solapan(const Extension& a, const Extension& b)
{
    return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

// The plan's lines, dots and labels by the cells of a grid over its box,
// so that each question looks only at what lies near, and stops at the
// first thing met: on a ring of thousands of vertices a millimetre apart,
// most places are refused after a look or two.
class Rejilla {
public:
    explicit Rejilla(const Extension& marco)
        : marco_(marco),
          columnas_(std::max(1, static_cast<int>(std::ceil((marco.maxX - marco.minX) / kCelda)))),
          filas_(std::max(1, static_cast<int>(std::ceil((marco.maxY - marco.minY) / kCelda)))),
          segmentosEn_(static_cast<std::size_t>(columnas_ * filas_)),
          cajasEn_(segmentosEn_.size()),
          verticesEn_(segmentosEn_.size())
    {
    }

    void anadeSegmento(Punto a, Punto b)
    {
        Extension e;
        e.anade(a);
        e.anade(b);
        segmentos_.push_back({a, b});
        alguna(e, [&](std::size_t c) { return segmentosEn_[c].push_back(segmentos_.size() - 1), false; });
    }

    void anadeCaja(const Extension& e)
    {
        cajas_.push_back(e);
        alguna(e, [&](std::size_t c) { return cajasEn_[c].push_back(cajas_.size() - 1), false; });
    }

    void anadeVertice(Punto p)
    {
        vertices_.push_back(p);
        alguna({p.x, p.y, p.x, p.y},
               [&](std::size_t c) { return verticesEn_[c].push_back(vertices_.size() - 1), false; });
    }

    // No line meets the box and no box taken overlaps it.
    bool libre(const Extension& e) const
    {
        const auto tomada = [&](std::size_t i) { return solapan(cajas_[i], e); };
        const auto linea = [&](std::size_t i) { return segmentoToca(segmentos_[i].first, segmentos_[i].second, e); };
        return !alguna(e, [&](std::size_t c) {
            return std::any_of(cajasEn_[c].begin(), cajasEn_[c].end(), tomada) ||
                   std::any_of(segmentosEn_[c].begin(), segmentosEn_[c].end(), linea);
        });
    }

    // Some vertex lies nearer `c` than `distancia`.
    bool hayVerticeA(Punto c, double distancia) const
    {
        return alguna({c.x - distancia, c.y - distancia, c.x + distancia, c.y + distancia}, [&](std::size_t celda) {
            return std::any_of(verticesEn_[celda].begin(), verticesEn_[celda].end(), [&](std::size_t i) {
                return std::hypot(vertices_[i].x - c.x, vertices_[i].y - c.y) < distancia;
            });
        });
    }

private:
    // Whether `f` holds for some cell the box reaches, asked cell by cell
    // until it does. What lies outside the grid is counted in its border
    // cells, so two boxes that meet always share a cell.
    template <class F>
    bool alguna(const Extension& e, F f) const
    {
        const auto indice = [](double v, double desde, int n) {
            const double k = std::floor((v - desde) / kCelda);
            if (!(k > 0)) return 0;  // a coordinate that is no number too
            return k >= n - 1 ? n - 1 : static_cast<int>(k);
        };
        const int x0 = indice(e.minX, marco_.minX, columnas_), x1 = indice(e.maxX, marco_.minX, columnas_);
        const int y0 = indice(e.minY, marco_.minY, filas_), y1 = indice(e.maxY, marco_.minY, filas_);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (f(static_cast<std::size_t>(y * columnas_ + x))) return true;
        return false;
    }

    Extension marco_;
    int columnas_, filas_;
    std::vector<std::pair<Punto, Punto>> segmentos_;
    std::vector<Extension> cajas_;
    std::vector<Punto> vertices_;
    std::vector<std::vector<std::size_t>> segmentosEn_, cajasEn_, verticesEn_;
};

// The unit direction away from the filled surface at vertex i: outside an
// outer ring, into a hole. `area` is the ring's doubled signed area. A ring
// without area has no sides; its numbers go away from `medio`, its
// vertices' mean.
Punto haciaFuera(const AnilloPlano& a, double area, Punto medio, std::size_t i)
{
    const std::vector<Punto>& p = a.puntos;
    const std::size_t n = p.size();
    const auto unidad = [](double x, double y) {
        const double l = std::hypot(x, y);
        return l > 1e-9 ? Punto{x / l, y / l} : Punto{};
    };
    if (!(std::abs(area) > 1e-9)) {
        const Punto d = unidad(p[i].x - medio.x, p[i].y - medio.y);
        return d.x == 0 && d.y == 0 ? Punto{1, 0} : d;
    }
    // With a positive area the surface lies left of each side, so (dy, -dx)
    // points out; a hole's numbers go the other way.
    const double signo = (area > 0 ? 1 : -1) * (a.interior ? -1 : 1);
    const auto normal = [&](Punto u, Punto v) { return unidad(signo * (v.y - u.y), -signo * (v.x - u.x)); };
    const Punto antes = p[(i + n - 1) % n], despues = p[(i + 1) % n];
    const Punto n1 = normal(antes, p[i]), n2 = normal(p[i], despues);
    Punto d = unidad(n1.x + n2.x, n1.y + n2.y);
    if (d.x == 0 && d.y == 0) d = unidad(p[i].x - antes.x, p[i].y - antes.y);  // a spike's tip: beyond it
    return d.x == 0 && d.y == 0 ? Punto{1, 0} : d;
}

struct Lado {
    int dx, dy;  // on the page: y grows downwards
};
// The four sides first, then the four corners: a line through the vertex
// at 45 degrees leaves no side free, but two corners.
constexpr std::array<Lado, 8> kLados{{{1, 0}, {0, -1}, {-1, 0}, {0, 1}, {1, -1}, {-1, -1}, {-1, 1}, {1, 1}}};

Extension cajaAlLado(Punto p, Lado l, double ancho, double alto)
{
    const double x = l.dx > 0 ? p.x + kSeparacion : l.dx < 0 ? p.x - kSeparacion - ancho : p.x - ancho / 2;
    const double y = l.dy > 0 ? p.y + kSeparacion : l.dy < 0 ? p.y - kSeparacion - alto : p.y - alto / 2;
    return {x, y, x + ancho, y + alto};
}

}  // namespace

bool segmentoToca(Punto a, Punto b, const Extension& c)
{
    if (std::max(a.x, b.x) < c.minX || std::min(a.x, b.x) > c.maxX || std::max(a.y, b.y) < c.minY ||
        std::min(a.y, b.y) > c.maxY)
        return false;
    // The boxes meet; the segment misses the box only when its line leaves
    // all four corners strictly on one side.
    const auto lado = [&](double x, double y) { return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x); };
    const double s[] = {lado(c.minX, c.minY), lado(c.maxX, c.minY), lado(c.maxX, c.maxY), lado(c.minX, c.maxY)};
    const bool todasPositivas = std::all_of(std::begin(s), std::end(s), [](double v) { return v > 0; });
    const bool todasNegativas = std::all_of(std::begin(s), std::end(s), [](double v) { return v < 0; });
    return !todasPositivas && !todasNegativas;
}

void numeraVertices(Plano& pl, const MedidaTexto& medida)
{
    const Extension marco = extension(pl.caja);
    Rejilla ocupado(marco);
    for (const AnilloPlano& a : pl.anillos)
        for (std::size_t i = 0; i < a.puntos.size(); ++i) {
            const Punto p = a.puntos[i];
            ocupado.anadeSegmento(p, a.puntos[(i + 1) % a.puntos.size()]);
            ocupado.anadeCaja({p.x - kRadioVertice, p.y - kRadioVertice, p.x + kRadioVertice, p.y + kRadioVertice});
            ocupado.anadeVertice(p);
        }
    for (const Caja& f : pl.figuras) ocupado.anadeCaja(extension(f));

    // In the table's order, so the lower numbers take the places first.
    const double alto = kPuntosNumero * kMmPorPunto * kAltoDigitos;
    pl.sinRotulo.clear();
    for (AnilloPlano& a : pl.anillos) {
        a.rotulos.assign(a.puntos.size(), std::nullopt);
        const double area = doubleSignedArea(a.puntos);
        Punto medio;
        for (Punto q : a.puntos) {
            medio.x += q.x / static_cast<double>(a.puntos.size());
            medio.y += q.y / static_cast<double>(a.puntos.size());
        }
        for (std::size_t i = 0; i < a.puntos.size(); ++i) {
            const int numero = a.primerNumero + static_cast<int>(i);
            const double ancho = medida.ancho(std::to_string(numero), kPuntosNumero);
            const Punto fuera = haciaFuera(a, area, medio, i);
            std::array<Lado, 8> lados = kLados;
            const auto preferencia = [&](Lado l) { return (l.dx * fuera.x + l.dy * fuera.y) / std::hypot(l.dx, l.dy); };
            std::stable_sort(lados.begin(), lados.end(),
                             [&](Lado l, Lado m) { return preferencia(l) > preferencia(m); });
            const Punto p = a.puntos[i];
            for (Lado l : lados) {
                const Extension c = cajaAlLado(p, l, ancho, alto);
                const Extension huella = crece(c, kHolgura);
                if (!dentro(huella, marco) || !ocupado.libre(huella)) continue;
                // Read as the number of the vertex nearest it: none nearer
                // than its own.
                const Punto centro{(c.minX + c.maxX) / 2, (c.minY + c.maxY) / 2};
                if (ocupado.hayVerticeA(centro, std::hypot(centro.x - p.x, centro.y - p.y))) continue;
                ocupado.anadeCaja(huella);
                a.rotulos[i] = caja(c);
                break;
            }
            if (!a.rotulos[i]) pl.sinRotulo.push_back(numero);
        }
    }
}

std::vector<RotuloPlano> rotulaFondo(const Plano& pl, const std::vector<ParcelaFondo>& fondo,
                                     const MedidaTexto& medida)
{
    compare::Ocupado ocupado;
    for (const Caja& f : pl.figuras) ocupado.reserva(extension(f));
    for (const AnilloPlano& a : pl.anillos)
        for (const auto& r : a.rotulos)
            if (r) ocupado.reserva(crece(extension(*r), kHolgura));
    const Extension marco = extension(pl.caja), vista = pl.visible();
    const double alto = kPuntosReferencia * kMmPorPunto;
    std::vector<RotuloPlano> out;
    for (const ParcelaFondo& f : fondo) {
        const auto centro = compare::centroVisible(f.anillo, vista);
        if (!centro) continue;
        const Punto c = pl.aPagina(*centro);
        std::string texto = compare::etiquetaDeReferencia(f.referencia);
        const double ancho = medida.ancho(texto, kPuntosReferencia);
        const Extension e{c.x - ancho / 2, c.y - alto / 2, c.x + ancho / 2, c.y + alto / 2};
        const Extension huella = crece(e, kHolgura);
        if (dentro(huella, marco) && ocupado.toma(huella)) out.push_back({std::move(texto), caja(e)});
    }
    return out;
}

}  // namespace vadrel::report
