#pragma once
// What every subcommand of the batch command shares.

#include <iosfwd>
#include <string>
#include <vector>

#include "core/environment.hpp"

namespace vadrel::cli {

// Exit statuses of the batch command.
inline constexpr int kWritten = 0;     // the operation produced its file
inline constexpr int kEndedOnMessage = 1;
inline constexpr int kBadUsage = 2;

struct Context {
    std::ostream& out;  // data
    std::ostream& err;  // the program's messages, verbatim
    Entorno entorno;    // start-up directory, batch number format, data folder
};

struct Command {
    const char* group;  // "parcel"
    const char* verb;   // "write"
    const char* usage;  // Spanish, for the usage text
    int (*run)(const std::vector<std::string>& words, Context& ctx);
};

}  // namespace vadrel::cli
