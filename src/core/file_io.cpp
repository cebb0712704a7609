#include "core/file_io.hpp"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <system_error>

#include "core/failure.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

Failure tooLarge(const std::filesystem::path& path)
{
    return Failure("No se puede leer el archivo '" + utf8Of(path) + "': es demasiado grande (más de " +
                   std::to_string(kMaxFileSize >> 20) + " MB).");
}

[[noreturn]] void fail(const std::filesystem::path& target, const std::error_code& error)
{
    throw Failure("No se puede escribir el archivo '" + utf8Of(target) + "': " + systemReason(error) + ".");
}

}  // namespace

std::string readWholeFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw Failure("No se puede leer '" + utf8Of(path) + "': es una carpeta, no un archivo.");
    std::error_code error;
    platform::NativeFile file = platform::NativeFile::openToRead(path, error);
    if (!file.isOpen()) {
        if (platform::isMissing(error)) throw Failure("No se encuentra el archivo '" + utf8Of(path) + "'.");
        throw Failure("No se puede abrir el archivo '" + utf8Of(path) + "': " + systemReason(error) + ".");
    }

    // One allocation of the file's size: growing a string byte by byte
    // copied a large drawing several times over.
    const std::optional<std::uintmax_t> size = file.regularSize();
    if (size && *size > kMaxFileSize) throw tooLarge(path);
    std::string bytes(size ? static_cast<std::size_t>(*size) : 0, '\0');
    std::size_t used = 0;
    char chunk[65536];
    for (;;) {
        // Into the string while it has room, then (a file that grew, or a
        // pipe) in chunks appended.
        const bool room = used < bytes.size();
        char* into = room ? bytes.data() + used : chunk;
        const std::size_t want = room ? bytes.size() - used : sizeof chunk;
        const std::size_t r = file.read(into, want, error);
        if (error) throw Failure("No se puede leer el archivo '" + utf8Of(path) + "': " + systemReason(error) + ".");
        if (r == 0) break;
        if (!room) {
            if (used + r > kMaxFileSize) throw tooLarge(path);
            bytes.append(chunk, r);
        }
        used += r;
    }
    bytes.resize(used);
    return bytes;
}

namespace {

constexpr std::string_view kPrefijoTemporal = ".vadrel-tmp-";
constexpr std::string_view kPrefijoMapa = ".vadrel-mapa-";

// Our own temporary names: the prefix and the six letters or digits that
// make it unique (see platform::NativeFile::createUnique), nothing more.
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
        if (!esTemporalNuestro(utf8Of(it->path().filename()))) continue;
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

// What replacing `target` keeps of it; a file the person may not write is
// refused with the reason.
std::optional<unsigned> keptOrRefused(const std::filesystem::path& target)
{
    std::error_code error;
    const std::optional<unsigned> kept = platform::attributesToKeep(target, error);
    if (error) fail(target, error);
    return kept;
}

}  // namespace

void reemplazaCon(const std::filesystem::path& escrito, const std::filesystem::path& target)
{
    const std::optional<unsigned> kept = keptOrRefused(target);
    std::error_code error;
    if (kept && !platform::applyAttributes(escrito, *kept, error)) fail(target, error);
    if (!platform::moveOver(escrito, target, error)) fail(target, error);
}

AtomicFile::AtomicFile(const std::filesystem::path& target) : target_(target)
{
    std::filesystem::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    kept_ = keptOrRefused(target);
    limpiaTemporalesViejos(dir);
    // Hidden and beside the target, so the rename never crosses a disk; a
    // name of our own of fixed length, so that a target name of 255 bytes
    // still fits, and no one takes it for a document.
    std::error_code error;
    file_ = platform::NativeFile::createUnique(dir, kPrefijoTemporal, temp_, error);
    if (!file_.isOpen()) fail(target_, error);
}

AtomicFile::~AtomicFile()
{
    if (file_.isOpen()) {
        std::error_code ignored;
        file_.close(ignored);
        platform::removeFile(temp_);
    }
}

void AtomicFile::write(std::string_view bytes)
{
    std::error_code error;
    if (!file_.writeAll(bytes, error)) fail(target_, error);
}

void AtomicFile::commit()
{
    file_.takeAttributes(kept_);
    std::error_code error;
    if (!file_.flush(error)) {
        std::error_code ignored;
        file_.close(ignored);
        platform::removeFile(temp_);
        fail(target_, error);
    }
    if (!file_.close(error) || !platform::moveOver(temp_, target_, error)) {
        platform::removeFile(temp_);
        fail(target_, error);
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
    const std::filesystem::path tempRoot = std::filesystem::temp_directory_path(ec);
    if (!ec) path_ = platform::createUniqueFolder(tempRoot, std::string(prefijo) + "-", ec);
}

CarpetaTemporal::~CarpetaTemporal()
{
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

}  // namespace vadrel
