#include "shell/working_folder.hpp"

#include <system_error>

#include "core/file_io.hpp"
#include "parcel/parcel_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

// Copies what `personal` lacks, folders included; returns the first failure.
std::error_code siembra(const std::filesystem::path& datos, const std::filesystem::path& personal)
{
    std::error_code ec;
    std::filesystem::create_directories(personal, ec);
    if (ec) return ec;
    std::filesystem::recursive_directory_iterator it(datos, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const auto destino = personal / std::filesystem::relative(it->path(), datos);
        // The check reads its schemas where they are installed; the
        // person's folder is for what the person may edit.
        if (it.depth() == 0 && it->path().filename() == kCarpetaEsquemas) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_directory(ec))
            std::filesystem::create_directories(destino, ec);
        else if (!std::filesystem::exists(std::filesystem::symlink_status(destino, ec)))
            std::filesystem::copy_file(it->path(), destino, std::filesystem::copy_options::skip_existing, ec);
    }
    return ec;
}

}  // namespace

CarpetaDeTrabajo eligeCarpetaDeTrabajo(const std::filesystem::path& inicio, const std::filesystem::path& personal,
                                       const std::filesystem::path& datos)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(inicio / TFParcelgen::kPlantillaParcela, ec)) return {inicio, {}};
    if (personal.empty()) return {inicio, {}};
    if (!std::filesystem::is_directory(datos, ec)) {
        // No installed data to fill it with: a folder already prepared is
        // still the place to work.
        if (std::filesystem::is_directory(personal, ec)) return {personal, {}};
        return {inicio, {}};
    }
    if (const std::error_code fallo = siembra(datos, personal))
        return {inicio, "No se ha podido preparar la carpeta de trabajo '" + utf8Of(personal) +
                            "': " + systemReason(fallo) + ". Vadrel trabaja en '" + utf8Of(inicio) + "'."};
    return {personal, {}};
}

}  // namespace vadrel
