#pragma once
// A fresh directory for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>
#include <string_view>

namespace vadrel::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The name in UTF-8, as the program's own names are.
    std::filesystem::path operator/(std::string_view name) const;

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& p);

// Sets a file's or folder's modification time `minutes` into the past
// (std::filesystem cannot set a folder's on Windows).
void makeOld(const std::filesystem::path& p, int minutes);
void writeFile(const std::filesystem::path& p, std::string_view bytes);

// Copies the program's templates into `dir`, as run.sh stages them.
void stageTemplates(const std::filesystem::path& dir);

// Every `from` in the file becomes `to` (a template with an element renamed).
void replaceInFile(const std::filesystem::path& p, std::string_view from, std::string_view to);

// The shared folder with the cadastre's samples and schemas, or empty when
// this checkout has none beside it.
std::filesystem::path sharedDir();

}  // namespace vadrel::test
