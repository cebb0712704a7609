#include "report/report_georef.hpp"

#include "check/check_text.hpp"
#include "georef/shift_text.hpp"

namespace vadrel::report {

namespace {

constexpr double kAnchoUtil = kAnchoPagina - 2 * kMargen;
// The pairs' columns: left edge and width, mm.
struct Hueco {
    double x, ancho;
};
constexpr Hueco kColumnasPares[] = {{kMargen, 12},       {kMargen + 14, 30},  {kMargen + 46, 32},
                                    {kMargen + 80, 30},  {kMargen + 112, 32}, {kMargen + 146, kAnchoUtil - 146}};

std::vector<Columna> filaPares(const std::vector<std::string>& celdas, bool negrita)
{
    std::vector<Columna> fila;
    for (std::size_t i = 0; i < celdas.size(); ++i)
        fila.push_back(Columna{kColumnasPares[i].x, kColumnasPares[i].ancho, {Parrafo{celdas[i], Letra{kTextoTabla, negrita}}}});
    return fila;
}

// " m2" as a unit (then a blank, a comma, a bracket or the end) as " m²".
std::string conM2(std::string texto)
{
    for (std::size_t at = texto.find(" m2"); at != std::string::npos; at = texto.find(" m2", at + 1)) {
        const std::size_t tras = at + 3;
        if (tras == texto.size() || texto[tras] == ' ' || texto[tras] == ',' || texto[tras] == ')')
            texto.replace(at, 3, " m²");
    }
    return texto;
}

std::vector<Columna> parrafo(const std::string& texto, bool negrita)
{
    return {Columna{kMargen, kAnchoUtil, {Parrafo{texto, Letra{kTexto, negrita}}}}};
}

}  // namespace

void anadeDesplazamiento(DatosInforme& d, const std::vector<georef::Pair>& pares, const georef::Fit& ajuste,
                         bool aplicado)
{
    Georreferenciacion& g = d.georreferenciacion;
    g.pares.clear();
    for (std::size_t i = 0; i < pares.size(); ++i) {
        const georef::Pair& p = pares[i];
        const double residuo = i < ajuste.rigidResiduals.size() ? ajuste.rigidResiduals[i] : 0;
        g.pares.push_back({p.name, check::spanishNumber(p.measured.x, 3), check::spanishNumber(p.measured.y, 3),
                           check::spanishNumber(p.cadastral.x, 3), check::spanishNumber(p.cadastral.y, 3),
                           check::spanishNumber(residuo, 3)});
    }
    g.lineas = georef::shiftLines(pares, ajuste, ',');
    for (const georef::Fit::Outlier& o : ajuste.outliers)
        g.lineas.push_back(georef::outlierWarning(o.name, check::spanishNumber(o.residual, 3)));
    g.aplicado = aplicado;
}

Georreferenciacion visible(const Georreferenciacion& g)
{
    Georreferenciacion v = g;
    for (ParInforme& p : v.pares) p.nombre = check::visible(p.nombre, check::kLongestName);
    for (std::string& l : v.lineas) l = check::visible(l);
    v.tolerancia = conM2(check::visible(v.tolerancia));
    v.registral = conM2(check::visible(v.registral));
    return v;
}

void bloqueGeorreferenciacion(Flujo& flujo, const Georreferenciacion& g, double paso)
{
    if (g.vacia()) return;
    const auto encabeza = [&](bool sigue) {
        flujo.bloque(parrafo(std::string(kTituloGeorreferenciacion) + (sigue ? " (continuación)" : ""), true), paso);
        flujo.actual().rayas.push_back(Raya{kMargen, flujo.y(), kAnchoUtil, false});
        flujo.baja(0.8);
    };
    flujo.baja(3);
    // The heading never alone at a page's foot.
    flujo.reserva(3 * paso + 0.8);
    encabeza(false);
    const std::vector<std::string> titulos{"Nº", "X medido", "Y medido", "X catastro", "Y catastro", "Residuo (m)"};
    if (!g.pares.empty()) {
        flujo.bloque(parrafo("Puntos comunes (residuo de la transformación rígida)", false), paso);
        flujo.bloque(filaPares(titulos, true), paso);
        for (const ParInforme& p : g.pares)
            flujo.bloque(filaPares({p.nombre, p.xm, p.ym, p.xc, p.yc, p.residuo}, false), paso, [&] {
                encabeza(true);
                flujo.bloque(filaPares(titulos, true), paso);
            });
        flujo.baja(1.5);
    }
    // The figures kept together: onto the next page whole when they fit one.
    std::vector<std::string> textos = g.lineas;
    if (g.aplicado) textos.push_back(kAplicadoAlInforme);
    for (const std::string* l : {&g.tolerancia, &g.registral})
        if (!l->empty()) textos.push_back(*l);
    textos.push_back(kQuienDecide);
    Columna cifras{kMargen, kAnchoUtil, {}};
    for (const std::string& t : textos) cifras.parrafos.push_back(Parrafo{t, Letra{kTexto, false}});
    flujo.bloque({cifras}, paso, [&] { encabeza(true); });
}

}  // namespace vadrel::report
