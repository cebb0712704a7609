#include "core/coord_list.hpp"

#include <algorithm>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/ui.hpp"
#include "core/utm_spain.hpp"

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
    // Line i of both lists is one vertex: a line empty in one list only
    // would pair every later X with the Y of another vertex once cleaned.
    const std::size_t pares = std::min(MX.size(), MY.size());
    for (std::size_t i = 0; i < pares; ++i) {
        if (MX[i].empty() == MY[i].empty()) continue;
        throw Failure("Error. La línea " + std::to_string(i + 1) +
                      (MY[i].empty() ? " tiene X pero no Y." : " tiene Y pero no X."));
    }
    removeEmpty(MX);
    removeEmpty(MY);
}

bool compruebaUtm(Ui& ui, utm::Review& review, const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    if (utm::reviewTexts(review, MX, MY, fmt)) return true;
    const std::size_t i = review.faultVertex() - 1;
    ui.message(msg::rechazoUtm(review, MX[i], MY[i]));
    return false;
}

void avisaHuso(Ui& ui, const utm::Review& review)
{
    if (review.awayFromMeridian()) ui.message(msg::fueraDelHuso(review.zone()));
}

namespace {

// XML white space: blank, tab, line feed, carriage return.
bool esBlancoXml(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Calls f for each value of a position list, the values separated by any
// run of XML white space.
template <typename F>
void porValor(std::string_view t, F&& f)
{
    std::size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && esBlancoXml(t[i])) ++i;
        const std::size_t from = i;
        while (i < t.size() && !esBlancoXml(t[i])) ++i;
        if (i > from) f(t.substr(from, i - from));
    }
}

}  // namespace

std::size_t cuentaValoresPosList(std::string_view t)
{
    std::size_t n = 0;
    porValor(t, [&](std::string_view) { ++n; });
    return n;
}

void partirPosList(std::string_view t, CoordList& MX, CoordList& MY)
{
    const std::size_t pares = (cuentaValoresPosList(t) + 1) / 2;
    MX.reserve(MX.size() + pares);
    MY.reserve(MY.size() + pares);
    bool toX = true;
    porValor(t, [&](std::string_view v) {
        (toX ? MX : MY).emplace_back(v);
        toX = !toX;
    });
}

}  // namespace vadrel
