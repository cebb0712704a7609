#include "core/platform/local_time.hpp"

namespace vadrel::platform {

std::tm localTime(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

}  // namespace vadrel::platform
