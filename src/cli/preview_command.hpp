#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli preview: the one-polygon or the multi-file preview drawn and
// saved as a PNG picture.
int preview(const std::vector<std::string>& words, Context& ctx);

extern const char* const kPreviewUsage;

}  // namespace vadrel::cli
