#pragma once
// The pairs' text file: one pair a line, "N;Xm;Ym;Xc;Yc", the decimals with
// "." or ",".

#include <string>
#include <string_view>
#include <vector>

#include "georef/common_points.hpp"

namespace vadrel::georef {

// A coordinate as a field holds it: "." or "," as the decimal separator,
// blanks around; false for no number or one beyond any projected
// coordinate.
bool coordinateOf(std::string_view field, double& value);

// The pairs of the text; blank lines are skipped. Throws Failure ("Error.
// La línea 3 no es N;Xm;Ym;Xc;Yc.") at the first line that is not a pair.
std::vector<Pair> readPairs(std::string_view text);

// The pairs as readPairs reads them, CR LF after each, in millimetres.
std::string pairsText(const std::vector<Pair>& pairs);

}  // namespace vadrel::georef
