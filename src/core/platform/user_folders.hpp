#pragma once
// The person's own folders that the system names.

#include <filesystem>

namespace vadrel::platform {

// The person's home folder (HOME on Linux, %USERPROFILE% on Windows).
// Empty when the system names none.
std::filesystem::path userHomeFolder();

// Where the person's programs keep what they can fetch again (on Linux
// XDG_CACHE_HOME or ~/.cache, on Windows %LOCALAPPDATA%). Empty when the
// system names none: never a shared folder such as /tmp in its place.
std::filesystem::path userCacheFolder();

// Where the person's programs keep their settings (on Linux XDG_CONFIG_HOME
// or ~/.config, on Windows %APPDATA%). Empty when the system names none.
std::filesystem::path userConfigFolder();

}  // namespace vadrel::platform
