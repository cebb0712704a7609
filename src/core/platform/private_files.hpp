#pragma once
// Files that only the running user may have put somewhere: the schema
// cache reads back nothing that another user of the computer could have
// planted or changed.

#include <filesystem>

namespace vadrel::platform {

// `path` is someone else's, or others may write it. Missing is not.
bool othersMayChange(const std::filesystem::path& path);

// Makes the folder `folder` (its parent already there) for the running user
// alone; a failure shows in the write that follows.
void makePrivateFolder(const std::filesystem::path& folder);

}  // namespace vadrel::platform
