#include "io/dxf_scan.hpp"

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
        encontrada = polilineaAlPrincipio(line) && sinBlancos(anterior) == "0";
        anterior = line;
    }
    if (!encontrada) return;

    // From the polyline's name on, lines go in pairs: a group code, then its
    // value. Code 0 starts the next entity; only a polyline's 10 and 20 are
    // its vertices (a text's insertion point after it is no corner).
    bool enPolilinea = true;
    std::string_view codigo, valor;
    while (reader.next(codigo) && !finDeSeccion(codigo) && reader.next(valor) && !finDeSeccion(valor)) {
        const std::string code = sinBlancos(codigo);
        if (code == "0") {
            enPolilinea = polilineaAlPrincipio(valor);
            if (enPolilinea && !otraPolilinea()) return;
            continue;
        }
        if (!enPolilinea || (code != "10" && code != "20")) continue;
        const std::string v = sinBlancos(valor);
        if (characterCount(v) <= 6) continue;
        (code == "10" ? MX : MY).push_back(redondeaCadena(v, 4));
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
