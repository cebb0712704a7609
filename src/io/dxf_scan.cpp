#include "io/dxf_scan.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"
#include "core/utm_spain.hpp"

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

// Digits with at most one "." or ",", an optional sign in front: the form
// whose decimals redondeaCadena can cut as text. Two tight runs of digits:
// a drawing has millions of values.
bool decimalLlano(std::string_view v)
{
    const char* p = v.data();
    const char* const fin = p + v.size();
    auto digitos = [&] {
        const char* desde = p;
        while (p != fin && static_cast<unsigned char>(*p - '0') < 10) ++p;
        return p != desde;
    };
    if (p != fin && (*p == '-' || *p == '+')) ++p;
    const bool entera = digitos();
    if (p == fin) return entera;
    if (*p != '.' && *p != ',') return false;
    ++p;
    const bool decimales = digitos();
    return p == fin && (entera || decimales);
}

// Any other number ("4.4012345678E+05") in plain decimal form, shortest
// round trip: cutting the text of an exponent form cuts its mantissa and
// moves the vertex metres away. False for a text that is no finite number.
bool enFormaLlana(std::string_view v, std::string& llana)
{
    std::string punto(v);
    if (auto coma = punto.find(','); coma != std::string::npos) punto[coma] = '.';
    double valor = 0;
    if (!parseNumber(punto, '.', valor) || !std::isfinite(valor)) return false;
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed);
    if (ec != std::errc()) return false;
    llana.assign(buffer, end);
    return true;
}

bool esSeccion(std::string_view line) { return trimmed(line) == "SECTION"; }

}  // namespace

ResultadoDxf escaneaDxf(std::string_view text, CoordList& MX, CoordList& MY, const OtraPolilinea& otraPolilinea)
{
    // The first polyline entity of the drawing: its name follows a group
    // code 0, in the ENTITIES section (or anywhere in a bare list of
    // entities without sections). The same name as a class of the CLASSES
    // section (AutoCAD R14 writes one) is no polyline, and one in a block
    // definition is not drawn where it stands.
    ResultadoDxf resultado;
    LineReader reader(text);
    std::string_view line, anterior;
    bool encontrada = false, conSecciones = false, nombreSeccion = false, enEntidades = false;
    int tras = 0;  // lines since "0" / "SECTION", when the section's name is next
    while (!encontrada && reader.next(line)) {
        const bool trasCero = igualSinBlancos(anterior, "0");
        if (trasCero && esSeccion(line)) {
            conSecciones = nombreSeccion = true;
            tras = 0;
        } else if (nombreSeccion && ++tras == 2) {
            nombreSeccion = false;
            enEntidades = trimmed(line) == "ENTITIES";
        }
        encontrada = polilineaAlPrincipio(line) && trasCero && (enEntidades || !conSecciones);
        anterior = line;
    }
    if (!encontrada) return resultado;
    resultado.polilinea = true;

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
            if (enPolilinea && !otraPolilinea()) return resultado;
            continue;
        }
        const bool esX = igualSinBlancos(codigo, "10");
        if (!enPolilinea || (!esX && !igualSinBlancos(codigo, "20"))) continue;
        ++resultado.valores;
        std::string conBlancos;
        std::string_view v = valor;
        if (v.find(' ') != std::string_view::npos) v = conBlancos = sinBlancos(valor);
        // Plain decimal text is ASCII: its characters are its bytes.
        if (decimalLlano(v)) {
            if (v.size() <= 6) continue;
        } else {
            if (!enFormaLlana(v, conBlancos)) {
                if (characterCount(v) <= 6) continue;
                throw Failure(formatMessage(kNotAFloat, std::string(v)));
            }
            v = conBlancos;
            if (v.size() <= 6) continue;
        }
        (esX ? MX : MY).push_back(redondeaCadena(v, 4));
        ++resultado.tomados;
    }
    return resultado;
}

CargaDxf cargaDxf(Ui& ui, const std::filesystem::path& file, int huso, Polilineas cuales, DibujoDxf& dibujo)
{
    dibujo = {};
    std::string text;
    try {
        text = readText(file);
    } catch (const Failure&) {
        ui.message(kDxfNoSeAbre);
        return CargaDxf::noSeAbre;
    }
    // Read whole into lists of its own, each further polyline's start
    // noted, so that nothing of the window changes before it is judged.
    CoordList X, Y;
    std::vector<std::pair<std::size_t, std::size_t>> cortes{{0, 0}};
    const ResultadoDxf r = escaneaDxf(text, X, Y, [&] {
        dibujo.varias = true;
        if (cuales == Polilineas::primera) return false;
        cortes.emplace_back(X.size(), Y.size());
        return true;
    });
    if (r.tomados == 0) {
        // Said here, where the cause is known, rather than by a "Crear GML"
        // that later finds no coordinates.
        ui.message(r.valores == 0 ? kDxfSinPolilinea : kDxfNoUtm);
        return CargaDxf::vacio;
    }
    if (cortes.size() == 1) {
        dibujo.x.push_back(std::move(X));
        dibujo.y.push_back(std::move(Y));
    } else {
        cortes.emplace_back(X.size(), Y.size());
        for (std::size_t k = 0; k + 1 < cortes.size(); ++k) {
            dibujo.x.emplace_back(X.begin() + static_cast<std::ptrdiff_t>(cortes[k].first),
                                  X.begin() + static_cast<std::ptrdiff_t>(cortes[k + 1].first));
            dibujo.y.emplace_back(Y.begin() + static_cast<std::ptrdiff_t>(cortes[k].second),
                                  Y.begin() + static_cast<std::ptrdiff_t>(cortes[k + 1].second));
        }
    }

    // A drawing in local units passes the length rule with long decimals;
    // X and Y swapped pass it too.
    utm::Review review(huso);
    for (std::size_t k = 0; k < dibujo.x.size(); ++k) {
        if (!compruebaUtm(ui, review, dibujo.x[k], dibujo.y[k], NumberFormat::batch())) {
            dibujo = {};
            return CargaDxf::vacio;
        }
    }
    avisaHuso(ui, review);
    return CargaDxf::cargado;
}

bool esRechazoDxf(std::string_view message)
{
    return message == kDxfNoSeAbre || message == kDxfSinPolilinea || message == kDxfNoUtm || msg::esRechazoUtm(message);
}

}  // namespace vadrel
