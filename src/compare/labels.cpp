#include "compare/labels.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

// The area centroid; nothing for a part without area. Centred on the first
// vertex: the centroid of UTM coordinates in millions of metres keeps its
// centimetres.
std::optional<Punto> centroid(const std::vector<Punto>& p)
{
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

// Where the horizontal line at `y` crosses the outline, left to right. An
// edge counts from its lower end up to, not including, its upper one, so a
// vertex on the line is crossed once and a level edge never.
std::vector<double> crossings(const std::vector<Punto>& p, double y)
{
    std::vector<double> xs;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const Punto a = p[i], b = p[(i + 1) % p.size()];
        if ((a.y > y) != (b.y > y)) xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

// Even-odd: inside when an odd number of crossings lie to the left.
bool inside(const std::vector<Punto>& p, Punto q)
{
    const std::vector<double> xs = crossings(p, q.y);
    return std::count_if(xs.begin(), xs.end(), [&](double x) { return x < q.x; }) % 2 == 1;
}

// The middle of the widest stretch of the part along the line at `y`, and
// its width.
std::pair<std::optional<Punto>, double> widestAlong(const std::vector<Punto>& p, double y)
{
    const std::vector<double> xs = crossings(p, y);
    std::optional<Punto> best;
    double widest = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
        if (xs[i + 1] - xs[i] > widest) {
            widest = xs[i + 1] - xs[i];
            best = Punto{(xs[i] + xs[i + 1]) / 2, y};
        }
    return {best, widest};
}

// The middle of the widest stretch of the part along the level or the
// upright line through `c`. Both are tried: pieces one above the other,
// joined by the clip along a side of the view, can leave the level line
// nothing but that join.
std::optional<Punto> widestThrough(const std::vector<Punto>& p, Punto c)
{
    std::vector<Punto> turned;
    for (const Punto& q : p) turned.push_back({q.y, q.x});
    const auto [across, acrossWidth] = widestAlong(p, c.y);
    const auto [up, upWidth] = widestAlong(turned, c.x);
    if (upWidth > acrossWidth) return Punto{up->y, up->x};
    return across;
}

}  // namespace

std::string etiquetaDeReferencia(std::string_view r)
{
    // A rural reference may come with its 6 characters of building and
    // check letters: the parcel is in the first 14 all the same.
    const bool letra = r.size() >= 14 && ((r[5] >= 'A' && r[5] <= 'Z') || (r[5] >= 'a' && r[5] <= 'z'));
    if (letra && digitos(r.substr(0, 5)) && digitos(r.substr(6, 3)) && digitos(r.substr(9, 5)))
        return sinCeros(r.substr(6, 3)) + "/" + sinCeros(r.substr(9, 5));
    if (r.size() >= 14 && digitos(r.substr(0, 7))) return std::string(r.substr(0, 7));
    return std::string(r);
}

std::vector<Punto> visiblePart(const std::vector<Punto>& ring, const Extension& v)
{
    std::vector<Punto> p = ring;
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
    return p;
}

std::optional<Punto> centroVisible(const std::vector<Punto>& anillo, const Extension& v)
{
    const std::vector<Punto> p = visiblePart(anillo, v);
    if (p.size() < 3) return std::nullopt;
    const std::optional<Punto> c = centroid(p);
    if (!c || !std::isfinite(c->x) || !std::isfinite(c->y)) return std::nullopt;
    if (inside(p, *c)) return c;
    return widestThrough(p, *c).value_or(*c);
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

std::vector<LabelCandidate> placeLabels(std::vector<LabelCandidate> candidates, Punto centre, Ocupado& taken)
{
    // From the centre; a box that is empty or out of any picture (no
    // number) infinitely far, so that the sort keeps a strict order.
    const auto distance = [&](const LabelCandidate& c) {
        const double d = std::hypot((c.box.minX + c.box.maxX) / 2 - centre.x, (c.box.minY + c.box.maxY) / 2 - centre.y);
        return c.box.vacia() || !std::isfinite(d) ? std::numeric_limits<double>::infinity() : d;
    };
    std::stable_sort(candidates.begin(), candidates.end(), [&](const LabelCandidate& a, const LabelCandidate& b) {
        if (a.first != b.first) return a.first;
        return distance(a) < distance(b);
    });
    std::vector<LabelCandidate> placed;
    for (LabelCandidate& c : candidates)
        if (std::isfinite(distance(c)) && taken.toma(c.box)) placed.push_back(std::move(c));
    return placed;
}

}  // namespace vadrel::compare
