#include "core/platform/local_time.hpp"

#include <time.h>

namespace vadrel::platform {

// localtime_s's arguments in the C runtime's order, not C11's.
std::tm localTime(std::time_t when)
{
    std::tm local{};
    localtime_s(&local, &when);
    return local;
}

}  // namespace vadrel::platform
