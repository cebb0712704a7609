#include "core/platform/system_errors.hpp"

#include <windows.h>

#include <cerrno>
#include <cstring>

namespace vadrel {

namespace {

std::string utf8(const wchar_t* text, int length)
{
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

// The system's own text for a code we do not name, in Spanish where the
// system has it, else in its own language; without its closing full stop,
// as our reasons go before one.
std::string systemText(DWORD code)
{
    for (const WORD language : {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)}) {
        wchar_t* text = nullptr;
        const DWORD length = ::FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
            language, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (length == 0 || !text) continue;
        std::string reason = utf8(text, static_cast<int>(length));
        ::LocalFree(text);
        while (!reason.empty() && (reason.back() == '.' || reason.back() == '\r' || reason.back() == '\n' ||
                                   reason.back() == ' '))
            reason.pop_back();
        if (!reason.empty()) return reason;
    }
    return "Error de Windows " + std::to_string(code);
}

std::string windowsReason(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return "No existe el archivo o la carpeta";
    case ERROR_ACCESS_DENIED: return "Acceso denegado";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "No queda espacio en el disco";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "El archivo está abierto en otro programa";
    case ERROR_FILENAME_EXCED_RANGE: return "La ruta del archivo es demasiado larga";
    case ERROR_INVALID_NAME: return "El nombre del archivo no es válido";
    case ERROR_WRITE_PROTECT: return "El disco es de sólo lectura";
    case ERROR_NOT_READY: return "La unidad no está preparada";
    case ERROR_DIRECTORY: return "Una parte de la ruta no es una carpeta";
    case ERROR_CRC:
    case ERROR_IO_DEVICE: return "Error de entrada/salida";
    case ERROR_FILE_TOO_LARGE: return "El archivo es demasiado grande";
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2: return "El archivo anterior no se ha podido sustituir";
    default: return systemText(code);
    }
}

}  // namespace

std::string systemReason(const std::error_code& error)
{
    if (error.category() == std::system_category()) return windowsReason(static_cast<DWORD>(error.value()));
    return systemReason(error.value());
}

namespace platform {

std::error_code lastError() { return {static_cast<int>(::GetLastError()), std::system_category()}; }

bool isMissing(const std::error_code& error)
{
    if (error.category() != std::system_category()) return error.value() == ENOENT;
    return error.value() == ERROR_FILE_NOT_FOUND || error.value() == ERROR_PATH_NOT_FOUND;
}

}  // namespace platform

}  // namespace vadrel
