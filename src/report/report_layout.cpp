// The report's pages: scale, table rows and figures, worked out without
// any drawing library so the layout rules are tested on their own.

#include "report/report_layout.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "check/check_text.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "report/plan_labels.hpp"
#include "report/report_flow.hpp"
#include "report/report_georef.hpp"
#include "report/report_numbers.hpp"

namespace vadrel::report {

namespace {

// The room the plan's drawing leaves for labels, the north arrow and the
// scale bar.
constexpr double kHolguraPlano = 8;
constexpr double kSeparacionColumnas = kAnchoPagina - 2 * kMargen - 2 * kAnchoColumna;
constexpr double kAltoCabeceraTabla = 5;
constexpr double kAnchoUtil = kAnchoPagina - 2 * kMargen;
// The heading: the title's lines, then two columns: the parcel on the
// left, who signs and for whom on the right.
constexpr double kAltoTitulo = 7, kPasoCabecera = 5;
constexpr double kAnchoParcela = 96, kEntreColumnas = 4;
constexpr double kTrasCabecera = 2;  // from the heading's rule to the page's content
// The blocks under the plan: figures on the left, the check on the right.
constexpr double kPaso = 4.5;
constexpr double kAnchoMitad = kAnchoUtil / 2 - 3;
constexpr double kPasoRotulo = 3.8;  // the line of vertices without a number
// The comparison's table: what is measured, and its figure.
constexpr double kAnchoConcepto = 85, kEntreComparacion = 4;
// The widest geometry a plan takes: at 1:1000000 it is 100 mm, and past
// it a parcel is a mistake of units or of zone, not a parcel.
constexpr double kMayorExtension = 100000;
const char* const kDemasiadoGrande = "Error. La geometría mide más de 100 km; no cabe en un plano.";

// A field from the file or the window: no character that hides, reorders
// or forges text, and no longer than a name the program shows whole.
std::string campo(std::string_view texto) { return check::visible(texto, check::kLongestName); }
// A line made of such fields (cut where they were put in): only escaped.
std::string linea(std::string_view texto) { return check::visible(texto); }

double longitud(Punto a, Punto b) { return std::hypot(b.x - a.x, b.y - a.y); }

double perimetro(const std::vector<Punto>& p)
{
    double total = 0;
    for (std::size_t i = 0; i < p.size(); ++i) total += longitud(p[i], p[(i + 1) % p.size()]);
    return total;
}

double area(const std::vector<Punto>& p) { return std::abs(doubleSignedArea(p)) / 2; }

std::string m2(double v) { return check::spanishNumber(v, 2) + " m²"; }

std::vector<Punto> puntosDe(const AnilloInforme& a, const NumberFormat& fmt)
{
    if (a.x.size() < 3 || a.x.size() != a.y.size())
        throw Failure("Error. El informe necesita al menos tres vértices en cada anillo" +
                      (a.titulo.empty() ? std::string() : " (" + linea(a.titulo) + ")") + ".");
    return vadrel::puntosDe(a.x, a.y, fmt);
}

struct Cabecera {
    std::vector<std::string> parcela, firma;  // the left column, the right
};

Cabecera cabecera(const DatosInforme& d)
{
    const std::string epsg = husoAEpsg(d.huso);
    Cabecera c;
    c.parcela.push_back("Referencia: " + campo(d.referencia) + (d.catastral ? " (catastral)" : " (nueva)"));
    if (!d.firma.situacion.empty()) c.parcela.push_back("Situación: " + campo(d.firma.situacion));
    c.parcela.push_back("Huso " + campo(d.huso) + " · EPSG:" + campo(epsg) + " · " + nombreEpsg(epsg));
    c.parcela.push_back("Fecha: " + campo(d.fecha));
    const auto firma = [&](const char* rotulo, const std::string& valor) {
        if (!valor.empty()) c.firma.push_back(rotulo + campo(valor));
    };
    firma("Autor: ", d.firma.autor);
    firma("Titulación y nº de colegiado: ", d.firma.colegiado);
    firma("Cliente: ", d.firma.cliente);
    return c;
}

// What heads every page, placed once: the title, the two columns under
// it and the rule below them, at least as low as kCabeceraAlto.
struct Encabezado {
    std::vector<Linea> lineas;
    Raya raya;
};

Encabezado encabezado(const std::string& titulo, const Cabecera& c, const MedidaTexto& medida)
{
    Encabezado e;
    double y = kMargen;
    const Letra titular{kTitulo, true};
    for (std::string& l : parteEnLineas(titulo, kAnchoUtil, titular, medida)) {
        e.lineas.push_back(Linea{std::move(l), kMargen, y, kAnchoUtil, kAltoTitulo, titular});
        y += kAltoTitulo;
    }
    y += 1;
    // The columns set as any block, on a sheet of their own.
    std::vector<Pagina> hoja;
    Flujo columnas(hoja, medida, [y](Pagina&) { return y; });
    Columna parcela{kMargen, kAnchoParcela, {}}, firma{kMargen + kAnchoParcela + kEntreColumnas,
                                                       kAnchoUtil - kAnchoParcela - kEntreColumnas, {}};
    for (const std::string& l : c.parcela) parcela.parrafos.push_back(Parrafo{l});
    for (const std::string& l : c.firma) firma.parrafos.push_back(Parrafo{l});
    columnas.bloque({parcela, firma}, kPasoCabecera);
    for (const Pagina& p : hoja) e.lineas.insert(e.lineas.end(), p.lineas.begin(), p.lineas.end());
    e.raya = Raya{kMargen, std::max(kMargen + kCabeceraAlto, columnas.y() + 1), kAnchoUtil, true};
    return e;
}

// Only beside a comparison: alone, the plan's one fill needs no key.
void leyenda(Plano& pl, const DatosInforme& d, const MedidaTexto& medida)
{
    if (d.fondo.empty()) return;
    using M = ElementoLeyenda::Muestra;
    std::vector<std::pair<M, std::string>> elementos{
        {M::nueva, d.edificio ? "Construcciones" : "Geometría nueva"},
        {M::catastral, d.edificio ? "Parcela catastral" : "Parcelas catastrales"}};
    if (!d.solapes.empty()) elementos.push_back({M::solape, d.edificio ? "Fuera de la parcela" : "Solapes"});
    constexpr double paso = 3.2, muestra = 4, margen = 1.5;
    double ancho = 0;
    for (const auto& e : elementos) ancho = std::max(ancho, medida.ancho(e.second, kPuntosLeyenda));
    const double x = pl.caja.x + pl.caja.ancho - margen - ancho;
    double y = pl.caja.y + pl.caja.alto - margen - paso * static_cast<double>(elementos.size());
    pl.figuras.push_back(Caja{x - muestra - 1.5, y - 0.5, ancho + muestra + 2, paso * elementos.size() + 0.5});
    for (auto& e : elementos) {
        pl.leyenda.push_back(ElementoLeyenda{e.first, std::move(e.second), Caja{x, y, ancho, paso}});
        y += paso;
    }
}

// The plan's box across the page from `arriba` down.
Plano plano(const std::vector<std::vector<Punto>>& anillos, const DatosInforme& d, const MedidaTexto& medida,
            double arriba)
{
    Extension e;
    for (const auto& a : anillos) e.anade(a);
    Plano pl;
    pl.caja = {kMargen, arriba, kAnchoPagina - 2 * kMargen, kPlanoAlto};
    pl.centro = {(e.minX + e.maxX) / 2, (e.minY + e.maxY) / 2};
    pl.escala = escalaRedonda(e.maxX - e.minX, e.maxY - e.minY, pl.caja.ancho - 2 * kHolguraPlano,
                              pl.caja.alto - 2 * kHolguraPlano);
    pl.barraMetros = barraDeEscala(pl.escala, pl.caja.ancho / 3);
    pl.barraMm = pl.barraMetros * 1000 / pl.escala;
    pl.textoEscala = "Escala 1:" + std::to_string(pl.escala);
    pl.textoBarra = check::spanishNumber(pl.barraMetros, pl.barraMetros < 1 ? 2 : 0) + " m";
    // The north arrow in the top right corner; the scale bar in the bottom
    // left, its title above it and its lengths under its ends.
    pl.cajaNorte = {pl.caja.x + pl.caja.ancho - 12.5, pl.caja.y + 2, 7, 13.5};
    const double anchoEscala = medida.ancho(pl.textoEscala, kPuntosEscala);
    const double anchoLargo = medida.ancho(pl.textoBarra, kPuntosBarra);
    pl.cajaBarra = {pl.caja.x + 1.5, pl.caja.y + pl.caja.alto - 13.5,
                    3.5 + std::max(anchoEscala, pl.barraMm + anchoLargo / 2) + 0.5, 12.5};
    const double x = pl.cajaBarra.x + 3.5, y = pl.cajaBarra.y + 7.5;  // the bar's top left
    pl.figuras = {pl.cajaNorte, Caja{x - 0.3, y - 6.6, anchoEscala + 0.6, 3.2},
                  Caja{x - 1.5, y - 0.3, 1.8 + pl.barraMm + anchoLargo / 2, 5}};
    leyenda(pl, d, medida);
    int numero = 1;
    for (std::size_t i = 0; i < anillos.size(); ++i) {
        AnilloPlano a;
        a.interior = d.anillos[i].interior;
        a.piscina = d.anillos[i].piscina;
        a.primerNumero = numero;
        for (Punto p : anillos[i]) a.puntos.push_back(pl.aPagina(p));
        numero += static_cast<int>(anillos[i].size());
        pl.anillos.push_back(std::move(a));
    }
    numeraVertices(pl, medida);
    return pl;
}

// The whole parcel's centroid: each ring's weighed by its area, the holes'
// taken away.
Punto centroide(const DatosInforme& d, const std::vector<std::vector<Punto>>& anillos, double superficie)
{
    if (!(superficie > 0)) return CalculaCentroide(anillos.front());
    Punto c;
    for (std::size_t i = 0; i < anillos.size(); ++i) {
        const double a = area(anillos[i]) * (d.anillos[i].interior ? -1 : 1);
        if (a == 0) continue;
        const Punto ci = CalculaCentroide(anillos[i]);
        c.x += ci.x * a / superficie;
        c.y += ci.y * a / superficie;
    }
    return c;
}

std::vector<Cifra> cifrasParcela(const DatosInforme& d, const std::vector<std::vector<Punto>>& anillos)
{
    // Every surface counts, its holes taken away; the perimeter is that of
    // the surfaces' outer rings.
    double superficie = 0, perimetroExterior = 0;
    for (std::size_t i = 0; i < anillos.size(); ++i) {
        superficie += area(anillos[i]) * (d.anillos[i].interior ? -1 : 1);
        if (!d.anillos[i].interior) perimetroExterior += perimetro(anillos[i]);
    }
    std::vector<Cifra> out;
    out.push_back({"Superficie calculada con las coordenadas: " + m2(superficie)});
    // Read as "Crear GML" reads the field.
    std::optional<double> declarada;
    try {
        declarada = MiStrToFloat(d.superficieDeclarada, d.formato);
    } catch (const Failure&) {
    }
    if (d.superficieDeclarada.empty()) {
        out.push_back({"Superficie declarada en el GML: ninguna", true});
    } else if (!declarada) {
        out.push_back(
            {"Superficie declarada en el GML: " + campo(d.superficieDeclarada) + " (no es un número)", true});
    } else if (std::abs(*declarada - superficie) > 1.0) {
        out.push_back({"Superficie declarada en el GML: " + campo(withComma(d.superficieDeclarada)) +
                           " m², difiere en " + m2(std::abs(*declarada - superficie)) + " de la calculada",
                       true});
    } else {
        out.push_back({"Superficie declarada en el GML: " + campo(withComma(d.superficieDeclarada)) + " m²"});
    }
    out.push_back({"Perímetro: " + check::spanishNumber(perimetroExterior, 2) + " m"});
    std::size_t vertices = 0;
    for (const auto& a : anillos) vertices += a.size();
    out.push_back({"Número de vértices: " + std::to_string(vertices)});
    const Punto c = centroide(d, anillos, superficie);
    out.push_back({"Centroide: X " + check::spanishNumber(c.x, 2) + "   Y " + check::spanishNumber(c.y, 2)});
    return out;
}

std::vector<Cifra> cifrasEdificio(const DatosInforme& d, const std::vector<std::vector<Punto>>& anillos)
{
    double edificado = 0, piscinas = 0;
    std::size_t vertices = 0, numPiscinas = 0;
    for (std::size_t i = 0; i < anillos.size(); ++i) {
        const double a = area(anillos[i]) * (d.anillos[i].interior ? -1 : 1);
        (d.anillos[i].piscina ? piscinas : edificado) += a;
        numPiscinas += d.anillos[i].piscina ? 1 : 0;
        vertices += anillos[i].size();
    }
    std::vector<Cifra> out;
    out.push_back({"Superficie en planta de las edificaciones: " + m2(edificado)});
    out.push_back({"Superficie de las piscinas: " + m2(piscinas)});
    out.push_back({"Superficie construida declarada: " + (d.superficieConstruida.empty()
                                                              ? std::string("ninguna")
                                                              : campo(withComma(d.superficieConstruida)) + " m²")});
    out.push_back({"Construcciones: " + std::to_string(anillos.size()) + " (" + std::to_string(numPiscinas) +
                   (numPiscinas == 1 ? " piscina)" : " piscinas)")});
    out.push_back({"Número de vértices: " + std::to_string(vertices)});
    return out;
}

std::vector<Fila> filas(const DatosInforme& d, const std::vector<std::vector<Punto>>& anillos, const MedidaTexto& medida)
{
    std::vector<Fila> out;
    int numero = 1;
    for (std::size_t i = 0; i < anillos.size(); ++i) {
        const AnilloInforme& a = d.anillos[i];
        const auto& p = anillos[i];
        if (!a.titulo.empty()) {
            const std::string titulo = linea(d.edificio ? a.titulo + " · " + m2(area(p)) : a.titulo);
            for (std::string& l : parteEnLineas(titulo, kAnchoColumna, Letra{kTextoTabla, true}, medida)) {
                Fila t;
                t.titulo = true;
                t.texto = std::move(l);
                out.push_back(std::move(t));
            }
        }
        // Each ring's X and Y columns to the decimals of their most precise text.
        const std::vector<std::string> x = paddedColumn(a.x), y = paddedColumn(a.y);
        // A text too wide for its cell (digits typed by the hundred) goes
        // on in the rows under its vertex.
        const Letra celda{kTextoTabla, false};
        constexpr double kHueco = 2;  // between a cell's text and the one on its left
        for (std::size_t v = 0; v < p.size(); ++v) {
            const std::vector<std::string> xs = parteEnLineas(x[v], kFinX - kFinNumero - kHueco, celda, medida),
                                           ys = parteEnLineas(y[v], kFinY - kFinX - kHueco, celda, medida),
                                           lados = parteEnLineas(check::spanishNumber(longitud(p[v], p[(v + 1) % p.size()]), 2),
                                                                 kFinLado - kFinY - kHueco, celda, medida);
            const std::size_t renglones = std::max({xs.size(), ys.size(), lados.size()});
            for (std::size_t r = 0; r < renglones; ++r) {
                Fila f;
                f.numero = numero;
                f.sigue = r > 0;
                f.x = r < xs.size() ? xs[r] : "";
                f.y = r < ys.size() ? ys[r] : "";
                f.lado = r < lados.size() ? lados[r] : "";
                out.push_back(std::move(f));
            }
            ++numero;
        }
    }
    return out;
}

// The rows from `i` that go together: a ring's name, the vertex under it
// and the rest of that vertex's texts.
std::size_t grupo(const std::vector<Fila>& filas, std::size_t i)
{
    std::size_t n = i;
    while (n < filas.size() && filas[n].titulo) ++n;
    if (n < filas.size()) ++n;
    while (n < filas.size() && filas[n].sigue) ++n;
    return n - i;
}

// Rows into columns, two a page, from where the flow has got to; a page
// that has not room for the headings and the first rows is left for the
// next, and rows that go together are never parted by a column's foot.
void tabla(Flujo& flujo, std::vector<Fila> todas)
{
    flujo.reserva(kAltoCabeceraTabla + static_cast<double>(grupo(todas, 0)) * kAltoFila);
    std::size_t siguiente = 0;
    while (true) {
        Pagina& p = flujo.actual();
        p.cabeceraY = flujo.y();
        const double primera = p.cabeceraY + kAltoCabeceraTabla;
        const auto porColumna = std::max<std::size_t>(1, static_cast<std::size_t>((kFinPagina - primera) / kAltoFila));
        for (double x : {kMargen, kMargen + kAnchoColumna + kSeparacionColumnas}) {
            if (siguiente >= todas.size()) break;
            p.columnas.push_back(x);
            std::size_t quedan = 0;  // of the group being placed
            for (std::size_t r = 0; r < porColumna && siguiente < todas.size(); ++r) {
                if (quedan == 0) {
                    quedan = grupo(todas, siguiente);
                    if (r > 0 && r + quedan > porColumna) break;
                }
                --quedan;
                Fila f = std::move(todas[siguiente++]);
                f.posX = x;
                f.posY = primera + static_cast<double>(r) * kAltoFila;
                p.filas.push_back(std::move(f));
            }
        }
        if (siguiente >= todas.size()) return;
        flujo.nuevaPagina();
    }
}

// The plan where the flow has got to: plano() lays it out under a heading
// of the usual height, and a taller one moves it down.
// "15, 20, 31–36": a run of three or more as its ends, so that a dense
// ring's list stays a line or two under the plan.
std::string listaDeNumeros(const std::vector<int>& numeros)
{
    std::string out;
    for (std::size_t i = 0; i < numeros.size();) {
        std::size_t fin = i;
        while (fin + 1 < numeros.size() && numeros[fin + 1] == numeros[fin] + 1) ++fin;
        if (!out.empty()) out += ", ";
        if (fin - i >= 2) {
            out += std::to_string(numeros[i]) + "–" + std::to_string(numeros[fin]);
            i = fin + 1;
        } else {
            out += std::to_string(numeros[i]);
            ++i;
        }
    }
    return out;
}

// Figures on the left, the check on the right, side by side.
void cifrasYComprobacion(Flujo& flujo, const Informe& inf)
{
    Columna cifras{kMargen, kAnchoMitad, {}}, comprobacion{kAnchoPagina / 2 + 3, kAnchoMitad, {}};
    for (const Cifra& c : inf.cifras) cifras.parrafos.push_back(Parrafo{c.texto, Letra{kTexto, false}, c.aviso});
    for (std::size_t i = 0; i < inf.comprobacion.size(); ++i)
        comprobacion.parrafos.push_back(
            Parrafo{(i == 0 ? "Comprobación del GML: " : "") + inf.comprobacion[i], Letra{kTexto, i == 0}});
    flujo.bloque({cifras, comprobacion}, kPaso, {}, kLineasCifras * kPaso);
}

// The comparison's table across the page, under its heading, which
// heads it again on each page it goes on to.
void comparacion(Flujo& flujo, const std::vector<FilaComparacion>& filas)
{
    if (filas.empty()) return;
    const auto fila = [](const FilaComparacion& f) {
        const double valorX = kMargen + kAnchoConcepto + kEntreComparacion;
        return std::vector<Columna>{Columna{kMargen, kAnchoConcepto, {Parrafo{f.concepto}}},
                                    Columna{valorX, kMargen + kAnchoUtil - valorX, {Parrafo{f.valor}}}};
    };
    const auto encabeza = [&](bool sigue) {
        flujo.bloque({Columna{kMargen, kAnchoUtil,
                              {Parrafo{std::string("Comparación con la cartografía catastral") +
                                           (sigue ? " (continuación)" : ""),
                                       Letra{kTexto, true}}}}},
                     kPaso);
        flujo.actual().rayas.push_back(Raya{kMargen, flujo.y(), kAnchoUtil, false});
        flujo.baja(0.8);
    };
    flujo.baja(3);
    // The heading never alone at a page's foot.
    flujo.reserva(kPaso + 0.8 + flujo.alto(fila(filas.front()), kPaso));
    encabeza(false);
    for (const FilaComparacion& f : filas) flujo.bloque(fila(f), kPaso, [&] { encabeza(true); });
}

}  // namespace

int escalaRedonda(double ancho, double alto, double ancho_mm, double alto_mm)
{
    const auto cabe = [&](double escala) { return ancho * 1000 / escala <= ancho_mm && alto * 1000 / escala <= alto_mm; };
    for (int e : {100, 200, 250, 500})
        if (cabe(e)) return e;
    for (double potencia = 1000; potencia < 1e9; potencia *= 10)
        for (int m : {1, 2, 5})
            if (cabe(m * potencia)) return static_cast<int>(m * potencia);
    return 1000000000;
}

double barraDeEscala(int escala, double maximo_mm)
{
    double mejor = 0;
    for (double potencia = 0.01; potencia < 1e9; potencia *= 10)
        for (int m : {1, 2, 5})
            if (m * potencia * 1000 / escala <= maximo_mm * (1 + 1e-9)) mejor = m * potencia;
    return mejor;
}

Punto Plano::aPagina(Punto p) const
{
    const double k = 1000.0 / escala;
    return {caja.x + caja.ancho / 2 + (p.x - centro.x) * k, caja.y + caja.alto / 2 - (p.y - centro.y) * k};
}

Extension Plano::visible() const
{
    const double medioAncho = caja.ancho / 2 * escala / 1000, medioAlto = caja.alto / 2 * escala / 1000;
    return {centro.x - medioAncho, centro.y - medioAlto, centro.x + medioAncho, centro.y + medioAlto};
}

std::string Informe::pie(std::size_t pagina) const
{
    return "Página " + std::to_string(pagina + 1) + " de " + std::to_string(paginas.size());
}

Informe componeInforme(const DatosInforme& d, const MedidaTexto& medida)
{
    if (d.anillos.empty()) throw Failure("Error. No hay coordenadas con las que hacer el informe.");
    std::vector<std::vector<Punto>> anillos;
    Extension todo;
    for (const AnilloInforme& a : d.anillos) {
        anillos.push_back(puntosDe(a, d.formato));
        todo.anade(anillos.back());
    }
    if (!(todo.maxX - todo.minX <= kMayorExtension && todo.maxY - todo.minY <= kMayorExtension))
        throw Failure(kDemasiadoGrande);

    Informe inf;
    inf.edificio = d.edificio;
    inf.titulo = std::string(d.edificio ? "Informe de coordenadas de la edificación" : "Informe de coordenadas de la parcela") +
                 (d.referencia.empty() ? "" : " " + campo(d.referencia));
    const Cabecera c = cabecera(d);
    inf.cabecera = c.parcela;
    inf.cabecera.insert(inf.cabecera.end(), c.firma.begin(), c.firma.end());
    // Every page under the same heading; the plan's frame a millimetre
    // under it, closer than text.
    const Encabezado e = encabezado(inf.titulo, c, medida);
    const double inicio = e.raya.y + kTrasCabecera;
    inf.plano = plano(anillos, d, medida, inicio - 1);
    inf.cifras = d.edificio ? cifrasEdificio(d, anillos) : cifrasParcela(d, anillos);
    for (const std::string& l : d.comprobacion) inf.comprobacion.push_back(linea(l));
    for (const FilaComparacion& f : d.comparacion) inf.comparacion.push_back({linea(f.concepto), linea(f.valor)});
    inf.georreferenciacion = visible(d.georreferenciacion);
    // Only the cadastre parcels the plan shows: a municipal file holds
    // thousands, and each would go into the PDF however far away.
    const Extension visible = inf.plano.visible();
    for (const ParcelaFondo& f : d.fondo) {
        Extension e;
        e.anade(f.anillo);
        if (e.alcanza(visible)) inf.fondo.push_back(ParcelaFondo{campo(f.referencia), f.anillo});
    }
    inf.plano.referencias = rotulaFondo(inf.plano, inf.fondo, medida);
    inf.solapes = d.solapes;

    // The first page with the plan, the blocks under it and the table as
    // far as they go. Every page's content starts at `inicio`, so the plan
    // placed there stays where it was placed whichever page takes it.
    Flujo flujo(inf.paginas, medida, [&e, inicio](Pagina& p) {
        p.lineas = e.lineas;
        p.rayas.push_back(e.raya);
        return inicio;
    });
    flujo.reserva(kPlanoAlto - 1);
    flujo.actual().conPlano = true;
    // The frame itself rules the heading off: a rule a millimetre above it
    // would read as a double line.
    flujo.actual().rayas.clear();
    flujo.baja(kPlanoAlto - 1);
    if (!inf.plano.sinRotulo.empty()) {
        flujo.baja(1);
        flujo.bloque({Columna{kMargen, kAnchoUtil,
                              {Parrafo{"sin rótulo en el plano: " + listaDeNumeros(inf.plano.sinRotulo),
                                       Letra{kTextoTabla, false}}}}},
                     kPasoRotulo);
        flujo.baja(2);
    } else {
        flujo.baja(3);
    }
    cifrasYComprobacion(flujo, inf);
    comparacion(flujo, inf.comparacion);
    bloqueGeorreferenciacion(flujo, inf.georreferenciacion, kPaso);
    flujo.baja(2);
    tabla(flujo, filas(d, anillos, medida));
    return inf;
}

}  // namespace vadrel::report
