#include "core/coord_list.hpp"

#include <algorithm>

#include "core/ui.hpp"

namespace vadrel {

CoordList splitLines(std::string_view text)
{
    CoordList lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string joinLines(const CoordList& lines, std::string_view eol)
{
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += eol;
    }
    return out;
}

bool sustituyeComas(CoordList& list)
{
    bool changed = false;
    for (auto& line : list) {
        if (auto pos = line.find(','); pos != std::string::npos) {
            line[pos] = '.';
            changed = true;
        }
    }
    return changed;
}

namespace {

void removeEmpty(CoordList& list)
{
    list.erase(std::remove_if(list.begin(), list.end(), [](const std::string& l) { return l.empty(); }),
               list.end());
}

}  // namespace

void limpiaComas(CoordList& MX, CoordList& MY, Ui& ui)
{
    bool changedX = sustituyeComas(MX);
    bool changedY = sustituyeComas(MY);
    if (changedX || changedY) ui.message(std::string(kCommasReplaced));
}

void limpiaCoordenadas(CoordList& MX, CoordList& MY)
{
    removeEmpty(MX);
    removeEmpty(MY);
}

std::size_t cuentaValoresPosList(std::string_view t)
{
    if (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    if (t.empty()) return 0;
    return static_cast<std::size_t>(std::count(t.begin(), t.end(), ' ')) + (t.back() == ' ' ? 0 : 1);
}

void partirPosList(std::string_view t, CoordList& MX, CoordList& MY)
{
    if (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    if (t.empty()) return;  // an empty ring is no vertex, not one empty pair
    const std::size_t pares = (cuentaValoresPosList(t) + 1) / 2;
    MX.reserve(MX.size() + pares);
    MY.reserve(MY.size() + pares);
    bool toX = true;
    std::size_t from = 0;
    while (from < t.size()) {
        std::size_t blank = t.find(' ', from);
        if (blank == std::string_view::npos) blank = t.size();
        (toX ? MX : MY).emplace_back(t.substr(from, blank - from));
        toX = !toX;
        from = blank + 1;
    }
}

}  // namespace vadrel
