#include "io/dxf_scan.hpp"

#include <algorithm>
#include <string>

#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"

namespace vadrel {

namespace {

bool polilineaAlPrincipio(std::string_view line)
{
    std::size_t at = line.find("LWPOLYLINE");
    return at != std::string_view::npos && at < 4;
}

bool finDeSeccion(std::string_view line) { return line.find("ENDSEC") != std::string_view::npos; }

// Group codes come padded ("  10"), and values may be too.
std::string sinBlancos(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (char c : line)
        if (c != ' ') out += c;
    return out;
}

// sinBlancos(line) == word, without building the string: a drawing has
// millions of group codes.
bool igualSinBlancos(std::string_view line, std::string_view word)
{
    std::size_t k = 0;
    for (char c : line) {
        if (c == ' ') continue;
        if (k == word.size() || word[k] != c) return false;
        ++k;
    }
    return k == word.size();
}

}  // namespace

void escaneaDxf(std::string_view text, CoordList& MX, CoordList& MY, const OtraPolilinea& otraPolilinea)
{
    // The first polyline entity: its name follows a group code 0. The same
    // name as a class of the CLASSES section (AutoCAD R14 writes one) is no
    // polyline, and starting there would load nothing.
    LineReader reader(text);
    std::string_view line, anterior;
    bool encontrada = false;
    while (!encontrada && reader.next(line)) {
        encontrada = polilineaAlPrincipio(line) && igualSinBlancos(anterior, "0");
        anterior = line;
    }
    if (!encontrada) return;

    // From the polyline's name on, lines go in pairs: a group code, then its
    // value. Code 0 starts the next entity; only a polyline's 10 and 20 are
    // its vertices (a text's insertion point after it is no corner).
    // A vertex takes four lines (10, X, 20, Y): room for them at once, so
    // that a large drawing does not copy the lists as they grow.
    const auto lineas = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    MX.reserve(MX.size() + lineas / 4 + 1);
    MY.reserve(MY.size() + lineas / 4 + 1);
    bool enPolilinea = true;
    std::string_view codigo, valor;
    while (reader.next(codigo) && !finDeSeccion(codigo) && reader.next(valor) && !finDeSeccion(valor)) {
        if (igualSinBlancos(codigo, "0")) {
            enPolilinea = polilineaAlPrincipio(valor);
            if (enPolilinea && !otraPolilinea()) return;
            continue;
        }
        const bool esX = igualSinBlancos(codigo, "10");
        if (!enPolilinea || (!esX && !igualSinBlancos(codigo, "20"))) continue;
        std::string conBlancos;
        std::string_view v = valor;
        if (v.find(' ') != std::string_view::npos) v = conBlancos = sinBlancos(valor);
        if (characterCount(v) <= 6) continue;
        (esX ? MX : MY).push_back(redondeaCadena(v, 4));
    }
}

void cargaDxf(Ui& ui, const std::filesystem::path& file, CoordList& MX, CoordList& MY,
              const OtraPolilinea& otraPolilinea)
{
    std::string text;
    try {
        text = readText(file);
    } catch (const Failure&) {
        ui.message(kDxfNoSeAbre);
        return;
    }
    escaneaDxf(text, MX, MY, otraPolilinea);
}

}  // namespace vadrel
