#include "io/coord_file.hpp"

#include "core/text_file.hpp"

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
    writeTextLines(*file, lineasCoordenadas(MX, MY));
    return true;
}

void cargarCoordenadas(Ui& ui, CoordList& MX, CoordList& MY)
{
    auto file = ui.openFileName(kFiltroCoordenadas);
    if (!file) return;
    leerArchivoCoordenadas(*file, MX, MY);
}

std::vector<std::string> lineasCoordenadas(const CoordList& MX, const CoordList& MY)
{
    std::vector<std::string> lines;
    lines.reserve(MX.size());
    for (std::size_t i = 0; i < MX.size() && i < MY.size(); ++i)
        lines.push_back(std::to_string(i + 1) + ";" + MX[i] + ";" + MY[i]);
    return lines;
}

void partirLineaCoordenadas(std::string_view s, std::string& x, std::string& y)
{
    // Positions counted from 1, 0 meaning "none", as the file has always been read.
    auto semicolonFrom = [&](std::size_t from) -> std::size_t {
        std::size_t r = s.find(';', from - 1);
        return r == std::string_view::npos ? 0 : r + 1;
    };
    std::size_t p1 = semicolonFrom(1);
    std::size_t p2 = semicolonFrom(p1 + 1);
    if (p2 > p1 + 1)
        x = s.substr(p1, p2 - p1 - 1);
    else
        x.clear();
    while (p2 < s.size() && s[p2] == ';') ++p2;
    y = p2 < s.size() ? std::string(s.substr(p2)) : std::string();
}

void leerArchivoCoordenadas(const std::filesystem::path& path, CoordList& MX, CoordList& MY)
{
    std::string x, y;
    for (const auto& line : readTextLines(path)) {
        if (line.empty()) continue;
        partirLineaCoordenadas(line, x, y);
        MX.push_back(x);
        MY.push_back(y);
    }
}

}  // namespace vadrel
