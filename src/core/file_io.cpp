#include "core/file_io.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <cstdint>
#include <system_error>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/failure.hpp"

namespace vadrel {

std::string systemReason(int err)
{
    switch (err) {
    case EACCES:
    case EPERM: return "Acceso denegado";
    case ENOENT: return "No existe el archivo o la carpeta";
    case ENOTDIR: return "Una parte de la ruta no es una carpeta";
    case EISDIR: return "Es una carpeta";
    case ENOSPC: return "No queda espacio en el disco";
    case EROFS: return "El disco es de sólo lectura";
    case ENAMETOOLONG: return "El nombre del archivo es demasiado largo";
    case EDQUOT: return "Se ha superado la cuota de disco";
    case EIO: return "Error de entrada/salida";
    case EFBIG: return "El archivo es demasiado grande";
    default: return std::strerror(err);
    }
}

namespace {

Failure tooLarge(const std::filesystem::path& path)
{
    return Failure("No se puede leer el archivo '" + path.string() + "': es demasiado grande (más de " +
                   std::to_string(kMaxFileSize >> 20) + " MB).");
}

[[noreturn]] void fail(const std::filesystem::path& target, int err)
{
    throw Failure("No se puede escribir el archivo '" + target.string() + "': " + systemReason(err) + ".");
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw Failure("No se puede leer '" + path.string() + "': es una carpeta, no un archivo.");
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) throw Failure("No se encuentra el archivo '" + path.string() + "'.");
        throw Failure("No se puede abrir el archivo '" + path.string() + "': " + systemReason(err) + ".");
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    // One allocation of the file's size: growing a string byte by byte
    // copied a large drawing several times over.
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (regular && static_cast<std::uintmax_t>(st.st_size) > kMaxFileSize) throw tooLarge(path);
    std::string bytes(regular ? static_cast<std::size_t>(st.st_size) : 0, '\0');
    std::size_t used = 0;
    char chunk[65536];
    for (;;) {
        // Into the string while it has room, then (a file that grew, or a
        // pipe) in chunks appended.
        const bool room = used < bytes.size();
        char* into = room ? bytes.data() + used : chunk;
        const std::size_t want = room ? bytes.size() - used : sizeof chunk;
        const ssize_t r = ::read(fd, into, want);
        if (r < 0) {
            if (errno == EINTR) continue;
            throw Failure("No se puede leer el archivo '" + path.string() + "': " + systemReason(errno) + ".");
        }
        if (r == 0) break;
        if (!room) {
            if (used + static_cast<std::size_t>(r) > kMaxFileSize) throw tooLarge(path);
            bytes.append(chunk, static_cast<std::size_t>(r));
        }
        used += static_cast<std::size_t>(r);
    }
    bytes.resize(used);
    return bytes;
}

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target)
{
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // Hidden and beside the target, so the rename never crosses a disk.
    temp_ = dir.string();
    temp_ += "/.";
    temp_ += target.filename().string();
    temp_ += ".XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) fail(target_, errno);
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void AtomicFile::write(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd_, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            fail(target_, errno);
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
}

void AtomicFile::commit()
{
    // mkstemp creates 0600; a saved document is an ordinary user file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
    const int fd = fd_;
    fd_ = -1;
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp_.c_str());
        fail(target_, err);
    }
    if (::close(fd) != 0 || std::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp_.c_str());
        fail(target_, err);
    }
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    AtomicFile file(target);
    file.write(bytes);
    file.commit();
}

CarpetaTemporal::CarpetaTemporal(std::string_view prefijo)
{
    std::error_code ec;
    std::string plantilla = (std::filesystem::temp_directory_path(ec) / (std::string(prefijo) + "-XXXXXX")).string();
    if (!ec && ::mkdtemp(plantilla.data())) path_ = plantilla;
}

CarpetaTemporal::~CarpetaTemporal()
{
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

}  // namespace vadrel
