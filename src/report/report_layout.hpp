#pragma once
// The report laid out on A4 pages, in millimetres from the page's top left
// corner: the plan at a round scale, the figures, the check, the
// comparison and the table of vertices continued over as many pages as
// they need. Every line of text is placed here, wrapped to its block's
// width; the PDF writer only draws what is placed.

#include <optional>
#include <string>
#include <vector>

#include "core/geometry.hpp"
#include "report/report_data.hpp"
#include "report/text_measure.hpp"
#include "report/text_wrap.hpp"

namespace vadrel::report {

inline constexpr double kAnchoPagina = 210, kAltoPagina = 297, kMargen = 15;

struct Caja {
    double x = 0, y = 0, ancho = 0, alto = 0;
};

// The round scale (its denominator) of the largest plan of an extent of
// `ancho` x `alto` metres that fits `ancho_mm` x `alto_mm`: 1:100, 1:200,
// 1:250, 1:500, then 1, 2 and 5 times each power of ten from 1:1000.
int escalaRedonda(double ancho, double alto, double ancho_mm, double alto_mm);
// The longest round length (1, 2 or 5 times a power of ten metres) whose
// bar at that scale is at most `maximo_mm` long.
double barraDeEscala(int escala, double maximo_mm);

// A text on the plan and the box it is drawn in, mm on the page.
struct RotuloPlano {
    std::string texto;
    Caja caja;
};

struct AnilloPlano {
    bool interior = false;
    bool piscina = false;
    std::vector<Punto> puntos;  // on the page, mm
    int primerNumero = 1;       // the table's number of its first vertex
    // Where each vertex's number is drawn, centred in its box; none for a
    // vertex whose number would cover another number, a line or a dot.
    std::vector<std::optional<Caja>> rotulos;
};

// What a colour of the plan stands for, in the legend's corner.
struct ElementoLeyenda {
    enum class Muestra { nueva, catastral, solape } muestra;
    std::string texto;
    Caja caja;  // the caption's box; its swatch just left of it
};

struct Plano {
    Caja caja;
    int escala = 100;
    double barraMetros = 0;
    double barraMm = 0;
    std::string textoEscala;  // "Escala 1:500" over the bar
    std::string textoBarra;   // the bar's length at its end, "20 m"
    // The corners the north arrow and the scale bar are drawn in, and what
    // they cover there: no label goes over those parts.
    Caja cajaNorte, cajaBarra;
    std::vector<Caja> figuras;
    // With cadastral parcels behind, the legend in the bottom right corner.
    std::vector<ElementoLeyenda> leyenda;
    std::vector<AnilloPlano> anillos;
    // The numbers of the vertices that got no number on the plan (the table
    // has them all).
    std::vector<int> sinRotulo;
    // The cadastral parcels' references, each inside its parcel.
    std::vector<RotuloPlano> referencias;
    // Where the GML's coordinates fall on the page, north up.
    Punto centro;  // the extent's centre, in metres
    Punto aPagina(Punto p) const;
    // What the box shows, in metres.
    Extension visible() const;
};

struct Cifra {
    std::string texto;
    bool aviso = false;  // drawn in red: the declared area differs
};

// One line of text where the page shows it: it fits its block's width.
struct Linea {
    std::string texto;
    double x = 0, y = 0;  // top left
    double ancho = 0;     // the block's width
    double alto = 0;      // the line's height; the text sits in its middle
    Letra letra;
    bool aviso = false;  // red
};

// A rule under the page's heading (grey) or a table's (black).
struct Raya {
    double x = 0, y = 0, ancho = 0;
    bool gris = false;
};

struct Fila {
    bool titulo = false;  // a ring's name over its vertices (one row per line)
    bool sigue = false;   // the rest of the vertex above's texts, too wide for one row
    std::string texto;
    int numero = 0;
    std::string x, y, lado;  // x and y as typed, with a comma and padded per ring
    double posX = 0, posY = 0;  // top left of the row on its page
};

struct Pagina {
    bool conPlano = false;           // the plan is drawn on this page
    std::vector<Linea> lineas;       // every text but the table of vertices
    std::vector<Raya> rayas;
    std::vector<double> columnas;    // left edge of each table column in use
    double cabeceraY = 0;            // the top of the table's column headings
    std::vector<Fila> filas;
};

struct Informe {
    bool edificio = false;
    std::string titulo;
    std::vector<std::string> cabecera;  // the lines under the title, in reading order
    Plano plano;
    std::vector<Cifra> cifras;
    std::vector<std::string> comprobacion;
    // The comparison's table; empty without a cadastral map.
    std::vector<FilaComparacion> comparacion;
    Georreferenciacion georreferenciacion;  // every text escaped
    std::vector<ParcelaFondo> fondo;  // left in metres; drawn through plano.aPagina
    std::vector<std::vector<Punto>> solapes;  // likewise
    std::vector<Pagina> paginas;

    // "Página i de n", i from 1.
    std::string pie(std::size_t pagina) const;
};

// Layout constants the writer shares.
inline constexpr double kTexto = 8.5;  // points
inline constexpr double kTextoTabla = 7.5;
inline constexpr double kTitulo = 13;
inline constexpr double kAltoFila = 4.2;
inline constexpr double kAnchoColumna = 88;  // number, X, Y, side
// Where each cell of a table column ends, from its left edge; right-aligned.
inline constexpr double kFinNumero = 9, kFinX = 36, kFinY = 66, kFinLado = kAnchoColumna - 2;
inline constexpr double kCabeceraAlto = 24;  // title and heading lines, at least
inline constexpr double kPlanoAlto = 120;
inline constexpr int kLineasCifras = 6;   // figures and check under the plan, at least
inline constexpr double kFinPagina = kAltoPagina - kMargen;  // text ends here, the page number below

// The whole report, every text from outside escaped and cut (see
// check::visible). A ring of fewer than three vertices, a coordinate that
// is no number, or a geometry wider or taller than 100 km throws Failure.
Informe componeInforme(const DatosInforme& datos, const MedidaTexto& medida);

}  // namespace vadrel::report
