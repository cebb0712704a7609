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

// Standard output and error carry the same bytes on every system: UTF-8
// with "\n" line ends (on Windows the streams are otherwise in text mode,
// adding "\r", and a console shows UTF-8 only when told so).
void useUtf8StandardStreams();

}  // namespace vadrel::platform
