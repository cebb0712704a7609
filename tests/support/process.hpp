#pragma once
// Runs a command line in a folder and collects what it printed.

#include <filesystem>
#include <string>
#include <vector>

namespace vadrel::test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

RunResult run(const std::vector<std::string>& argv, const std::filesystem::path& cwd,
              const std::vector<std::string>& env = {});

bool haveProgram(const std::string& name);

}  // namespace vadrel::test
