#include "check/ring_checks.hpp"

#include <algorithm>
#include <cmath>
#include <deque>

#include "check/check_text.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::check {

namespace {

// Beyond this many of one kind in a ring, one line counts the rest: a file
// of a million doubled vertices must not bury everything else.
constexpr std::size_t kMostPerRing = 10;
// Metres; a hair less, so that two vertices typed 1 cm apart (0.00999…
// once in binary) are not taken as closer.
constexpr double kNearVertex = 0.01 - 1e-9;

bool isXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

template <typename F>
void forEachToken(std::string_view text, F&& f)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isXmlBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !isXmlBlank(text[i])) ++i;
        if (i > start) f(text.substr(start, i - start));
    }
}

// Reports up to kMostPerRing problems of one kind, then how many more.
class Capped {
public:
    Capped(Problems& out, Severity severity) : out_(out), severity_(severity) {}
    void add(std::string place, std::string message)
    {
        if (++count_ <= kMostPerRing) out_.push_back({severity_, std::move(place), std::move(message)});
    }
    void finish(const std::string& place, const char* what)
    {
        if (count_ <= kMostPerRing) return;
        std::string message = "Y ";
        message += std::to_string(count_ - kMostPerRing);
        message += what;
        out_.push_back({severity_, place, std::move(message)});
    }

private:
    Problems& out_;
    Severity severity_;
    std::size_t count_ = 0;
};

std::string pointText(const Punto& p) { return check::pointText(p.x, p.y); }

// The ring's values: its posList, else its gml:pos elements in order.
void readRing(const Feature& f, std::size_t polygon, Ring& ring, Problems& out)
{
    const std::string place = placeOf(f, polygon, &ring);
    if (localName(ring.node) != "LinearRing") {
        out.push_back({Severity::Error, place, "El anillo no es un gml:LinearRing; no se puede comprobar."});
        return;
    }
    std::vector<std::string_view> texts;
    std::deque<std::string> copies;  // texts split by comments, gathered (they stay put)
    auto split = [&](pugi::xml_node element) {
        std::string copy;
        const std::string_view text = textView(element, copy);
        if (!copy.empty()) {
            copies.push_back(std::move(copy));
            forEachToken(copies.back(), [&](std::string_view t) { texts.push_back(t); });
        } else {
            forEachToken(text, [&](std::string_view t) { texts.push_back(t); });
        }
    };
    bool found = false;
    bool oldForm = false;
    for (pugi::xml_node c : ring.node.children()) {
        const std::string_view local = localName(c);
        if (local != "posList" && local != "pos") {
            oldForm = oldForm || local == "coordinates";
            continue;
        }
        // The dimension may be given on the list or on any geometry above it.
        std::string_view dim;
        for (pugi::xml_node n = c; n && n != f.node && dim.empty(); n = n.parent())
            dim = trimmed(n.attribute("srsDimension").value());
        if (!dim.empty() && dim != "2") {
            out.push_back({Severity::Error, place,
                           concat({"El anillo tiene srsDimension ", quoted(dim),
                                   "; el catastro solo admite coordenadas en dos dimensiones."})});
            return;
        }
        found = true;
        split(c);
    }
    if (!found) {
        out.push_back({Severity::Error, place,
                       oldForm ? "El anillo da sus coordenadas en gml:coordinates, que el catastro no admite: van en "
                                 "gml:posList."
                               : "El anillo no tiene coordenadas (gml:posList)."});
        return;
    }

    bool allNumbers = true;
    Capped bad(out, Severity::Error);
    std::vector<double> values;
    values.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (auto v = xmlNumber(texts[i])) {
            values.push_back(*v);
            continue;
        }
        allNumbers = false;
        bad.add(placeOf(f, polygon, &ring, i / 2 + 1),
                concat({"La coordenada ", i % 2 ? "Y " : "X ", quoted(texts[i]), " no es un número."}));
    }
    bad.finish(place, " coordenadas más no son números.");
    if (values.size() % 2 != 0 && allNumbers) {
        out.push_back({Severity::Error, place,
                       concat({"El anillo tiene un número impar de valores (", std::to_string(texts.size()),
                               "): a un vértice le falta una coordenada."})});
        return;
    }
    if (!allNumbers) return;
    ring.points.resize(values.size() / 2);
    for (std::size_t i = 0; i < ring.points.size(); ++i) ring.points[i] = {values[2 * i], values[2 * i + 1]};
    ring.readable = true;
}

