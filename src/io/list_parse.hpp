#pragma once
// The vertices in the text that AutoCAD's LIST command prints: every line
// with "X=" gives one point.

#include <string>
#include <vector>

#include "core/coord_list.hpp"
#include "io/arc_lists.hpp"

namespace vadrel {

// Appends, for each vertex line, the text after its first "X=" and the text
// after its first "Y=" (each up to the next blank; blanks right after "="
// skipped, as AutoCAD right-aligns short values). A line without "Y=" gives
// an empty Y. A vertex line has nothing before "X=" but a phrase of letters
// and blanks ("at point", "al punto"); other entities' points ("from point,",
// "Location:"), an arc's centre and a hatch's origin are skipped. Returns
// how many polylines the text holds: its polyline header lines, or its runs
// of vertex lines separated by blank lines, whichever is more.
// With a flecha above 0, each polyline's arcs (a "bulge" line after the
// vertex its segment leaves; the closing segment's in a "Closed" one; the
// centre and angles that follow are no vertex) are replaced by chords as
// sustituyeArcos does, and told in `arcos`.
std::size_t leeList(const std::vector<std::string>& lines, CoordList& MX, CoordList& MY, double flecha = 0,
                    ResumenArcos* arcos = nullptr);

}  // namespace vadrel
