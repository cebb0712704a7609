#include "core/platform/user_folders.hpp"

#include <cstdlib>

namespace vadrel::platform {

namespace {

// The wide variable: the narrow one is in the ANSI code page and loses a
// user name such as "José" on some systems.
std::filesystem::path folderOf(const wchar_t* variable)
{
    const wchar_t* value = ::_wgetenv(variable);
    if (!value || !*value) return {};
    std::filesystem::path folder(value);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

}  // namespace

std::filesystem::path userHomeFolder() { return folderOf(L"USERPROFILE"); }

std::filesystem::path userCacheFolder() { return folderOf(L"LOCALAPPDATA"); }

std::filesystem::path userConfigFolder() { return folderOf(L"APPDATA"); }

}  // namespace vadrel::platform
