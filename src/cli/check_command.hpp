#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli check: every problem of one or more GML files, one per line.
int check(const std::vector<std::string>& words, Context& ctx);

extern const char* const kCheckUsage;

}  // namespace vadrel::cli
