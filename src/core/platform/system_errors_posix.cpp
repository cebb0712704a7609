#include "core/platform/system_errors.hpp"

#include <cerrno>
#include <cstring>

namespace vadrel {

// Both categories carry errno values here.
std::string systemReason(const std::error_code& error) { return systemReason(error.value()); }

namespace platform {

std::error_code lastError() { return {errno, std::generic_category()}; }

bool isMissing(const std::error_code& error) { return error.value() == ENOENT; }

}  // namespace platform

}  // namespace vadrel
