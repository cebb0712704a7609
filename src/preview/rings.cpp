#include "preview/rings.hpp"

#include <algorithm>
#include <climits>

#include "core/numeric_text.hpp"
#include "preview/scaling.hpp"

namespace vadrel {

std::uint32_t colorAnillo(std::size_t n) { return static_cast<std::uint32_t>((n * 34986u) & 0xFFFFFFu); }

AnillosDibujados dibujaAnillos(Canvas& canvas, const Anillos& anillos, const NumberFormat& fmt)
{
    const std::size_t total = std::min(anillos.x.size(), anillos.y.size());
    std::vector<std::pair<double, double>> xy(total);
    Escala escala;
    for (std::size_t i = 0; i < total; ++i) {
        xy[i] = {MiStrToFloat(*anillos.x[i], fmt), MiStrToFloat(*anillos.y[i], fmt)};
        escala.anade(xy[i].first, xy[i].second);
    }

    AnillosDibujados out;
    canvas.clear();
    canvas.penWidth(1);
    canvas.penColor(0);
    if (!escala.valida()) return out;
    out.dibujados = true;
    out.pixel.resize(total);
    std::size_t color = 0;
    for (std::size_t a = 0; a < anillos.inicio.size(); ++a) {
        const std::size_t desde = anillos.inicio[a];
        const std::size_t hasta = std::min(a + 1 < anillos.inicio.size() ? anillos.inicio[a + 1] : total, total);
        if (desde >= hasta) {  // a ring without vertices takes no colour
            out.centro.emplace_back(0, 0);
            continue;
        }
        int minPX = INT_MAX, minPY = INT_MAX, maxPX = INT_MIN, maxPY = INT_MIN;
        canvas.penColor(colorAnillo(++color));
        for (std::size_t i = desde; i < hasta; ++i) {
            const auto [px, py] = escala.pixel(xy[i].first, xy[i].second);
            out.pixel[i] = {px, py};
            minPX = std::min(minPX, px);
            minPY = std::min(minPY, py);
            maxPX = std::max(maxPX, px);
            maxPY = std::max(maxPY, py);
            if (i == desde)
                canvas.moveTo(px, py);
            else
                canvas.lineTo(px, py);
        }
        out.centro.emplace_back(redondeaPar((static_cast<double>(maxPX) + minPX) / 2),
                                redondeaPar((static_cast<double>(maxPY) + minPY) / 2));
    }
    return out;
}

}  // namespace vadrel
