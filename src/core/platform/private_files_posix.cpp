#include "core/platform/private_files.hpp"

#include <sys/stat.h>
#include <unistd.h>

namespace vadrel::platform {

bool othersMayChange(const std::filesystem::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return st.st_uid != ::geteuid() || (st.st_mode & S_IWOTH) != 0;
}

void makePrivateFolder(const std::filesystem::path& folder) { ::mkdir(folder.c_str(), 0700); }

}  // namespace vadrel::platform
