#pragma once
// Whole-file reads and writes. Writes never leave a truncated file behind:
// the bytes go to a temporary name in the same folder, which then replaces
// the target.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/native_file.hpp"
#include "core/platform/system_errors.hpp"

namespace vadrel {

// No document or drawing the program reads comes near this; a larger file
// is refused before it fills the memory.
inline constexpr std::size_t kMaxFileSize = std::size_t{512} << 20;

// The file's bytes. Throws Failure with a Spanish message naming the file
// and the cause.
std::string readWholeFile(const std::filesystem::path& path);

// A file written piece by piece under a temporary name beside the target,
// which it replaces only at commit(). Destroyed uncommitted (a failure
// half-way), it leaves the target as it was and no temporary behind. A
// replaced file keeps its permissions; one the person may not write is
// refused. Every failure throws Failure with a Spanish message naming the
// target and the cause.
class AtomicFile {
public:
    explicit AtomicFile(const std::filesystem::path& target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    platform::NativeFile file_;
    std::optional<unsigned> kept_;  // what the replaced file keeps, when there is one
};

// Puts the file `escrito` (written beside `target`) in the place of
// `target`, as AtomicFile::commit does: a replaced file's permissions kept,
// a read-only one refused (Failure, `escrito` left where it is).
void reemplazaCon(const std::filesystem::path& escrito, const std::filesystem::path& target);

// Removes the temporary files and folders of our own name pattern that a
// write killed half-way left in `folder`, once they are a minute old.
void limpiaTemporalesViejos(const std::filesystem::path& folder);

// Throws Failure with a Spanish message naming the file and the cause.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// A folder of its own under the system's temporary folder, removed with
// everything in it when destroyed. Its path is empty when none could be made.
class CarpetaTemporal {
public:
    explicit CarpetaTemporal(std::string_view prefijo);
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace vadrel
