#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli map: the parcel's web-map page for a coordinate file.
int map(const std::vector<std::string>& words, Context& ctx);

extern const char* const kMapUsage;

}  // namespace vadrel::cli
