#include "io/list_parse.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
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

// A point that is not on the boundary: an arc's centre ("center", "centro",
// "centre", "центр") or a hatch's origin ("origin", "origen", "origine").
bool esCentroUOrigen(std::string_view before)
{
    // Lower case on the stack: a million vertex lines each made a string.
    char corto[64];
    std::string largo;
    std::string_view lower;
    if (before.size() <= sizeof corto) {
        for (std::size_t i = 0; i < before.size(); ++i) {
            const char c = before[i];
            corto[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
        lower = std::string_view(corto, before.size());
    } else {
        largo = asciiLower(before);
        lower = largo;
    }
    for (std::string_view w : {"center", "centro", "centre", "центр", "Центр", "ЦЕНТР", "origin", "origen"})
        if (contiene(lower, w)) return true;  // "origine" holds "origin"
    return false;
}

// What stands before "X=" on a vertex line: nothing, or a phrase of letters
// and blanks in any language ("at point", "al punto", "в точке"). A comma or
// a colon marks another entity's named point ("from point,", "start point,",
// "Location:", "Normal:").
bool esVertice(std::string_view before)
{
    for (char c : before) {
        const auto u = static_cast<unsigned char>(c);
        const bool letra = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || u >= 0x80;  // UTF-8 letters
        if (!letra && c != ' ' && c != '\t') return false;
    }
    return !esCentroUOrigen(before);
}

// An entity's first line: its name, then blanks ("LWPOLYLINE  Layer: ...").
bool esCabeceraPolilinea(std::string_view line)
{
    const std::string_view t = trimmed(line);
    for (std::string_view name : {"LWPOLYLINE", "POLYLINE"})
        if (t.size() > name.size() && t.substr(0, name.size()) == name &&
            (t[name.size()] == ' ' || t[name.size()] == '\t'))
            return true;
    return false;
}

// "bulge   -0.4142": the arc of the segment that leaves the vertex before.
std::optional<double> bulgeDe(std::string_view line)
{
    const std::string_view t = trimmed(line);
    if (!t.starts_with("bulge")) return std::nullopt;
    double b = 0;
    // As the coordinates, with either decimal mark.
    if ((!parseNumber(t.substr(5), '.', b) && !parseNumber(t.substr(5), ',', b)) || !std::isfinite(b))
        return std::nullopt;
    return b;
}

// The header's "Closed" (English and Spanish AutoCAD).
bool esCerrada(std::string_view line)
{
    const std::string_view t = trimmed(line);
    return t == "Closed" || t == "Cerrada" || t == "Cerrado";
}

// One polyline's arcs, replaced once its last vertex has been read.
class Arcos {
public:
    Arcos(CoordList& MX, CoordList& MY, double flecha) : MX_(MX), MY_(MY), flecha_(flecha), desde_(MX.size()) {}
    void empieza()
    {
        termina();
        cerrada_ = false;
    }
    void cerrada() { cerrada_ = true; }
    void bulge(double b)
    {
        if (MX_.size() <= desde_) return;
        bulges_.resize(MX_.size() - desde_, 0.0);
        bulges_.back() = b;
    }
    // Nothing before the polyline's first vertex: its header and a blank
    // line may both start it.
    void termina()
    {
        if (MX_.size() <= desde_) return;
        if (!bulges_.empty())
            resumen += sustituyeArcos(MX_, MY_, desde_, bulges_, cerrada_, flecha_, resumen.puntos);
        bulges_.clear();
        cerrada_ = false;
        desde_ = MX_.size();
    }
    ResumenArcos resumen;

private:
    CoordList& MX_;
    CoordList& MY_;
    double flecha_;
    std::size_t desde_;  // the polyline's first line: the lists may hold others before
    std::vector<double> bulges_;
    bool cerrada_ = false;
};

}  // namespace

std::size_t leeList(const std::vector<std::string>& lines, CoordList& MX, CoordList& MY, double flecha,
                    ResumenArcos* arcos)
{
    MX.reserve(MX.size() + lines.size() + 1);
    MY.reserve(MY.size() + lines.size() + 1);
    // Polylines are told by their header lines or, in text pasted without
    // them, by runs of vertex lines that a blank line separates.
    std::size_t cabeceras = 0, tramos = 0;
    bool blancaDesdeVertice = true;
    // A polyline's vertex lines all start alike ("          at point  "):
    // the text before "X=" is judged once per change, not once per line.
    std::string_view antes;
    bool antesEsVertice = false;
    Arcos enArcos(MX, MY, flecha);
    for (const std::string& s : lines) {
        const std::string_view line(s);
        const std::size_t x = line.find("X=");
        if (x == std::string_view::npos) {
            if (trimmed(line).empty()) {
                blancaDesdeVertice = true;
            } else if (esCabeceraPolilinea(line)) {
                ++cabeceras;
                enArcos.empieza();
            } else if (esCerrada(line)) {
                enArcos.cerrada();
            } else if (const std::optional<double> b = bulgeDe(line)) {
                enArcos.bulge(*b);
            }
            continue;
        }
        if (const std::string_view a = line.substr(0, x); a != antes || antes.data() == nullptr) {
            antes = a;
            antesEsVertice = esVertice(a);
        }
        if (!antesEsVertice) continue;
        // Runs of vertices without a header between them count as polylines
        // of their own, but their vertices go on into the same lists, so
        // arcs follow that order: a pasted listing split by a blank line
        // keeps its arcs and its closing bulge.
        if (blancaDesdeVertice) ++tramos;
        blancaDesdeVertice = false;
        MX.push_back(valorTras(line, x));
        MY.push_back(valorTras(line, line.find("Y=")));
    }
    enArcos.termina();
    if (arcos) *arcos = enArcos.resumen;
    return std::max(cabeceras, tramos);
}

}  // namespace vadrel
