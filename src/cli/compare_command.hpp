#pragma once
// vadrel-cli compare and parcel download: the new geometry against the
// cadastral map, and a parcel straight from the cadastre.

#include "cli/command.hpp"

namespace vadrel::cli {

extern const char* const kCompareUsage;
extern const char* const kParcelDownloadUsage;

int compare(const std::vector<std::string>& words, Context& ctx);
int parcelDownload(const std::vector<std::string>& words, Context& ctx);

}  // namespace vadrel::cli
