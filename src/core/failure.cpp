#include "core/failure.hpp"

namespace vadrel {

std::string formatMessage(std::string_view pattern, std::string_view arg)
{
    std::string out(pattern);
    if (auto pos = out.find("%s"); pos != std::string::npos)
        out.replace(pos, 2, arg);
    return out;
}

}  // namespace vadrel
