#include "fuzz_support.hpp"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace vadrel::fuzz {

namespace {

std::filesystem::path makeScratch()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vadrel-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create the scratch folder");
    return pattern;
}

void removeScratch()
{
    std::error_code ec;
    std::filesystem::remove_all(scratchDir(), ec);
}

}  // namespace

const std::filesystem::path& scratchDir()
{
    static const std::filesystem::path dir = makeScratch();
    // Registered once the path exists, so it runs before the path is destroyed.
    [[maybe_unused]] static const bool cleanup = (std::atexit(removeScratch), true);
    return dir;
}

std::filesystem::path writeScratch(std::string_view name, std::string_view bytes)
{
    const std::filesystem::path p = scratchDir() / name;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
    return p;
}

Entorno entorno() { return Entorno{VADREL_DATA_DIR, NumberFormat::batch(), {}}; }

std::vector<std::string_view> split(std::string_view text, std::string_view separator, std::size_t maxParts)
{
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + separator.size());
    }
    parts.push_back(text);
    return parts;
}

}  // namespace vadrel::fuzz
