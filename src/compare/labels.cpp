#include "compare/labels.hpp"

#include <algorithm>
#include <cmath>

namespace vadrel::compare {

namespace {

bool digitos(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string sinCeros(std::string_view s)
{
    const std::size_t i = std::min(s.find_first_not_of('0'), s.size() - 1);
    return std::string(s.substr(i));
}

// One side of a Sutherland-Hodgman clip: what lies where `dentro` holds.
template <class Dentro, class Corte>
std::vector<Punto> recorta(const std::vector<Punto>& p, Dentro dentro, Corte corte)
{
    std::vector<Punto> out;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Punto a = p[i], b = p[(i + 1) % p.size()];
        if (dentro(a)) out.push_back(a);
        if (dentro(a) != dentro(b)) out.push_back(corte(a, b));
    }
    return out;
}

}  // namespace

std::string etiquetaDeReferencia(std::string_view r)
{
    const bool letra = r.size() == 14 && ((r[5] >= 'A' && r[5] <= 'Z') || (r[5] >= 'a' && r[5] <= 'z'));
    if (letra && digitos(r.substr(0, 5)) && digitos(r.substr(6, 3)) && digitos(r.substr(9, 5)))
        return sinCeros(r.substr(6, 3)) + "/" + sinCeros(r.substr(9, 5));
    if (r.size() >= 14 && digitos(r.substr(0, 7))) return std::string(r.substr(0, 7));
    return std::string(r);
}

std::optional<Punto> centroVisible(const std::vector<Punto>& anillo, const Extension& v)
{
    std::vector<Punto> p = anillo;
    if (p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y) p.pop_back();
    const auto enX = [](double x) {
        return [x](Punto a, Punto b) { return Punto{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; };
    };
    const auto enY = [](double y) {
        return [y](Punto a, Punto b) { return Punto{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; };
    };
    p = recorta(p, [&](Punto q) { return q.x >= v.minX; }, enX(v.minX));
    p = recorta(p, [&](Punto q) { return q.x <= v.maxX; }, enX(v.maxX));
    p = recorta(p, [&](Punto q) { return q.y >= v.minY; }, enY(v.minY));
    p = recorta(p, [&](Punto q) { return q.y <= v.maxY; }, enY(v.maxY));
    if (p.size() < 3) return std::nullopt;
    // Centred on the part's first vertex: the centroid of UTM coordinates
    // in millions of metres keeps its centimetres.
    const Punto o = p.front();
    double dos = 0, cx = 0, cy = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Punto a{p[i].x - o.x, p[i].y - o.y};
        const Punto b{p[(i + 1) % p.size()].x - o.x, p[(i + 1) % p.size()].y - o.y};
        const double c = a.x * b.y - b.x * a.y;
        dos += c;
        cx += (a.x + b.x) * c;
        cy += (a.y + b.y) * c;
    }
    if (!(std::abs(dos) > 0)) return std::nullopt;
    return Punto{o.x + cx / (3 * dos), o.y + cy / (3 * dos)};
}

bool Ocupado::libre(const Extension& caja) const
{
    return std::none_of(cajas_.begin(), cajas_.end(), [&](const Extension& c) {
        return caja.minX < c.maxX && c.minX < caja.maxX && caja.minY < c.maxY && c.minY < caja.maxY;
    });
}

bool Ocupado::toma(const Extension& caja)
{
    if (!libre(caja)) return false;
    cajas_.push_back(caja);
    return true;
}

}  // namespace vadrel::compare
