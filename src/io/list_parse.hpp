#pragma once
// The vertices in the text that AutoCAD's LIST command prints: every line
// with "X=" gives one point.

#include <string>
#include <vector>

#include "core/coord_list.hpp"

namespace vadrel {

// Appends, for each line holding "X=", the text after its first "X=" and
// the text after its first "Y=" (each up to the next blank; blanks right
// after "=" skipped, as AutoCAD right-aligns short values). A line without
// "Y=" gives an empty Y. An arc's centre line is no vertex and is skipped.
void leeList(const std::vector<std::string>& lines, CoordList& MX, CoordList& MY);

}  // namespace vadrel
