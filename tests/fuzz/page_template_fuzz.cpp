// The web-map pages' tag replacement. The input is a template, then after a
// NUL byte the text every tag is replaced by.

#include <cctype>

#include "fuzz_support.hpp"
#include "webmap/page_template.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto parts = fuzz::split(fuzz::asText(data, size), std::string_view("\0", 1), 2);
    const std::string_view plantilla = parts[0];
    const std::string valor(parts.size() > 1 ? parts[1] : std::string_view("<#centro>"));

    std::size_t llamadas = 0;
    const std::string page = rellenaPagina(plantilla, [&](std::string_view nombre) {
        ++llamadas;
        for (char c : nombre)
            if (!(std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_'))
                __builtin_trap();
        return valor;
    });

    // Without a tag the template comes back as it is; each tag is replaced once.
    const std::size_t abre = plantilla.find("<#");
    const bool sinEtiquetas = abre == std::string_view::npos || plantilla.find('>', abre) == std::string_view::npos;
    if (sinEtiquetas && (page != plantilla || llamadas != 0)) __builtin_trap();
    if (!sinEtiquetas && llamadas == 0) __builtin_trap();

    // The real pages with the input as the value of every tag.
    const std::string una = rellenaPagina(plantillaUnPoligono(), [&](std::string_view) { return valor; });
    const std::string todas = rellenaPagina(plantillaTodas(), [&](std::string_view) { return valor; });
    if (valor.find_first_of("<#") == std::string::npos && (una.find("<#") != std::string::npos || todas.find("<#") != std::string::npos))
        __builtin_trap();
    if (!colorConstruccion(size).starts_with('#')) __builtin_trap();
    return 0;
}
