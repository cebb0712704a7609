#include "core/platform/native_file.hpp"

#include "core/utf8_path.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/system_errors.hpp"

namespace vadrel::platform {

NativeFile::~NativeFile()
{
    if (isOpen()) ::close(static_cast<int>(handle_));
}

NativeFile::NativeFile(NativeFile&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept
{
    if (this != &other) {
        if (isOpen()) ::close(static_cast<int>(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

NativeFile NativeFile::openToRead(const std::filesystem::path& file, std::error_code& error)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = lastError();
        return {};
    }
    return NativeFile(fd);
}

NativeFile NativeFile::createUnique(const std::filesystem::path& folder, std::string_view prefix,
                                    std::filesystem::path& made, std::error_code& error)
{
    std::string name = folder.string();
    name += '/';
    name += prefix;
    name += "XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = lastError();
        return {};
    }
    made = name;
    return NativeFile(fd);
}

std::optional<std::uintmax_t> NativeFile::regularSize() const
{
    struct stat st {};
    if (::fstat(static_cast<int>(handle_), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::uintmax_t>(st.st_size);
}

std::size_t NativeFile::read(char* into, std::size_t size, std::error_code& error)
{
    for (;;) {
        const ssize_t r = ::read(static_cast<int>(handle_), into, size);
        if (r >= 0) return static_cast<std::size_t>(r);
        if (errno == EINTR) continue;
        error = lastError();
        return 0;
    }
}

bool NativeFile::writeAll(std::string_view bytes, std::error_code& error)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t w = ::write(static_cast<int>(handle_), p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            error = lastError();
            return false;
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    return true;
}

void NativeFile::takeAttributes(std::optional<unsigned> kept)
{
    // mkstemp creates 0600: a replaced file keeps its own permissions, a new
    // one gets an ordinary user file's.
    mode_t mode = 0;
    if (kept) {
        mode = static_cast<mode_t>(*kept);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(static_cast<int>(handle_), mode);
}

bool NativeFile::flush(std::error_code& error)
{
    if (::fsync(static_cast<int>(handle_)) == 0) return true;
    error = lastError();
    return false;
}

bool NativeFile::close(std::error_code& error)
{
    const int fd = static_cast<int>(std::exchange(handle_, -1));
    if (::close(fd) == 0) return true;
    error = lastError();
    return false;
}

std::optional<unsigned> attributesToKeep(const std::filesystem::path& target, std::error_code& error)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return std::nullopt;
    if (::access(target.c_str(), W_OK) != 0) {
        error = lastError();
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) return std::nullopt;
    // Marked read-only for everyone: kept so even where the system would
    // let an administrator write it.
    if ((st.st_mode & 0222) == 0) {
        error = {EACCES, std::generic_category()};
        return std::nullopt;
    }
    return static_cast<unsigned>(st.st_mode & 07777);
}

bool applyAttributes(const std::filesystem::path& file, unsigned kept, std::error_code& error)
{
    if (::chmod(file.c_str(), static_cast<mode_t>(kept)) == 0) return true;
    error = lastError();
    return false;
}

bool moveOver(const std::filesystem::path& written, const std::filesystem::path& target, std::error_code& error)
{
    if (std::rename(written.c_str(), target.c_str()) == 0) return true;
    error = lastError();
    return false;
}

void removeFile(const std::filesystem::path& file) { ::unlink(file.c_str()); }

std::filesystem::path createUniqueFolder(const std::filesystem::path& parent, std::string_view prefix,
                                         std::error_code& error)
{
    std::string name = (parent / (std::string(prefix) + "XXXXXX")).string();
    if (::mkdtemp(name.data())) return name;
    error = lastError();
    return {};
}

std::string nameForNarrowCalls(const std::filesystem::path& file) { return genericUtf8Of(file); }

}  // namespace vadrel::platform
