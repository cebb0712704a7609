#include "preview/scaling.hpp"

#include <cmath>
#include <limits>

#include "preview/canvas.hpp"

namespace vadrel {

namespace {

constexpr double kD = kLadoDibujo - 40;  // 350: the longer side in pixels

}  // namespace

double redondeoPar(double v)
{
    double f = std::floor(v);
    const double d = v - f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0)) f += 1.0;
    return f;
}

int redondeaPar(double v)
{
    if (std::isnan(v)) return 0;
    constexpr double lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    if (v <= lo) return std::numeric_limits<int>::min();
    if (v >= hi) return std::numeric_limits<int>::max();
    return static_cast<int>(redondeoPar(v));
}

int enteroDeTexto(const std::string& text)
{
    int v = 0;
    for (char c : text)
        if (c >= '0' && c <= '9') v = v * 10 + (c - '0');
    return text.rfind('-', 0) == 0 ? -v : v;
}

void Escala::anade(double x, double y)
{
    if (x > maxX_) maxX_ = x;
    if (y > maxY_) maxY_ = y;
    if (x < minX_) minX_ = x;
    if (y < minY_) minY_ = y;
}

double Escala::lado() const
{
    const double dx = maxX_ - minX_, dy = maxY_ - minY_;
    return dx < dy ? dy : dx;
}

bool Escala::valida() const
{
    const double r = lado();
    return std::isfinite(r) && r > 0 && minX_ <= maxX_ && minY_ <= maxY_;
}

double Escala::hx() const { return ((maxX_ + minX_) / 2 - minX_) * kD / lado(); }
double Escala::hy() const { return ((maxY_ + minY_) / 2 - minY_) * kD / lado(); }

// The fixed 350, 175 and 20 place the box's centre on pixel (195, 195).
int Escala::offX() const { return 175 - (redondeaPar(hx()) - 20); }
int Escala::offY() const { return 175 - (350 - redondeaPar(hy()) - 20); }

std::pair<int, int> Escala::pixel(double x, double y) const
{
    return {redondeaPar((x - minX_) * kD / lado()) + offX(), redondeaPar(350 - (y - minY_) * kD / lado()) + offY()};
}

std::pair<int, int> Escala::centro() const
{
    return {redondeaPar(offX() + hx()), redondeaPar(offY() + 350 - hy())};
}

}  // namespace vadrel
