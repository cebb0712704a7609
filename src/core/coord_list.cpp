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

void partirPosList(std::string t, CoordList& MX, CoordList& MY)
{
    if (!t.empty() && t.front() == ' ') t.erase(0, 1);
    if (t.empty()) return;  // an empty ring is no vertex, not one empty pair
    if (t.back() != ' ') t += ' ';
    std::string token;
    bool toX = true;
    for (char c : t) {
        if (c != ' ') {
            token += c;
            continue;
        }
        (toX ? MX : MY).push_back(token);
        toX = !toX;
        token.clear();
    }
}

}  // namespace vadrel
