#pragma once
// The operating system's errors: the one a call just left, and its reason
// in Spanish for the person's messages. errno on POSIX; on Windows also
// GetLastError()'s codes, which are another numbering altogether.

#include <string>
#include <system_error>

namespace vadrel {

// The reason for errno `err`.
std::string systemReason(int err);

// The reason for an error of either numbering: errno (the generic category)
// or, on Windows, a GetLastError() code (the system category).
std::string systemReason(const std::error_code& error);

namespace platform {

// The error of the system call that has just failed.
std::error_code lastError();

// The file, or a folder on its way, does not exist.
bool isMissing(const std::error_code& error);

}  // namespace platform

}  // namespace vadrel
