#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli parcel write: fills the parcel window as a person would and
// presses "Crear GML".
int parcelWrite(const std::vector<std::string>& words, Context& ctx);

extern const char* const kParcelWriteUsage;

}  // namespace vadrel::cli
