#include "io/coord_file.hpp"

#include <algorithm>
#include <charconv>

#include "core/text_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

bool guardarCoordenadas(Ui& ui, CoordList& MX, CoordList& MY)
{
    auto file = ui.saveFileName(kFiltroCoordenadas);
    if (!file) return false;
    limpiaComas(MX, MY, ui);
    if (MX.size() != MY.size()) {
        ui.message(std::string(kCoordenadasDistintas));
        return false;
    }
    writeText(pathFromUtf8(*file), textoCoordenadas(MX, MY));
    return true;
}

void cargarCoordenadas(Ui& ui, CoordList& MX, CoordList& MY)
{
    auto file = ui.openFileName(kFiltroCoordenadas);
    if (!file) return;
    leerArchivoCoordenadas(pathFromUtf8(*file), MX, MY);
}

std::string textoCoordenadas(const CoordList& MX, const CoordList& MY)
{
    const std::size_t n = std::min(MX.size(), MY.size());
    std::size_t largo = 0;
    for (std::size_t i = 0; i < n; ++i) largo += MX[i].size() + MY[i].size() + 12;
    std::string text;
    text.reserve(largo);
    char numero[24];
    for (std::size_t i = 0; i < n; ++i) {
        const auto [end, ec] = std::to_chars(numero, numero + sizeof numero, i + 1);
        text.append(numero, end);
        text += ';';
        text += MX[i];
        text += ';';
        text += MY[i];
        text += "\r\n";
    }
    return text;
}

void partirLineaCoordenadas(std::string_view s, std::string_view& x, std::string_view& y)
{
    // Positions counted from 1, 0 meaning "none", as the file has always been read.
    auto semicolonFrom = [&](std::size_t from) -> std::size_t {
        std::size_t r = s.find(';', from - 1);
        return r == std::string_view::npos ? 0 : r + 1;
    };
    std::size_t p1 = semicolonFrom(1);
    std::size_t p2 = semicolonFrom(p1 + 1);
    x = p2 > p1 + 1 ? s.substr(p1, p2 - p1 - 1) : std::string_view();
    while (p2 < s.size() && s[p2] == ';') ++p2;
    y = p2 < s.size() ? s.substr(p2) : std::string_view();
}

void leerArchivoCoordenadas(const std::filesystem::path& path, CoordList& MX, CoordList& MY)
{
    const std::string text = readText(path);
    const auto lineas = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    MX.reserve(MX.size() + lineas + 1);  // and the vertex that may close the ring
    MY.reserve(MY.size() + lineas + 1);
    LineReader reader(text);
    std::string_view x, y;
    for (std::string_view line; reader.next(line);) {
        if (line.empty()) continue;
        partirLineaCoordenadas(line, x, y);
        MX.emplace_back(x);
        MY.emplace_back(y);
    }
}

}  // namespace vadrel
