#pragma once
// Whole-file reads and writes. Writes never leave a truncated file behind:
// the bytes go to a temporary name in the same folder, which then replaces
// the target.

#include <filesystem>
#include <string>
#include <string_view>

namespace vadrel {

// The file's bytes. Throws Failure with a Spanish message naming the file
// and the cause.
std::string readWholeFile(const std::filesystem::path& path);

// Throws Failure with a Spanish message naming the file and the cause.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The operating system's reason for errno `err`, in Spanish.
std::string systemReason(int err);

}  // namespace vadrel
