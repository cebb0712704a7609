#pragma once
// vadrel-cli shift: the cadastral map's shift and turn from common points,
// and, when asked, a coordinates file moved onto the map by the rigid fit.

#include "cli/command.hpp"

namespace vadrel::cli {

extern const char* const kShiftUsage;

int shift(const std::vector<std::string>& words, Context& ctx);

}  // namespace vadrel::cli
