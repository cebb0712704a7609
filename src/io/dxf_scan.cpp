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
#include "io/arc_lists.hpp"
#include "io/dxf_polylines.hpp"

namespace vadrel {

namespace {

// Group codes come padded ("  10"), and values may be too.
std::string sinBlancos(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    for (char c : line)
        if (c != ' ') out += c;
    return out;
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

// The values of the polylines read into the lists as the windows take
// them, each polyline's arcs replaced once it ends.
class AListas : public LectorPolilineas {
public:
    AListas(CoordList& MX, CoordList& MY, const OtraPolilinea& otra, double flecha, ResultadoDxf& resultado,
            std::size_t lineas)
        : MX_(MX), MY_(MY), otra_(otra), flecha_(flecha), resultado_(resultado), lineas_(lineas)
    {
    }

    bool empieza(std::size_t k) override
    {
        if (k > 0 && !otra_()) return false;
        if (k == 0) {
            // A vertex takes four lines (10, X, 20, Y): room for them at
            // once, so that a large drawing does not copy the lists as they
            // grow.
            MX_.reserve(MX_.size() + lineas_ / 4 + 1);
            MY_.reserve(MY_.size() + lineas_ / 4 + 1);
        }
        desdeX_ = MX_.size();
        desdeY_ = MY_.size();
        vertices_ = 0;
        bulges_.clear();
        return true;
    }

    void valor(bool esX, std::string_view valor) override
    {
        ++resultado_.valores;
        if (esX) ++vertices_;
        std::string conBlancos;
        std::string_view v = valor;
        if (v.find(' ') != std::string_view::npos) v = conBlancos = sinBlancos(valor);
        // Plain decimal text is ASCII: its characters are its bytes.
        if (decimalLlano(v)) {
            if (v.size() <= 6) return;
        } else {
            if (!enFormaLlana(v, conBlancos)) {
                if (characterCount(v) <= 6) return;
                throw Failure(formatMessage(kNotAFloat, std::string(v)));
            }
            v = conBlancos;
            if (v.size() <= 6) return;
        }
        (esX ? MX_ : MY_).push_back(redondeaCadena(v, 4));
        ++resultado_.tomados;
    }

    void bulge(std::size_t vertice, std::string_view texto) override
    {
        double b = 0;
        std::string t(trimmed(texto));
        if (auto coma = t.find(','); coma != std::string::npos) t[coma] = '.';
        if (!parseNumber(t, '.', b) || !std::isfinite(b)) throw Failure(formatMessage(kNotAFloat, t));
        if (bulges_.size() <= vertice) bulges_.resize(vertice + 1, 0.0);
        bulges_[vertice] = b;
    }

    void termina(bool cerrada) override
    {
        // Only a polyline whose every vertex was taken whole: one that lost
        // short values is refused by its length anyway.
        if (bulges_.empty() || MX_.size() - desdeX_ != vertices_ || MY_.size() - desdeY_ != vertices_ ||
            desdeX_ != desdeY_)
            return;
        resultado_.arcos += sustituyeArcos(MX_, MY_, desdeX_, bulges_, cerrada, flecha_, resultado_.arcos.puntos);
    }

private:
    CoordList& MX_;
    CoordList& MY_;
    const OtraPolilinea& otra_;
    double flecha_;
    ResultadoDxf& resultado_;
    std::size_t lineas_;
    std::size_t desdeX_ = 0, desdeY_ = 0, vertices_ = 0;
    std::vector<double> bulges_;
};

}  // namespace

ResultadoDxf escaneaDxf(std::string_view text, CoordList& MX, CoordList& MY, const OtraPolilinea& otraPolilinea,
                        double flecha)
{
    ResultadoDxf resultado;
    const auto lineas = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    AListas lector(MX, MY, otraPolilinea, flecha, resultado, lineas);
    resultado.polilinea = recorrePolilineas(text, lector) != ClasePolilinea::ninguna;
    return resultado;
}

CargaDxf cargaDxf(Ui& ui, const std::filesystem::path& file, int huso, Polilineas cuales, DibujoDxf& dibujo,
                  double flecha)
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
    const ResultadoDxf r = escaneaDxf(
        text, X, Y,
        [&] {
            dibujo.varias = true;
            if (cuales == Polilineas::primera) return false;
            cortes.emplace_back(X.size(), Y.size());
            return true;
        },
        flecha);
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
    if (const std::string arcos = mensajeArcos(r.arcos, flecha); !arcos.empty()) ui.message(arcos);
    return CargaDxf::cargado;
}

bool esRechazoDxf(std::string_view message)
{
    return message == kDxfNoSeAbre || message == kDxfSinPolilinea || message == kDxfNoUtm || msg::esRechazoUtm(message);
}

}  // namespace vadrel
