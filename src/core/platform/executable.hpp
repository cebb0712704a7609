#pragma once
// Where the running program's file is.

#include <filesystem>
#include <string>
#include <vector>

namespace vadrel::platform {

// The running executable's full path; empty when the system does not say.
std::filesystem::path runningExecutable();

// The program's arguments after its name, in UTF-8: on Windows `argv` is in
// the ANSI code page, which loses a name such as "Núñez", so they are taken
// from the wide command line there.
std::vector<std::string> commandArguments(int argc, char** argv);

}  // namespace vadrel::platform
