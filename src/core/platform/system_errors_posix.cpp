#include "core/platform/system_errors.hpp"

#include <cerrno>
#include <cstring>

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

// Both categories carry errno values here.
std::string systemReason(const std::error_code& error) { return systemReason(error.value()); }

namespace platform {

std::error_code lastError() { return {errno, std::generic_category()}; }

bool isMissing(const std::error_code& error) { return error.value() == ENOENT; }

}  // namespace platform

}  // namespace vadrel
