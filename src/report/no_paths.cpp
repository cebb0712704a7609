#include "report/no_paths.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "core/platform/user_folders.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::report {

namespace {

// Stands for a known folder, so that its blanks do not split it.
constexpr std::string_view kRaiz = "\x01";

bool esRuta(std::string_view palabra)
{
    // Opening marks stay outside: "(/home/...", "«/tmp/...».
    while (!palabra.empty() && std::string_view("(\"'[{<«").find(palabra.front()) != std::string_view::npos)
        palabra.remove_prefix(1);
    if (palabra.starts_with("«")) palabra.remove_prefix(std::string_view("«").size());
    const bool unidad = palabra.size() > 2 && std::isalpha(static_cast<unsigned char>(palabra[0])) &&
                        palabra[1] == ':' && (palabra[2] == '\\' || palabra[2] == '/');
    return palabra.starts_with('/') || palabra.starts_with("~/") || palabra.starts_with("file:") ||
           palabra.starts_with("\\\\") || palabra.find(kRaiz) != std::string_view::npos || unidad;
}

// What closes a sentence or a clause after a path: kept. Brackets and
// quotes around it go with it.
std::string_view cola(std::string_view palabra)
{
    const std::size_t corte = palabra.find_last_not_of(".,;:");
    return palabra.substr(corte == std::string_view::npos ? 0 : corte + 1);
}

std::vector<std::string> raicesDeEquipo(std::vector<std::string> raices)
{
    for (const char* variable : {"HOME", "USERPROFILE", "TMPDIR", "TMP", "TEMP"})
        if (const char* v = std::getenv(variable); v && *v) raices.emplace_back(v);
    // The person's cache and settings folders as the rest of the program
    // finds them, on every system.
    for (const std::filesystem::path& carpeta :
         {platform::userHomeFolder(), platform::userCacheFolder(), platform::userConfigFolder()})
        if (!carpeta.empty()) raices.push_back(utf8Of(carpeta));
    std::error_code ec;
    if (auto tmp = std::filesystem::temp_directory_path(ec); !ec) raices.push_back(utf8Of(tmp));
    // Whole paths only, and none so short that it is part of every path
    // ("/"): a relative one could be any word.
    std::erase_if(raices, [](std::string& r) {
        while (r.size() > 1 && (r.back() == '/' || r.back() == '\\')) r.pop_back();
        return r.size() < 2 || !pathFromUtf8(r).is_absolute();
    });
    // The longest first: a folder inside another is taken whole.
    std::sort(raices.begin(), raices.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
    return raices;
}

}  // namespace

std::string sinRutas(std::string_view texto, const std::vector<std::string>& raices)
{
    std::string marcado(texto);
    for (const std::string& r : raicesDeEquipo(raices)) {
        // Built anew rather than replaced in place: GCC 12 warns of an
        // overlap that std::string::replace cannot have (-Wrestrict).
        std::string sustituido;
        std::size_t desde = 0;
        for (std::size_t at; (at = marcado.find(r, desde)) != std::string::npos; desde = at + r.size())
            sustituido.append(marcado, desde, at - desde).append(kRaiz);
        marcado = std::move(sustituido.append(marcado, desde));
    }

    std::vector<std::string> palabras;
    bool enRuta = false;  // the word before was a path
    std::size_t i = 0;
    while (i < marcado.size()) {
        const std::size_t fin = std::min(marcado.find(' ', i), marcado.size());
        const std::string_view palabra = std::string_view(marcado).substr(i, fin - i);
        i = fin + 1;
        if (palabra.empty()) {
            palabras.emplace_back();
            continue;
        }
        const bool sigue = enRuta && (palabra.find('/') != std::string_view::npos ||
                                      palabra.find('\\') != std::string_view::npos);
        enRuta = esRuta(palabra) || sigue;
        if (!enRuta) {
            palabras.emplace_back(palabra);
            continue;
        }
        // The path's own punctuation after the word before it.
        const std::string_view resto = cola(palabra);
        if (!palabras.empty() && palabras.back() == "en" && !sigue)
            palabras.back() = "en este equipo";
        if (!palabras.empty()) palabras.back() += resto;
    }
    std::string out;
    for (std::size_t k = 0; k < palabras.size(); ++k) {
        if (k > 0) out += ' ';
        out += palabras[k];
    }
    return out;
}

}  // namespace vadrel::report
