#include "io/list_parse.hpp"

#include <string_view>

#include "core/numeric_text.hpp"

namespace vadrel {

namespace {

// The value after a marker: blanks after "=" skipped, then up to a blank
// (a tab does not end it) or the end of the line.
std::string valorTras(std::string_view line, std::size_t marker)
{
    if (marker == std::string_view::npos) return {};
    std::size_t from = marker + 2;
    while (from < line.size() && line[from] == ' ') ++from;
    std::size_t to = line.find(' ', from);
    return std::string(line.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
}

bool contiene(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

// "center  X=..." (English), "centro  X=..." (Spanish, Italian), "центр"
// (Russian): the centre of an arc segment, which is not on the boundary.
bool esCentro(std::string_view before)
{
    const std::string lower = asciiLower(before);
    return contiene(lower, "center") || contiene(lower, "centro") || contiene(lower, "центр") ||
           contiene(lower, "Центр");
}

}  // namespace

void leeList(const std::vector<std::string>& lines, CoordList& MX, CoordList& MY)
{
    MX.reserve(MX.size() + lines.size() + 1);
    MY.reserve(MY.size() + lines.size() + 1);
    for (const std::string& s : lines) {
        const std::string_view line(s);
        const std::size_t x = line.find("X=");
        if (x == std::string_view::npos || esCentro(line.substr(0, x))) continue;
        MX.push_back(valorTras(line, x));
        MY.push_back(valorTras(line, line.find("Y=")));
    }
}

}  // namespace vadrel
