#include "parcel/shift_form.hpp"

#include <algorithm>
#include <cmath>

#include "check/check_text.hpp"
#include "core/failure.hpp"
#include "core/text_file.hpp"
#include "core/utf8_path.hpp"
#include "georef/pair_file.hpp"
#include "georef/proposed_pairs.hpp"
#include "georef/shift_text.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel {

namespace {

bool blankRow(const FilaPar& f) { return f.n.empty() && f.xm.empty() && f.ym.empty() && f.xc.empty() && f.yc.empty(); }

std::string blanksTrimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t"), last = s.find_last_not_of(" \t");
    return first == std::string_view::npos ? "" : std::string(s.substr(first, last - first + 1));
}

}  // namespace

std::vector<FilaPar> rowsOf(const std::vector<georef::Pair>& pares)
{
    std::vector<FilaPar> rows;
    for (const georef::Pair& p : pares)
        rows.push_back({p.name, georef::fixed(p.measured.x, 3), georef::fixed(p.measured.y, 3),
                         georef::fixed(p.cadastral.x, 3), georef::fixed(p.cadastral.y, 3), ""});
    return rows;
}

TFDesplazamiento::TFDesplazamiento(Ui& ui, TFParcelgen& parcela) : Form(ui, nullptr), parcela_(parcela) {}

std::vector<georef::Pair> TFDesplazamiento::pairs() const
{
    std::vector<georef::Pair> out;
    for (std::size_t i = 0; i < SGPares.size(); ++i) {
        const FilaPar& f = SGPares[i];
        if (blankRow(f)) continue;
        const std::string rowNumber = std::to_string(i + 1);
        georef::Pair p;
        // The file writes "N;...": a name of its own with ";" would not read back.
        p.name = check::printable(blanksTrimmed(f.n), check::kLongestName);
        for (char& c : p.name)
            if (c == ';') c = ',';
        if (p.name.empty()) p.name = rowNumber;
        const std::pair<const std::string*, double*> cells[] = {
            {&f.xm, &p.measured.x}, {&f.ym, &p.measured.y}, {&f.xc, &p.cadastral.x}, {&f.yc, &p.cadastral.y}};
        for (const auto& [text, value] : cells)
            if (!georef::coordinateOf(*text, *value))
                throw Failure("Error. La fila " + rowNumber + " de los puntos comunes no tiene sus cuatro coordenadas: " +
                              (blanksTrimmed(*text).empty() ? "falta una."
                                                              : "\"" + check::printable(*text, check::kLongestName) +
                                                                    "\" no es un número."));
        out.push_back(std::move(p));
    }
    return out;
}

std::vector<compare::Arrow> TFDesplazamiento::flechas() const
{
    std::vector<compare::Arrow> out;
    for (std::size_t i = 0; i < SGPares.size(); ++i) {
        const FilaPar& f = SGPares[i];
        compare::Arrow a;
        if (georef::coordinateOf(f.xm, a.from.x) && georef::coordinateOf(f.ym, a.from.y) &&
            georef::coordinateOf(f.xc, a.to.x) && georef::coordinateOf(f.yc, a.to.y)) {
            // Named as the fit names its pair.
            a.name = check::printable(blanksTrimmed(f.n), check::kLongestName);
            if (a.name.empty()) a.name = std::to_string(i + 1);
            out.push_back(std::move(a));
        }
    }
    return out;
}

void TFDesplazamiento::BBProponerClick()
{
    if (!parcela_.comparacion) throw Failure(kSinComparacion);
    const std::vector<georef::Pair> proposed =
        georef::proposePairs(parcela_.nuevas, parcela_.cartografia, *parcela_.comparacion);
    if (proposed.empty()) return ui_.message(kSinPuntosCerca);
    SGPares = rowsOf(proposed);
    SGParesSeleccion.clear();
    MResultado.clear();
}

void TFDesplazamiento::BBAnadirClick()
{
    SGPares.push_back(FilaPar{std::to_string(SGPares.size() + 1), "", "", "", "", ""});
    SGParesSeleccion = {static_cast<int>(SGPares.size()) - 1};
}

void TFDesplazamiento::BBQuitarClick()
{
    std::vector<bool> drop(SGPares.size());
    for (int i : SGParesSeleccion)
        if (i >= 0 && static_cast<std::size_t>(i) < SGPares.size()) drop[static_cast<std::size_t>(i)] = true;
    std::vector<FilaPar> kept;
    for (std::size_t i = 0; i < SGPares.size(); ++i)
        if (!drop[i]) kept.push_back(std::move(SGPares[i]));
    SGPares = std::move(kept);
    SGParesSeleccion.clear();
}