void checkVertices(const Feature& f, std::size_t polygon, Ring& ring, bool orientation, Problems& out)
{
    const std::vector<Punto>& p = ring.points;
    const std::string place = placeOf(f, polygon, &ring);
    const std::size_t n = p.size();
    if (n < 4) {
        out.push_back({Severity::Error, place,
                       concat({"El anillo tiene ", std::to_string(n), n == 1 ? " posición" : " posiciones",
                               "; un anillo cerrado necesita al menos cuatro."})});
    }
    const bool closed = n > 0 && p.front().x == p.back().x && p.front().y == p.back().y;
    if (n > 1 && !closed) {
        out.push_back({Severity::Error, place,
                       concat({"El anillo no está cerrado: el último vértice ", pointText(p.back()),
                               " no repite el primero ", pointText(p.front()), "."})});
    }
    ring.closedRing = closed && n >= 4;

    Capped repeated(out, Severity::Error);
    Capped near(out, Severity::Warning);
    for (std::size_t i = 1; i < n; ++i) {
        const double d = std::hypot(p[i].x - p[i - 1].x, p[i].y - p[i - 1].y);
        if (d == 0) {
            repeated.add(placeOf(f, polygon, &ring, i + 1),
                         concat({"El vértice repite el anterior ", pointText(p[i]), "."}));
        } else if (d < kNearVertex) {
            // Never "1,00 cm" for what is less than one.
            const double cm = std::min(std::round(d * 10000) / 100, 0.99);
            near.add(placeOf(f, polygon, &ring, i + 1),
                     concat({"El vértice está a ", cm > 0 ? spanishNumber(cm, 2) : std::string("menos de 0,01"),
                             " cm del anterior (menos de 1 cm)."}));
        }
    }
    repeated.finish(place, " vértices más repiten el anterior.");
    near.finish(place, " vértices más están a menos de 1 cm del anterior.");

    if (!ring.closedRing || !orientation) return;
    const double area2 = doubleSignedArea(p);
    if (!ring.interior && area2 < 0) {
        out.push_back({Severity::Warning, place,
                       "El anillo exterior va en sentido horario; INSPIRE pide el "
                       "antihorario (el catastro lo "
                       "acepta)."});
    } else if (ring.interior && area2 > 0) {
        out.push_back({Severity::Warning, place,
                       "El anillo interior va en sentido antihorario; INSPIRE pide "
                       "el horario (el catastro lo "
                       "acepta)."});
    }
}

}  // namespace

void checkRings(Feature& f, Problems& out, bool orientation)
{
    for (std::size_t k = 0; k < f.polygons.size(); ++k) {
        Polygon& polygon = f.polygons[k];
        if (polygon.rings.empty() || polygon.rings.front().interior)
            out.push_back({Severity::Error, placeOf(f, k), "El recinto no tiene anillo exterior."});
        for (Ring& ring : polygon.rings) {
            readRing(f, k, ring, out);
            if (ring.readable) checkVertices(f, k, ring, orientation, out);
        }
    }
}

std::pair<std::string, std::string> vertexTexts(const Ring& ring, std::size_t vertex)
{
    // Read again rather than kept for every ring: only a vertex told needs it.
    std::pair<std::string, std::string> texts;
    std::size_t at = 0;
    for (pugi::xml_node c : ring.node.children()) {
        const std::string_view local = localName(c);
        if (local != "posList" && local != "pos") continue;
        std::string copy;
        forEachToken(textView(c, copy), [&](std::string_view t) {
            if (at == 2 * vertex) texts.first = t;
            if (at == 2 * vertex + 1) texts.second = t;
            ++at;
        });
    }
    return texts;
}

}  // namespace vadrel::check
