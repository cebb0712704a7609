#include "io/arc_lists.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/arcs.hpp"
#include "core/geometry.hpp"
#include "core/number_format.hpp"

namespace vadrel {

namespace {

std::optional<Punto> puntoDe(const std::string& x, const std::string& y)
{
    // The imports write "." or "," as they found it.
    const char sep = x.find(',') != std::string::npos || y.find(',') != std::string::npos ? ',' : '.';
    Punto p;
    if (!parseNumber(x, sep, p.x) || !parseNumber(y, sep, p.y) || !std::isfinite(p.x) || !std::isfinite(p.y))
        return std::nullopt;
    return p;
}

double area(const std::vector<Punto>& puntos) { return std::fabs(doubleSignedArea(puntos)) / 2; }

}  // namespace

ResumenArcos& ResumenArcos::operator+=(const ResumenArcos& otro)
{
    arcos += otro.arcos;
    tramos += otro.tramos;
    cambioSuperficie += otro.cambioSuperficie;
    puntos += otro.puntos;
    flechaMaxima = std::max(flechaMaxima, otro.flechaMaxima);
    return *this;
}

ResumenArcos sustituyeArcos(CoordList& MX, CoordList& MY, std::size_t desde, const std::vector<double>& bulges,
                            bool cerrada, double flecha, std::size_t yaInsertados)
{
    ResumenArcos resumen;
    if (!(flecha > 0) || MX.size() != MY.size() || desde > MX.size()) return resumen;
    const std::size_t n = MX.size() - desde;
    std::vector<Punto> vertices;
    vertices.reserve(n);
    for (std::size_t i = desde; i < MX.size(); ++i) {
        const std::optional<Punto> p = puntoDe(MX[i], MY[i]);
        if (!p) return resumen;
        vertices.push_back(*p);
    }

    CoordList x, y;
    std::vector<Punto> conArcos;
    for (std::size_t i = 0; i < n; ++i) {
        x.push_back(std::move(MX[desde + i]));
        y.push_back(std::move(MY[desde + i]));
        conArcos.push_back(vertices[i]);
        const bool ultimo = i + 1 == n;
        if (i >= bulges.size() || (ultimo && (!cerrada || n < 2))) continue;
        const Punto q = vertices[ultimo ? 0 : i + 1];
        if (!arcos::esArco(vertices[i], q, bulges[i]) ||
            arcos::flechaDeTramos(vertices[i], q, bulges[i], 1) < arcos::kFlechaMinima)
            continue;
        ++resumen.arcos;
        const std::size_t tramos = arcos::tramosDelArco(vertices[i], q, bulges[i], flecha);
        if (yaInsertados + resumen.puntos + tramos - 1 > arcos::kMaxPuntosPorDibujo) {
            ++resumen.tramos;
            resumen.flechaMaxima = std::max(resumen.flechaMaxima, arcos::flechaDeTramos(vertices[i], q, bulges[i], 1));
            continue;
        }
        resumen.flechaMaxima = std::max(resumen.flechaMaxima, arcos::flechaDeTramos(vertices[i], q, bulges[i], tramos));
        resumen.tramos += tramos;
        resumen.puntos += tramos - 1;
        for (const Punto& p : arcos::puntosDelArco(vertices[i], q, bulges[i], flecha)) {
            x.push_back(formatFixed(p.x, 4, '.'));
            y.push_back(formatFixed(p.y, 4, '.'));
            conArcos.push_back(p);
        }
    }
    MX.resize(desde);
    MY.resize(desde);
    MX.insert(MX.end(), std::make_move_iterator(x.begin()), std::make_move_iterator(x.end()));
    MY.insert(MY.end(), std::make_move_iterator(y.begin()), std::make_move_iterator(y.end()));
    resumen.cambioSuperficie = std::fabs(area(conArcos) - area(vertices));
    return resumen;
}

std::string mensajeArcos(const ResumenArcos& resumen, double flecha)
{
    if (resumen.arcos == 0) return {};
    // The tolerance asked for, unless an arc could not keep it (the limits
    // on chords): then the distance there really is, never a promise broken.
    if (resumen.flechaMaxima > flecha) flecha = std::ceil(resumen.flechaMaxima * 1000) / 1000;
    return "El dibujo tiene " + std::to_string(resumen.arcos) + " arcos; se han sustituido por " +
           std::to_string(resumen.tramos) + " tramos rectos (flecha máxima " + formatGeneral(flecha, ',') +
           " m). La superficie cambia en " + formatFixed(resumen.cambioSuperficie, 2, ',') +
           " m² respecto a unir los vértices con rectas.";
}

}  // namespace vadrel
