#include "core/platform/user_folders.hpp"

#include <cstdlib>

namespace vadrel::platform {

std::filesystem::path userCacheFolder()
{
    // The wide variable: the narrow one is in the ANSI code page and loses
    // a user name such as "José" on some systems.
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    if (!local || !*local) return {};
    std::filesystem::path folder(local);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

}  // namespace vadrel::platform
