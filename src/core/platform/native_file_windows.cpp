// Windows: every name goes to the wide-character calls (path::c_str() is
// UTF-16 here), so that any name the person can type is reached.

#include "core/platform/native_file.hpp"

#include <windows.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>

#include "core/platform/system_errors.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::platform {

namespace {

HANDLE asHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// A failed call's code, as lastError() gives it.
std::error_code windowsError(DWORD code) { return {static_cast<int>(code), std::system_category()}; }

// Six letters or digits. Lowercase only: NTFS ignores case, so two names
// that differ only in it would be one. Collisions are retried by the
// callers; the seed only keeps two processes from trying the same names.
std::string randomLetters()
{
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator([] {
        LARGE_INTEGER now{};
        ::QueryPerformanceCounter(&now);
        std::random_device device;
        return (std::uint64_t{device()} << 32) ^ static_cast<std::uint64_t>(now.QuadPart) ^
               (std::uint64_t{::GetCurrentProcessId()} << 16) ^ ::GetCurrentThreadId();
    }());
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string letters(6, ' ');
    for (char& c : letters) c = kLetters[pick(generator)];
    return letters;
}

constexpr int kNameTries = 100;

// The first name `prefix` + six letters in `folder` that `make` can create
// (make returns 0, or the Windows error: one that says the name exists
// tries another). Empty, with `error` set, when none could be made.
template <class Make>
std::filesystem::path firstFreeName(const std::filesystem::path& folder, std::string_view prefix, Make make,
                                    std::error_code& error)
{
    for (int i = 0; i < kNameTries; ++i) {
        const std::filesystem::path name = folder / pathFromUtf8(std::string(prefix) + randomLetters());
        const DWORD code = make(name);
        if (code == 0) return name;
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            error = windowsError(code);
            return {};
        }
    }
    error = windowsError(ERROR_FILE_EXISTS);
    return {};
}

// Reads and writes go in pieces a DWORD can count.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;

// What of a replaced file's attributes its replacement takes. Read-only
// never comes (such a file is refused); the rest (compressed, encrypted...)
// follow the folder or ReplaceFileW.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

