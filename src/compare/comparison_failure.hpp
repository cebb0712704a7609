#pragma once
// A comparison that cannot be computed ends with a message, never with a
// figure that is wrong, no number ("nan", "inf") or too large to write.

#include <cmath>
#include <string>

#include "compare/comparison.hpp"
#include "core/failure.hpp"

namespace vadrel::compare {

inline constexpr const char* kFailedOperation = "una operación geométrica ha fallado con estas coordenadas.";
inline constexpr const char* kNoMemory = "no hay memoria bastante para estas geometrías.";

[[noreturn]] inline void cannotCompare(const std::string& reason) { throw Failure(kNoComparison + reason); }

// `what`: the figure as the report names it, with its article. A figure
// too large for its line ("?") is no better than one that is no number.
inline double finite(double figure, const char* what)
{
    if (!std::isfinite(figure))
        cannotCompare(std::string(what) + " no es un número finito; revise las coordenadas.");
    if (twoDecimals(figure) == "?")
        cannotCompare(std::string(what) + " es demasiado grande para escribirla; revise las coordenadas.");
    return figure;
}

}  // namespace vadrel::compare
