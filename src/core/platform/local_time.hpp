#pragma once
// The calendar in the computer's own time zone.

#include <ctime>

namespace vadrel::platform {

// The moment `when` as the computer's clock shows it.
std::tm localTime(std::time_t when);

}  // namespace vadrel::platform
