#include "core/file_io.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <chrono>
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

namespace {

constexpr std::string_view kPrefijoTemporal = ".vadrel-tmp-";
constexpr std::string_view kPrefijoMapa = ".vadrel-mapa-";

// Our own temporary names: the prefix and the six characters mkstemp or
// mkdtemp puts in place of XXXXXX, nothing more.
bool esTemporalNuestro(const std::string& name)
{
    for (std::string_view prefijo : {kPrefijoTemporal, kPrefijoMapa}) {
        if (name.size() != prefijo.size() + 6 || name.compare(0, prefijo.size(), prefijo) != 0) continue;
        return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefijo.size()), name.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        });
    }
    return false;
}

}  // namespace

void limpiaTemporalesViejos(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto limite = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (!esTemporalNuestro(it->path().filename().string())) continue;
        std::error_code e;
        // Only what is a minute old: a younger one may be another run's,
        // still being written.
        const auto when = fs::symlink_status(it->path(), e).type() == fs::file_type::symlink
                              ? fs::file_time_type::min()
                              : fs::last_write_time(it->path(), e);
        if (e || when > limite) continue;
        fs::remove_all(it->path(), e);
    }
}

namespace {

// The permissions of the file `target` would replace, -1 when there is
// none. A file the person may not write is refused with the reason, not
// replaced behind its back by a rename.
int permisosAReemplazar(const std::filesystem::path& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) return -1;
    if (::access(target.c_str(), W_OK) != 0) fail(target, errno);
    if (!S_ISREG(st.st_mode)) return -1;
    // Marked read-only for everyone: kept so even where the system would
    // let an administrator write it.
    if ((st.st_mode & 0222) == 0) fail(target, EACCES);
    return static_cast<int>(st.st_mode & 07777);
}

}  // namespace

void reemplazaCon(const std::filesystem::path& escrito, const std::filesystem::path& target)
{
    const int mode = permisosAReemplazar(target);
    if (mode >= 0 && ::chmod(escrito.c_str(), static_cast<mode_t>(mode)) != 0) fail(target, errno);
    if (std::rename(escrito.c_str(), target.c_str()) != 0) fail(target, errno);
}

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target)
{
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    mode_ = permisosAReemplazar(target);
    limpiaTemporalesViejos(dir);
    // Hidden and beside the target, so the rename never crosses a disk; a
    // name of our own of fixed length, so that a target name of 255 bytes
    // still fits, and no one takes it for a document.
    temp_ = dir.string();
    temp_ += '/';
    temp_ += kPrefijoTemporal;
    temp_ += "XXXXXX";
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
    // mkstemp creates 0600: a replaced file keeps its own permissions, a new
    // one gets an ordinary user file's.
    if (mode_ < 0) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = static_cast<int>(0666 & ~mask);
    }
    ::fchmod(fd_, static_cast<mode_t>(mode_));
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
