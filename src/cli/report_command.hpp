#pragma once
// vadrel-cli report and building report: the client's PDF document.

#include <string>
#include <vector>

#include "cli/command.hpp"

namespace vadrel::cli {

extern const char* const kReportUsage;
extern const char* const kBuildingReportUsage;

int report(const std::vector<std::string>& words, Context& ctx);
int buildingReport(const std::vector<std::string>& words, Context& ctx);

}  // namespace vadrel::cli
