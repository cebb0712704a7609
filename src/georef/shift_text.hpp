#pragma once
// The fit's lines, in the order and the words the person reads them, "."
// as the decimal separator as in the comparison's lines.

#include <string>
#include <vector>

#include "georef/common_points.hpp"

namespace vadrel::georef {

// "puntos comunes: 4", "afín: AX=...", its residuals, "desplazamiento: ...",
// "giro: ...", "escala: ...", the rigid fit's residuals; the client's
// report asks for "," as the decimal separator.
std::vector<std::string> shiftLines(const std::vector<Pair>& pairs, const Fit& fit, char decimal = '.');

// `v` with `decimals` decimals, whatever the locale; never "-0.000".
std::string fixed(double v, int decimals);

}  // namespace vadrel::georef
