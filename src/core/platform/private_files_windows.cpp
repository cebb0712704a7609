// Windows has no owner-and-mode test to copy. The cache sits in the
// person's own profile (under %LOCALAPPDATA%), whose permissions already
// keep other users out and which every new folder inherits. An owner test
// would also refuse the person's own files: those made from a program run
// as administrator belong to the Administrators group, not to the user.
// So the folder's permissions are trusted, as Windows means them to be.

#include "core/platform/private_files.hpp"

#include <windows.h>

namespace vadrel::platform {

bool othersMayChange(const std::filesystem::path&) { return false; }

void makePrivateFolder(const std::filesystem::path& folder) { ::CreateDirectoryW(folder.c_str(), nullptr); }

}  // namespace vadrel::platform
