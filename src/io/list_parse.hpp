#pragma once
// The vertices in the text that AutoCAD's LIST command prints: every line
// with "X=" gives one point.

#include <string>
#include <vector>

#include "core/coord_list.hpp"

namespace vadrel {

// Appends, for each vertex line, the text after its first "X=" and the text
// after its first "Y=" (each up to the next blank; blanks right after "="
// skipped, as AutoCAD right-aligns short values). A line without "Y=" gives
// an empty Y. A vertex line has nothing before "X=" but a phrase of letters
// and blanks ("at point", "al punto"); other entities' points ("from point,",
// "Location:"), an arc's centre and a hatch's origin are skipped. Returns
// how many polylines the text holds: its polyline header lines, or its runs
// of vertex lines separated by blank lines, whichever is more.
std::size_t leeList(const std::vector<std::string>& lines, CoordList& MX, CoordList& MY);

}  // namespace vadrel