void TFDesplazamiento::BBCargarClick()
{
    const std::optional<std::string> file = ui_.openFileName(kFiltroPares);
    if (!file) return;
    // Read whole before the table changes: a bad line leaves it as it was.
    SGPares = rowsOf(georef::readPairs(readText(pathFromUtf8(*file))));
    SGParesSeleccion.clear();
    MResultado.clear();
}

void TFDesplazamiento::BBGuardarClick()
{
    const std::vector<georef::Pair> p = pairs();
    if (p.empty()) throw Failure("Error. No hay puntos comunes que guardar.");
    const std::optional<std::string> file = ui_.saveFileName(kFiltroPares);
    if (!file) return;
    writeText(pathFromUtf8(*file), georef::pairsText(p));
}

bool TFDesplazamiento::compute()
{
    for (FilaPar& f : SGPares) f.residuo.clear();
    try {
        Calculo c;
        c.pares = pairs();
        c.ajuste = georef::fitPairs(c.pares);
        c.lineas = georef::shiftLines(c.pares, c.ajuste);
        MResultado = c.lineas;
        MResultado.insert(MResultado.end(), c.ajuste.warnings.begin(), c.ajuste.warnings.end());
        // The residuals beside their rows, the wholly empty rows skipped as the fit skipped them.
        std::size_t k = 0;
        for (FilaPar& f : SGPares)
            if (!blankRow(f) && k < c.ajuste.rigidResiduals.size()) f.residuo = georef::fixed(c.ajuste.rigidResiduals[k++], 3);
        calculo_ = std::move(c);
        return true;
    } catch (const Failure& f) {
        MResultado = {f.what()};
        calculo_.reset();
        return false;
    }
}

void TFDesplazamiento::BBCalcularClick() { compute(); }

void TFDesplazamiento::BBAplicarClick()
{
    if (!compute()) return;
    // The lists as the other buttons take them: a line empty in both
    // dropped, one with X and no Y refused before anything moves.
    CoordList x = parcela_.MX, y = parcela_.MY;
    limpiaCoordenadas(x, y);
    const std::vector<Punto> points = puntosDe(x, y, parcela_.formato);
    if (points.empty()) throw Failure("Error. No hay coordenadas de la parcela que desplazar.");
    const georef::Similarity& rigid = calculo_->ajuste.rigid;
    const std::vector<Punto> moved = georef::moved(rigid, points);
    // Less than the millimetre the lists are written in: nothing to ask,
    // and the shift applied before stays the report's.
    double largest = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        largest = std::max(largest, std::hypot(moved[i].x - points[i].x, moved[i].y - points[i].y));
    if (largest < 0.0005) {
        MResultado.push_back(kNadaQueAplicar);
        return;
    }
    if (!ui_.confirm(kPreguntaAplicar, false)) return;
    for (std::size_t i = 0; i < moved.size(); ++i) {
        x[i] = georef::fixed(moved[i].x, 3);
        y[i] = georef::fixed(moved[i].y, 3);
    }
    parcela_.MX = std::move(x);
    parcela_.MY = std::move(y);
    // The measured points move with the survey they belong to: computed
    // again, the pairs give no shift, and a second "Aplicar" moves nothing.
    std::size_t k = 0;
    for (FilaPar& f : SGPares) {
        if (blankRow(f) || k >= calculo_->pares.size()) continue;
        const Punto p = rigid(calculo_->pares[k++].measured);
        f.xm = georef::fixed(p.x, 3);
        f.ym = georef::fixed(p.y, 3);
    }
    // The comparison was of the parcel where it was.
    parcela_.comparacion.reset();
    calculo_->aplicado = true;
    aplicado_ = calculo_;
    MResultado.push_back(kAplicado);
}

const TFDesplazamiento::Calculo* TFDesplazamiento::paraInforme() const
{
    if (aplicado_) return &*aplicado_;
    return calculo_ ? &*calculo_ : nullptr;
}

bool TFDesplazamiento::dibujaComparacion(Canvas& canvas, int side) const
{
    if (!parcela_.comparacion) return false;
    compare::PictureParts parts = compare::partsOf(*parcela_.comparacion, parcela_.cartografia, parcela_.nuevas);
    parts.arrows = flechas();
    compare::drawComparison(canvas, side, parts);
    return true;
}

void TFDesplazamiento::limpia()
{
    SGPares.clear();
    SGParesSeleccion.clear();
    MResultado.clear();
    calculo_.reset();
    aplicado_.reset();
}

std::string TFDesplazamiento::sinDibujo() const
{
    if (aplicado_ && !parcela_.comparacion)
        return "Coordenadas desplazadas: vuelva a comparar con el catastro para ver la parcela sobre la cartografía.";
    return "Sin comparación con el catastro: la parcela y sus puntos comunes se dibujan después de \"Comparar con "
           "Catastro\".";
}

}  // namespace vadrel
