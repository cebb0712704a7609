#include "support/temp_dir.hpp"

#include "core/platform/native_file.hpp"
#include "core/utf8_path.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

#include <chrono>
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

std::filesystem::path TempDir::operator/(std::string_view name) const { return path_ / pathFromUtf8(name); }

TempDir::~TempDir()
{
    std::error_code ec;
    // Read-only files (a test's) cannot be removed on Windows.
    for (std::filesystem::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    ec.clear();
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

#ifdef _WIN32
void makeOld(const std::filesystem::path& p, int minutes)
{
    HANDLE h = ::CreateFileW(p.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + p.string());
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{{now.dwLowDateTime, now.dwHighDateTime}};
    t.QuadPart -= static_cast<ULONGLONG>(minutes) * 60 * 10000000;  // 100 ns units
    const FILETIME old{t.LowPart, t.HighPart};
    const BOOL set = ::SetFileTime(h, nullptr, nullptr, &old);
    ::CloseHandle(h);
    if (!set) throw std::runtime_error("cannot age " + p.string());
}
#else
void makeOld(const std::filesystem::path& p, int minutes)
{
    std::filesystem::last_write_time(p, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutes));
}
#endif

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
