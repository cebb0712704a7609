#include "core/geometry.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "core/ui.hpp"

namespace vadrel {

namespace {

// Vertices relative to the first one. UTM products reach 1e13, where a
// double keeps only millimetres: summed raw, the area loses its fourth
// decimal and the centroid drifts by metres. Shifted, the differences are
// exact and the sums keep their precision; the results are the same
// mathematically, since area and moments do not depend on the origin. The
// shift is made as each vertex is read, so a large ring is not copied.
class Ring {
public:
    explicit Ring(const std::vector<Punto>& v) : v_(v), origin_(v.empty() ? Punto{} : v[0]) {}
    std::size_t size() const { return v_.size(); }
    Punto operator[](std::size_t i) const { return {v_[i].x - origin_.x, v_[i].y - origin_.y}; }
    // The next vertex, the first after the last.
    Punto next(std::size_t i) const { return (*this)[i + 1 < v_.size() ? i + 1 : 0]; }
    const Punto& origin() const { return origin_; }

private:
    const std::vector<Punto>& v_;
    Punto origin_;
};

// Twice the signed area: positive for counter-clockwise rings.
double doubleSignedArea(const Ring& v)
{
    double a = 0, b = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Punto p = v[i], q = v.next(i);
        a += p.x * q.y;
        b += q.x * p.y;
    }
    return a - b;
}

}  // namespace

double doubleSignedArea(const std::vector<Punto>& puntos) { return doubleSignedArea(Ring(puntos)); }

void Extension::anade(Punto p)
{
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

void Extension::anade(const std::vector<Punto>& puntos)
{
    for (Punto p : puntos) anade(p);
}

bool Extension::alcanza(const Extension& otra, double margen) const
{
    return minX - margen <= otra.maxX && maxX + margen >= otra.minX && minY - margen <= otra.maxY &&
           maxY + margen >= otra.minY;
}

std::vector<Punto> puntosDe(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    // Callers check the counts; the shorter list bounds the ring all the
    // same, so a mismatch can never read past a list.
    const std::size_t n = std::min(MX.size(), MY.size());
    std::vector<Punto> puntos;
    puntos.reserve(n);
    for (std::size_t i = 0; i < n; ++i) puntos.push_back({MiStrToFloat(MX[i], fmt), MiStrToFloat(MY[i], fmt)});
    return puntos;
}

double CalculaArea(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    const std::vector<Punto> puntos = puntosDe(MX, MY, fmt);
    return std::fabs(doubleSignedArea(Ring(puntos))) / 2;
}

Punto CalculaCentroide(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    return CalculaCentroide(puntosDe(MX, MY, fmt));
}

Punto CalculaCentroide(const std::vector<Punto>& puntos)
{
    const Ring v(puntos);
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Punto p = v[i], q = v.next(i);
        double c = p.x * q.y - q.x * p.y;
        sx += (p.x + q.x) * c;
        sy += (p.y + q.y) * c;
    }
    const double area2 = doubleSignedArea(v);
    if (area2 == 0) {
        // 0/0 is an invalid operation; anything else over 0 divides by zero.
        throw Failure(std::string(sx == 0 ? kInvalidFloatOperation : kFloatDivisionByZero));
    }
    // Dividing by the signed area undoes the orientation; the absolute
    // values are the centroid for either orientation of positive coordinates.
    return {std::fabs(v.origin().x + sx / (3 * area2)), std::fabs(v.origin().y + sy / (3 * area2))};
}

std::optional<std::string> textoSuperficie(CoordList& MX, CoordList& MY, const NumberFormat& fmt, Ui& ui)
{
    limpiaCoordenadas(MX, MY);
    if (MX.size() < 3 || MY.size() < 3) {
        ui.message(msg::kPocasCoordenadas);
        return std::nullopt;
    }
    if (MX.size() != MY.size()) {
        ui.message(msg::kDistintasCoordenadas);
        return std::nullopt;
    }
    return redondeaCadena(formatGeneral(CalculaArea(MX, MY, fmt), fmt.decimalSeparator), 4);
}

}  // namespace vadrel