DWORD keptOrNormal(unsigned kept)
{
    const DWORD attributes = static_cast<DWORD>(kept) & kKeptAttributes;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace

NativeFile::~NativeFile()
{
    if (isOpen()) ::CloseHandle(asHandle(handle_));
}

NativeFile::NativeFile(NativeFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept
{
    if (this != &other) {
        if (isOpen()) ::CloseHandle(asHandle(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

NativeFile NativeFile::openToRead(const std::filesystem::path& file, std::error_code& error)
{
    // Shared every way: a file another program has open still reads.
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError();
        return {};
    }
    return NativeFile(reinterpret_cast<std::intptr_t>(h));
}

NativeFile NativeFile::createUnique(const std::filesystem::path& folder, std::string_view prefix,
                                    std::filesystem::path& made, std::error_code& error)
{
    // No mkstemp: CREATE_NEW fails on a name that exists, and another is
    // tried. Not hidden: a file moved into place keeps its attributes, and
    // the document must not vanish from the folder.
    HANDLE h = INVALID_HANDLE_VALUE;
    made = firstFreeName(
        folder, prefix,
        [&](const std::filesystem::path& name) -> DWORD {
            h = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            return h != INVALID_HANDLE_VALUE ? 0 : ::GetLastError();
        },
        error);
    if (made.empty()) return {};
    return NativeFile(reinterpret_cast<std::intptr_t>(h));
}

std::optional<std::uintmax_t> NativeFile::regularSize() const
{
    LARGE_INTEGER size{};
    if (::GetFileType(asHandle(handle_)) != FILE_TYPE_DISK || !::GetFileSizeEx(asHandle(handle_), &size))
        return std::nullopt;
    return static_cast<std::uintmax_t>(size.QuadPart);
}

std::size_t NativeFile::read(char* into, std::size_t size, std::error_code& error)
{
    DWORD got = 0;
    if (::ReadFile(asHandle(handle_), into, static_cast<DWORD>(std::min(size, kMaxPiece)), &got, nullptr)) return got;
    const DWORD code = ::GetLastError();
    // A pipe whose writer has closed: its end, as on POSIX.
    if (code != ERROR_BROKEN_PIPE && code != ERROR_HANDLE_EOF) error = windowsError(code);
    return 0;
}

bool NativeFile::writeAll(std::string_view bytes, std::error_code& error)
{
    while (!bytes.empty()) {
        DWORD put = 0;
        if (!::WriteFile(asHandle(handle_), bytes.data(), static_cast<DWORD>(std::min(bytes.size(), kMaxPiece)), &put,
                         nullptr)) {
            error = lastError();
            return false;
        }
        bytes.remove_prefix(put);
    }
    return true;
}

// ReplaceFileW keeps the replaced file's attributes and permissions itself;
// they are set here as well for the file systems where it cannot. A new
// file has the permissions its folder hands down.
void NativeFile::takeAttributes(std::optional<unsigned> kept)
{
    if (!kept) return;
    FILE_BASIC_INFO info{};  // times of zero are left as they are
    info.FileAttributes = keptOrNormal(*kept);
    ::SetFileInformationByHandle(asHandle(handle_), FileBasicInfo, &info, sizeof info);
}

bool NativeFile::flush(std::error_code& error)
{
    if (::FlushFileBuffers(asHandle(handle_))) return true;
    error = lastError();
    return false;
}

bool NativeFile::close(std::error_code& error)
{
    const HANDLE h = asHandle(std::exchange(handle_, -1));
    if (::CloseHandle(h)) return true;
    error = lastError();
    return false;
}

std::optional<unsigned> attributesToKeep(const std::filesystem::path& target, std::error_code& error)
{
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    // Marked read-only: refused as on POSIX, though ReplaceFileW could be
    // told to go through.
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        error = windowsError(ERROR_ACCESS_DENIED);
        return std::nullopt;
    }
    // Opened as the replacement will need it, so that the permissions or
    // another program holding it open refuse now, not after the writing.
    const HANDLE h = ::CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        // Gone in between: a new file then.
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
        error = windowsError(code);
        return std::nullopt;
    }
    ::CloseHandle(h);
    return static_cast<unsigned>(attributes);
}

bool applyAttributes(const std::filesystem::path& file, unsigned kept, std::error_code& error)
{
    if (::SetFileAttributesW(file.c_str(), keptOrNormal(kept))) return true;
    error = lastError();
    return false;
}

bool moveOver(const std::filesystem::path& writtenName, const std::filesystem::path& targetName,
              std::error_code& error)
{
    constexpr DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    // Full names: some ReplaceFileW implementations (wine's) refuse
    // relative ones with ERROR_DIRECTORY.
    std::error_code ignored;
    const std::filesystem::path written = std::filesystem::absolute(writtenName, ignored);
    const std::filesystem::path target = std::filesystem::absolute(targetName, ignored);
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Keeps the replaced file's attributes, permissions and creation
        // time, as a replaced file keeps its permissions on POSIX.
        if (::ReplaceFileW(target.c_str(), written.c_str(), nullptr,
                           REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
            return true;
        const DWORD code = ::GetLastError();
        // The target gone in between, or removed by ReplaceFileW before it
        // failed to move the new one in: the new one moves into the empty
        // place. Anything else leaves both as they were.
        const bool targetGone = code == ERROR_FILE_NOT_FOUND ||
                                (code == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
                                 ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES);
        if (!targetGone) {
            error = windowsError(code);
            return false;
        }
    }
    if (::MoveFileExW(written.c_str(), target.c_str(), kMove)) return true;
    error = lastError();
    return false;
}

void removeFile(const std::filesystem::path& file) { ::DeleteFileW(file.c_str()); }

std::filesystem::path createUniqueFolder(const std::filesystem::path& parent, std::string_view prefix,
                                         std::error_code& error)
{
    // No mkdtemp: CreateDirectoryW fails on a name that exists, and another
    // is tried.
    return firstFreeName(
        parent, prefix,
        [](const std::filesystem::path& name) -> DWORD {
            return ::CreateDirectoryW(name.c_str(), nullptr) ? 0 : ::GetLastError();
        },
        error);
}

std::string nameForNarrowCalls(const std::filesystem::path& file)
{
    const std::wstring& name = file.native();
    const bool ascii = std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; });
    if (!ascii) {
        wchar_t shortName[MAX_PATH];
        const DWORD n = ::GetShortPathNameW(name.c_str(), shortName, MAX_PATH);
        if (n > 0 && n < MAX_PATH && std::all_of(shortName, shortName + n, [](wchar_t c) { return c < 0x80; }))
            return genericUtf8Of(std::filesystem::path(std::wstring(shortName, n)));
    }
    return genericUtf8Of(file);
}

}  // namespace vadrel::platform
