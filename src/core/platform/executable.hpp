#pragma once
// Where the running program's file is.

#include <filesystem>

namespace vadrel::platform {

// The running executable's full path; empty when the system does not say.
std::filesystem::path runningExecutable();

}  // namespace vadrel::platform
