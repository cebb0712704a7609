// The C library's errno in Spanish, which std::filesystem and the C calls
// set on every system.

#include <cerrno>
#include <cstring>

#include "core/platform/system_errors.hpp"

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
#ifdef EDQUOT  // no disk quotas on Windows
    case EDQUOT: return "Se ha superado la cuota de disco";
#endif
    case EIO: return "Error de entrada/salida";
    case EFBIG: return "El archivo es demasiado grande";
    default: return std::strerror(err);
    }
}

}  // namespace vadrel
