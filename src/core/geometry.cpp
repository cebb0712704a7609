#include "core/geometry.hpp"

#include <algorithm>
#include <cmath>

#include "core/failure.hpp"
#include "core/numeric_text.hpp"

namespace vadrel {

namespace {

// Callers check the counts; the shorter list bounds the ring all the same,
// so a mismatch can never read past a list.
std::size_t vertexCount(const CoordList& MX, const CoordList& MY) { return std::min(MX.size(), MY.size()); }

}  // namespace

double CalculaArea(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    const std::size_t n = vertexCount(MX, MY);
    double a = 0, b = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t j = i + 1 < n ? i + 1 : 0;
        a += MiStrToFloat(MX[i], fmt) * MiStrToFloat(MY[j], fmt);
        b += MiStrToFloat(MX[j], fmt) * MiStrToFloat(MY[i], fmt);
    }
    return a >= b ? (a - b) / 2 : (b - a) / 2;
}

Punto CalculaCentroide(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    const std::size_t n = vertexCount(MX, MY);
    double sx = 0, sy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t j = i + 1 < n ? i + 1 : 0;
        double xi = MiStrToFloat(MX[i], fmt), yi = MiStrToFloat(MY[i], fmt);
        double xj = MiStrToFloat(MX[j], fmt), yj = MiStrToFloat(MY[j], fmt);
        double c = xi * yj - xj * yi;
        sx += (xi + xj) * c;
        sy += (yi + yj) * c;
    }
    double area = CalculaArea(MX, MY, fmt);
    if (area == 0) {
        // 0/0 is an invalid operation; anything else over 0 divides by zero.
        throw Failure(std::string(sx == 0 ? kInvalidFloatOperation : kFloatDivisionByZero));
    }
    return {std::fabs(sx / (6 * area)), std::fabs(sy / (6 * area))};
}

}  // namespace vadrel
