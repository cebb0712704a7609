#include "georef/shift_text.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/number_format.hpp"

namespace vadrel::georef {

std::string fixed(double v, int decimals)
{
    if (!std::isfinite(v)) return "?";
    return formatFixed(v, decimals, '.');
}

namespace {

std::string residualsLine(const char* fit, const std::vector<Pair>& pairs, const std::vector<double>& residuals,
                          double rms, const auto& fixed)
{
    std::string line = std::string(fit) + ", residuos: ";
    for (std::size_t i = 0; i < pairs.size(); ++i)
        line += (i ? ", " : "") + pairs[i].name + ": " + fixed(residuals[i], 3) + " m";
    return line + "; emc " + fixed(rms, 3) + " m";
}

}  // namespace

std::vector<std::string> shiftLines(const std::vector<Pair>& pairs, const Fit& fit, char decimal)
{
    const auto fixed = [decimal](double v, int decimals) {
        std::string text = georef::fixed(v, decimals);
        std::replace(text.begin(), text.end(), '.', decimal);
        return text;
    };
    std::vector<std::string> lines;
    lines.push_back("puntos comunes: " + std::to_string(pairs.size()));
    const Affine& a = fit.affine;
    lines.push_back("afín: AX=" + fixed(a.ax, 10) + " BX=" + fixed(a.bx, 10) + " CX=" + fixed(a.cx, 3) +
                    " AY=" + fixed(a.ay, 10) + " BY=" + fixed(a.by, 10) + " CY=" + fixed(a.cy, 3));
    lines.push_back(residualsLine("afín", pairs, fit.affineResiduals, fit.affineRms, fixed));
    // The shift where the measured points are: their centroid goes to the
    // map's. The azimuth from north, clockwise, as a surveyor reads it.
    const double dx = fit.rigid.to.x - fit.rigid.from.x, dy = fit.rigid.to.y - fit.rigid.from.y;
    double azimuth = std::atan2(dx, dy) * 180 / std::numbers::pi;
    if (azimuth < 0) azimuth += 360;
    if (georef::fixed(azimuth, 4) == "360.0000") azimuth = 0;
    lines.push_back("desplazamiento: " + fixed(std::hypot(dx, dy), 3) + " m, acimut " + fixed(azimuth, 4) +
                    "° (en el centro de los puntos medidos)");
    const double degrees = fit.rigid.turn * 180 / std::numbers::pi;
    lines.push_back("giro: " + fixed(degrees, 4) + "° (" + fixed(degrees * 400 / 360, 4) + " g)");
    lines.push_back("escala: " + fixed(fit.similarity.scale, 7) + " (" + fixed((fit.similarity.scale - 1) * 1e6, 1) +
                    " ppm)");
    lines.push_back(residualsLine("rígido", pairs, fit.rigidResiduals, fit.rigidRms, fixed));
    return lines;
}

}  // namespace vadrel::georef
