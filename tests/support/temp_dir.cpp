#include "support/temp_dir.hpp"

#include "core/platform/native_file.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vadrel::test {

TempDir::TempDir()
{
    std::error_code error;
    path_ = platform::createUniqueFolder(std::filesystem::temp_directory_path(), "vadrel-test-", error);
    if (path_.empty()) throw std::runtime_error("no temporary folder: " + error.message());
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& p, std::string_view bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void stageTemplates(const std::filesystem::path& dir)
{
    for (const auto& e : std::filesystem::directory_iterator(VADREL_DATA_DIR))
        if (e.path().extension() == ".XML")
            std::filesystem::copy_file(e.path(), dir / e.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
}

void replaceInFile(const std::filesystem::path& p, std::string_view from, std::string_view to)
{
    std::string text = readFile(p);
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    writeFile(p, text);
}

std::filesystem::path sharedDir()
{
    std::error_code ec;
    std::filesystem::path p = VADREL_SHARED_DIR;
    if (std::filesystem::exists(p / "schemas" / "catalog.xml", ec)) return std::filesystem::canonical(p, ec);
    return {};
}

}  // namespace vadrel::test
