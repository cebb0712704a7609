#include "core/file_io.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        int err = errno;
        std::error_code ec;
        if (!std::filesystem::exists(path, ec))
            throw Failure("No se encuentra el archivo '" + path.string() + "'.");
        throw Failure("No se puede abrir el archivo '" + path.string() + "': " + systemReason(err) + ".");
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw Failure("No se puede leer el archivo '" + path.string() + "'.");
    return bytes;
}

void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes)
{
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // Hidden and beside the target, so the rename never crosses a disk.
    std::string tmpl = dir.string();
    tmpl += "/.";
    tmpl += target.filename().string();
    tmpl += ".XXXXXX";
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) fail(target, errno);

    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(tmpl.c_str());
            fail(target, err);
        }
        p += w;
        left -= static_cast<std::size_t>(w);
    }
    // mkstemp creates 0600; a saved document is an ordinary user file.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        fail(target, err);
    }
    if (std::rename(tmpl.c_str(), target.c_str()) != 0) {
        int err = errno;
        ::unlink(tmpl.c_str());
        fail(target, err);
    }
}

}  // namespace vadrel
