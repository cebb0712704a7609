#include "core/platform/executable.hpp"

#include <windows.h>

#include <string>

namespace vadrel::platform {

std::filesystem::path runningExecutable()
{
    // The call cuts a name that does not fit without saying how long it
    // is: the buffer grows until the name fits with room to spare.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name);
        }
        if (name.size() >= 32768) return {};  // past the longest path Windows has
        name.resize(name.size() * 2);
    }
}

}  // namespace vadrel::platform
