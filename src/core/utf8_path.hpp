#pragma once
// File names travel through the program as UTF-8 text (arguments, the
// windows' fields, lists of files, messages). A std::filesystem::path made
// from a narrow string, or turned back into one with string(), uses the
// system's narrow encoding, which on Windows is not UTF-8: "Núñez.pdf"
// would become "NÃºÃ±ez.pdf". These two are the crossings to use.

#include <filesystem>
#include <string>
#include <string_view>

namespace vadrel {

std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8Of(const std::filesystem::path& path);
// With "/" between the parts on every system (file addresses, schema
// locations).
std::string genericUtf8Of(const std::filesystem::path& path);

}  // namespace vadrel
