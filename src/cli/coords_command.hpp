#pragma once
// vadrel-cli coords convert: a coordinates file converted to another UTM
// zone, as "Cambiar huso" converts the parcel window's lists.

#include "cli/command.hpp"

namespace vadrel::cli {

extern const char* const kCoordsConvertUsage;

int coordsConvert(const std::vector<std::string>& words, Context& ctx);

}  // namespace vadrel::cli
