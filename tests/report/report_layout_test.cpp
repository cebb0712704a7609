// The report's layout without a drawing library: the scale, the pages of
// the table, the side lengths, the figures and the check's summary.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/failure.hpp"
#include "report/report_comparison.hpp"
#include "report/no_paths.hpp"
#include "report/report_layout.hpp"
#include "support/environment.hpp"

using namespace vadrel;
using namespace vadrel::report;

namespace vadrel::report {
void PrintTo(const FilaComparacion& f, std::ostream* os) { *os << '{' << f.concepto << " | " << f.valor << '}'; }
}  // namespace vadrel::report

namespace {

// A w x h metre rectangle with a vertex every metre along its sides,
// counter-clockwise from its south-west corner, in UTM-like texts.
AnilloInforme rectangulo(int w, int h)
{
    AnilloInforme a;
    auto anade = [&](int x, int y) {
        a.x.push_back(std::to_string(440000 + x) + ".5");
        a.y.push_back(std::to_string(4470000 + y));
    };
    for (int x = 0; x < w; ++x) anade(x, 0);
    for (int y = 0; y < h; ++y) anade(w, y);
    for (int x = w; x > 0; --x) anade(x, h);
    for (int y = h; y > 0; --y) anade(0, y);
    return a;
}

DatosInforme parcela(AnilloInforme anillo, std::string superficie = "")
{
    DatosInforme d;
    d.referencia = "8429105VK1882N";
    d.huso = "30";
    d.superficieDeclarada = std::move(superficie);
    d.anillos.push_back(std::move(anillo));
    return d;
}

struct CasoPlano {
    const char* nombre;
    int ancho, alto;  // metres
    int escala;
    std::size_t paginas;
};

class Plano : public ::testing::TestWithParam<CasoPlano> {};

// The plan box leaves 164 x 104 mm for the drawing; the first page holds
// 40 rows (two columns of 20), the others 112.
const CasoPlano kCasos[] = {
    {"metro_cuadrado", 1, 1, 100, 1},
    {"diez_metros_a_1_100", 10, 10, 100, 1},
    {"uno_mas_que_la_primera_pagina", 11, 10, 100, 2},
    {"ancho_cabe_a_1_200", 26, 10, 200, 2},
    {"alto_pasa_a_1_200", 10, 11, 200, 2},
    {"a_1_250", 25, 25, 250, 2},
    {"a_1_500", 27, 27, 500, 2},
    {"dos_paginas_llenas", 20, 53, 1000, 2},
    {"una_fila_mas", 20, 54, 1000, 3},
    {"trescientos_vertices", 100, 50, 1000, 4},
    {"ancho_a_1_2000", 250, 5, 2000, 6},
    {"sin_1_2500_pasa_a_1_5000", 5, 250, 5000, 6},
};

TEST_P(Plano, EscalaPaginasYLados)
{
    const CasoPlano& c = GetParam();
    const AnilloInforme anillo = rectangulo(c.ancho, c.alto);
    const Informe inf = componeInforme(parcela(anillo), MedidaHolgada());

    EXPECT_EQ(inf.plano.escala, c.escala);
    // The drawing fits its box at that scale.
    for (Punto p : inf.plano.anillos.at(0).puntos) {
        EXPECT_GE(p.x, inf.plano.caja.x);
        EXPECT_LE(p.x, inf.plano.caja.x + inf.plano.caja.ancho);
        EXPECT_GE(p.y, inf.plano.caja.y);
        EXPECT_LE(p.y, inf.plano.caja.y + inf.plano.caja.alto);
    }
    // A metre is 1000 / scale mm on the page, north up.
    const auto& pts = inf.plano.anillos.at(0).puntos;
    EXPECT_NEAR(pts.at(1).x - pts.at(0).x, 1000.0 / c.escala, 1e-9);

    // Every vertex numbered on the plan or listed under it, in the table's
    // order: all of them at 1:100, where vertices are 10 mm apart; at
    // 1:1000 a metre is 1 mm, too little for every number.
    const auto& rotulos = inf.plano.anillos.at(0).rotulos;
    const auto& sinRotulo = inf.plano.sinRotulo;
    ASSERT_EQ(rotulos.size(), pts.size());
    EXPECT_TRUE(rotulos.front());
    const auto numerados = std::count_if(rotulos.begin(), rotulos.end(), [](const auto& r) { return r.has_value(); });
    EXPECT_EQ(static_cast<std::size_t>(numerados) + sinRotulo.size(), pts.size());
    EXPECT_TRUE(std::is_sorted(sinRotulo.begin(), sinRotulo.end()));
    EXPECT_TRUE(c.escala != 100 || sinRotulo.empty()) << sinRotulo.size();
    EXPECT_TRUE(c.escala != 1000 || !sinRotulo.empty());

    ASSERT_EQ(inf.paginas.size(), c.paginas);
    EXPECT_EQ(inf.pie(c.paginas - 1), "Página " + std::to_string(c.paginas) + " de " + std::to_string(c.paginas));
    // Every vertex once, in order, each row inside the page and below the
    // one before in its column; every side a metre long.
    std::size_t siguiente = 0;
    for (const Pagina& p : inf.paginas) {
        EXPECT_FALSE(p.filas.empty());
        for (std::size_t i = 0; i < p.filas.size(); ++i) {
            const Fila& f = p.filas[i];
            ASSERT_LT(siguiente, anillo.x.size());
            EXPECT_EQ(f.numero, static_cast<int>(siguiente + 1));
            std::string x = anillo.x[siguiente];  // "440000.5" shows as "440000,5"
            x[x.find('.')] = ',';
            EXPECT_EQ(f.x, x);
            EXPECT_EQ(f.y, anillo.y[siguiente]);
            EXPECT_EQ(f.lado, "1,00");
            EXPECT_GE(f.posY, p.cabeceraY);
            EXPECT_LE(f.posY + kAltoFila, kAltoPagina - kMargen + 1e-9);
            EXPECT_LE(f.posX + kAnchoColumna, kAnchoPagina - kMargen + 1e-9);
            if (i > 0 && p.filas[i - 1].posX == f.posX) {
                EXPECT_GT(f.posY, p.filas[i - 1].posY);
            }
            ++siguiente;
        }
    }
    EXPECT_EQ(siguiente, anillo.x.size());
    // The table of the first page starts below the plan and its figures.
    EXPECT_GT(inf.paginas.front().cabeceraY, inf.plano.caja.y + inf.plano.caja.alto);
}

INSTANTIATE_TEST_SUITE_P(Informe, Plano, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(Informe, LadosHastaElSiguienteYTextosConComa)
{
    // A 3-4-5 triangle: the last side goes back to the first vertex; the
    // X texts padded to the most precise one.
    AnilloInforme a;
    a.x = {"400000.0", "400003", "400003.00"};
    a.y = {"4000000", "4000000", "4000004"};
    const Informe inf = componeInforme(parcela(a, "6"), MedidaHolgada());
    const auto& filas = inf.paginas.at(0).filas;
    ASSERT_EQ(filas.size(), 3u);
    EXPECT_EQ(filas[0].lado, "3,00");
    EXPECT_EQ(filas[1].lado, "4,00");
    EXPECT_EQ(filas[2].lado, "5,00");
    EXPECT_EQ(filas[0].x, "400000,00");
    EXPECT_EQ(filas[1].x, "400003,00");
    EXPECT_EQ(filas[2].x, "400003,00");
    EXPECT_EQ(filas[2].y, "4000004");
    EXPECT_EQ(inf.cifras.at(0).texto, "Superficie calculada con las coordenadas: 6,00 m²");
    EXPECT_EQ(inf.cifras.at(2).texto, "Perímetro: 12,00 m");
    EXPECT_EQ(inf.cifras.at(3).texto, "Número de vértices: 3");
}

TEST(Informe, SuperficieDeclaradaQueDifiereEnMasDeUnMetro)
{
    struct Caso {
        const char* declarada;
        bool aviso;
        const char* texto;
    };
    // 100 m² computed; the declared figure with a comma however typed.
    for (const Caso& c : {Caso{"100", false, "Superficie declarada en el GML: 100 m²"},
                          Caso{"101", false, "Superficie declarada en el GML: 101 m²"},
                          Caso{"100.25", false, "Superficie declarada en el GML: 100,25 m²"},
                          Caso{"98.99", true, "Superficie declarada en el GML: 98,99 m², difiere en 1,01 m² de la calculada"},
                          Caso{"101,5", true, "Superficie declarada en el GML: 101,5 m², difiere en 1,50 m² de la calculada"},
                          Caso{"", true, "Superficie declarada en el GML: ninguna"},
                          Caso{"cien", true, "Superficie declarada en el GML: cien (no es un número)"}}) {
        const Informe inf = componeInforme(parcela(rectangulo(10, 10), c.declarada), MedidaHolgada());
        EXPECT_EQ(inf.cifras.at(1).aviso, c.aviso) << c.declarada;
        EXPECT_EQ(inf.cifras.at(1).texto, c.texto);
    }
}

TEST(Informe, CabeceraConHusoYCodigo)
{
    struct Caso {
        const char* huso;
        const char* linea;
    };
    for (const Caso& c : {Caso{"28", "Huso 28 · EPSG:32628 · WGS 84 / UTM huso 28N"},
                          Caso{"29", "Huso 29 · EPSG:25829 · ETRS89 / UTM huso 29N"},
                          Caso{"30", "Huso 30 · EPSG:25830 · ETRS89 / UTM huso 30N"},
                          Caso{"31", "Huso 31 · EPSG:25831 · ETRS89 / UTM huso 31N"}}) {
        DatosInforme d = parcela(rectangulo(2, 2));
        d.huso = c.huso;
        d.catastral = false;
        d.firma.autor = "Ana Pérez";
        const Informe inf = componeInforme(d, MedidaHolgada());
        EXPECT_EQ(inf.titulo, "Informe de coordenadas de la parcela 8429105VK1882N");
        ASSERT_EQ(inf.cabecera.size(), 4u);
        EXPECT_EQ(inf.cabecera[0], "Referencia: 8429105VK1882N (nueva)");
        EXPECT_EQ(inf.cabecera[1], c.linea);
        EXPECT_EQ(inf.cabecera[3], "Autor: Ana Pérez");
    }
}

TEST(Informe, RechazaAnillosSinSuperficieNiNumeros)
{
    AnilloInforme dos;
    dos.x = {"1", "2"};
    dos.y = {"1", "2"};
    EXPECT_THROW(componeInforme(parcela(dos), MedidaHolgada()), Failure);
    AnilloInforme texto = rectangulo(2, 2);
    texto.y[1] = "norte";
    EXPECT_THROW(componeInforme(parcela(texto), MedidaHolgada()), Failure);
    EXPECT_THROW(componeInforme(DatosInforme{}, MedidaHolgada()), Failure);
}

TEST(Informe, EdificioConPatioYPiscina)
{
    DatosInforme d;
    d.edificio = true;
    d.huso = "28";
    d.anillos.push_back(rectangulo(10, 10));
    d.anillos.back().titulo = "Casa · Edificación · Exterior";
    d.anillos.push_back(rectangulo(2, 2));
    d.anillos.back().interior = true;
    d.anillos.back().titulo = "Patio · Edificación · Interior";
    d.anillos.push_back(rectangulo(4, 2));
    d.anillos.back().piscina = true;
    d.anillos.back().titulo = "Piscina 1 · Piscina · Exterior";
    d.superficieConstruida = "150.5";
    const Informe inf = componeInforme(d, MedidaHolgada());
    EXPECT_EQ(inf.cifras.at(0).texto, "Superficie en planta de las edificaciones: 96,00 m²");
    EXPECT_EQ(inf.cifras.at(1).texto, "Superficie de las piscinas: 8,00 m²");
    EXPECT_EQ(inf.cifras.at(2).texto, "Superficie construida declarada: 150,5 m²");
    EXPECT_EQ(inf.cifras.at(3).texto, "Construcciones: 3 (1 piscina)");
    // Each construction's line heads its vertices, numbered on across them.
    std::vector<Fila> filas;
    for (const Pagina& p : inf.paginas) filas.insert(filas.end(), p.filas.begin(), p.filas.end());
    ASSERT_EQ(filas.size(), 3u + 40 + 8 + 12);
    // The first page takes what the plan, its figures and the line of
    // unnumbered vertices leave.
    EXPECT_EQ(inf.paginas.at(0).filas.size(), inf.plano.sinRotulo.empty() ? 40u : 38u);
    EXPECT_TRUE(filas[0].titulo);
    EXPECT_EQ(filas[0].texto, "Casa · Edificación · Exterior · 100,00 m²");
    EXPECT_TRUE(filas[41].titulo);
    EXPECT_EQ(filas[42].numero, 41);
    EXPECT_EQ(inf.plano.anillos.at(1).primerNumero, 41);
    EXPECT_TRUE(inf.plano.anillos.at(1).interior);
    EXPECT_TRUE(inf.plano.anillos.at(2).piscina);
}

// Each ring's X and Y columns padded apart, with a comma whichever
// separator the person typed; values of four decimals or fewer never rounded.
TEST(Informe, TablaConComaYLosDecimalesDeCadaColumna)
{
    AnilloInforme exterior;
    exterior.titulo = "Anillo exterior";
    exterior.x = {"500000", "500010,5", "500010.25", "500000"};
    exterior.y = {"4100000", "4100000", "4100010", "4100010.125"};
    AnilloInforme interior;
    interior.titulo = "Anillo interior 1";
    interior.interior = true;
    interior.x = {"500002", "500004", "500004"};
    interior.y = {"4100002", "4100002.5", "4100004"};
    DatosInforme d = parcela(exterior);
    d.anillos.push_back(interior);
    for (char separador : {'.', ','}) {
        d.formato = NumberFormat::withDecimal(separador);
        const Informe inf = componeInforme(d, MedidaHolgada());
        std::vector<std::pair<std::string, std::string>> xy;
        for (const Fila& f : inf.paginas.at(0).filas)
            if (!f.titulo) xy.emplace_back(f.x, f.y);
        EXPECT_EQ(xy, (std::vector<std::pair<std::string, std::string>>{{"500000,00", "4100000,000"},
                                                                         {"500010,50", "4100000,000"},
                                                                         {"500010,25", "4100010,000"},
                                                                         {"500000,00", "4100010,125"},
                                                                         {"500002", "4100002,0"},
                                                                         {"500004", "4100002,5"},
                                                                         {"500004", "4100004,0"}}))
            << separador;
    }
}

// The check's first line: "Sin problemas" only when the schemas saw the
// file; without them and with nothing found, the reason follows.
TEST(Informe, PrimeraLineaDeLaComprobacion)
{
    const check::Problem nota{check::Severity::Warning, "archivo",
                              "No se ha podido comprobar el archivo contra los esquemas: falta el catálogo.", true};
    const check::Problem aviso{check::Severity::Warning, "parcela X, anillo exterior",
                               "El vértice repite el anterior (440000.5 4470000.25)."};
    const check::Problem error{check::Severity::Error, "archivo", "Falta el areaValue."};
    struct Caso {
        const char* nombre;
        check::Problems problemas;
        std::vector<std::string> resumen;
    };
    const std::string citaAviso = "parcela X, anillo exterior: aviso: El vértice repite el anterior (440000,5 4470000,25).";
    for (const Caso& c :
         {Caso{"con esquemas, nada", {}, {"Sin problemas"}},
          Caso{"sin esquemas, nada", {nota}, {"Sin errores, pero sin comprobar contra los esquemas", nota.message}},
          Caso{"sin esquemas, un aviso", {nota, aviso}, {"0 errores y 1 aviso", citaAviso, nota.message}},
          Caso{"sin esquemas, un error detrás", {error, nota}, {"1 error y 0 avisos", "archivo: error: Falta el areaValue.",
                                                                nota.message}},
          Caso{"con esquemas, un aviso", {aviso}, {"0 errores y 1 aviso", citaAviso}}}) {
        EXPECT_EQ(resumenComprobacion(c.problemas), c.resumen) << c.nombre;
    }
}

// Text from a file or a window: nothing in it may reorder, hide or forge
// the document's words, nor swell it; every field cut at 200 characters.
TEST(Informe, CamposDeFueraEscapadosYCortados)
{
    const std::string rlo = "\u202e";  // RIGHT-TO-LEFT OVERRIDE
    DatosInforme d = parcela(rectangulo(2, 2), "cien\x1b[2J");
    d.referencia = rlo + "N4321BA7654321";
    d.firma.autor = "Ana\nFecha: 01/01/1999";
    d.anillos[0].titulo = "Anillo\u2066 exterior";
    d.comprobacion = {"parcela " + rlo + "X: aviso: nada."};
    d.comparacion = {{"Solape con \u200fY", "1,00 m²"}, {"Solapes", "1"}};
    const std::vector<Punto> cerca{{440000, 4470000}, {440001, 4470000}, {440001, 4470001}};
    d.fondo.push_back(ParcelaFondo{rlo + "Z", cerca});
    const Informe inf = componeInforme(d, MedidaHolgada());
    EXPECT_EQ(inf.titulo, "Informe de coordenadas de la parcela \\u202eN4321BA7654321");
    EXPECT_EQ(inf.cabecera.at(0), "Referencia: \\u202eN4321BA7654321 (catastral)");
    EXPECT_EQ(inf.cabecera.at(3), "Autor: Ana\\nFecha: 01/01/1999");
    EXPECT_EQ(inf.cifras.at(1).texto, "Superficie declarada en el GML: cien\\x1b[2J (no es un número)");
    EXPECT_EQ(inf.paginas.at(0).filas.at(0).texto, "Anillo\\u2066 exterior");
    EXPECT_EQ(inf.comprobacion, std::vector<std::string>{"parcela \\u202eX: aviso: nada."});
    EXPECT_EQ(inf.comparacion.at(0), (FilaComparacion{"Solape con \\u200fY", "1,00 m²"}));
    ASSERT_EQ(inf.fondo.size(), 1u);
    EXPECT_EQ(inf.fondo[0].referencia, "\\u202eZ");

    // Ten megabytes of reference, author and declared area: 200 each.
    d = parcela(rectangulo(2, 2), std::string(10'000'000, '1'));
    d.referencia = std::string(10'000'000, 'R');
    d.firma.autor = std::string(10'000'000, 'A');
    const Informe grande = componeInforme(d, MedidaHolgada());
    EXPECT_EQ(grande.titulo, "Informe de coordenadas de la parcela " + std::string(200, 'R') + "…");
    EXPECT_EQ(grande.cabecera.at(0), "Referencia: " + std::string(200, 'R') + "… (catastral)");
    EXPECT_LT(grande.cabecera.at(3).size(), 300u);
    EXPECT_LT(grande.cifras.at(1).texto.size(), 400u);
}

// A plan of the whole geometry at a round scale fits 100 km; wider or
// taller is refused before anything is drawn.
TEST(Informe, GeometriaDeMasDeCienKilometrosRechazada)
{
    struct Caso {
        const char* este;
        const char* norte;
        bool cabe;
    };
    for (const Caso& c : {Caso{"540000", "4470010", true}, Caso{"540000.01", "4470010", false},
                          Caso{"440010", "4570000", true}, Caso{"440010", "4570001", false},
                          Caso{"1e15", "4470010", false}, Caso{"440010", "-1e15", false}}) {
        AnilloInforme a;
        a.x = {"440000", c.este, c.este, "440000"};
        a.y = {"4470000", "4470000", c.norte, c.norte};
        if (c.cabe) {
            EXPECT_NO_THROW(componeInforme(parcela(a), MedidaHolgada())) << c.este << ' ' << c.norte;
            continue;
        }
        try {
            componeInforme(parcela(a), MedidaHolgada());
            ADD_FAILURE() << c.este << ' ' << c.norte << ": no refusal";
        } catch (const Failure& f) {
            EXPECT_STREQ(f.what(), "Error. La geometría mide más de 100 km; no cabe en un plano.");
        }
    }
}

TEST(Informe, BarraDeEscalaRedonda)
{
    EXPECT_EQ(barraDeEscala(100, 60), 5);
    EXPECT_EQ(barraDeEscala(250, 60), 10);
    EXPECT_EQ(barraDeEscala(1000, 60), 50);
    EXPECT_EQ(barraDeEscala(5000, 60), 200);
}

TEST(Informe, ResumenDeLaComprobacion)
{
    EXPECT_EQ(resumenComprobacion({}), std::vector<std::string>{"Sin problemas"});
    check::Problem nota{check::Severity::Warning, "archivo", "No se han podido usar los esquemas.", true};
    EXPECT_EQ(resumenComprobacion({nota}),
              (std::vector<std::string>{"Sin errores, pero sin comprobar contra los esquemas",
                                        "No se han podido usar los esquemas."}));
    check::Problems varios(5, check::Problem{check::Severity::Error, "parcela X, vértice 3", "Repetido."});
    varios[4].severity = check::Severity::Warning;
    varios.insert(varios.begin(), nota);
    const auto r = resumenComprobacion(varios);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0], "4 errores y 1 aviso");
    EXPECT_EQ(r[1], "parcela X, vértice 3: error: Repetido.");
    EXPECT_EQ(r[3], "… y 3 más");
    EXPECT_EQ(r[4], nota.message);
}

}  // namespace

// A long comparison is shown whole, row by row in order, and the table of
// vertices starts under its last row, on a later page when it must.
TEST(Informe, ComparacionLargaEnteraYBajaLaTabla)
{
    DatosInforme d = parcela(rectangulo(10, 10));
    const Informe sin = componeInforme(d, MedidaHolgada());
    for (int i = 0; i < 40; ++i) d.comparacion.push_back({"Solape con " + std::to_string(i), "1,00 m²"});
    d.comparacion.push_back({"Solapes", "40"});
    const Informe con = componeInforme(d, MedidaHolgada());
    ASSERT_EQ(con.comparacion.size(), 41u);
    std::vector<std::string> conceptos;
    const Linea* ultima = nullptr;
    std::size_t paginaUltima = 0;
    for (std::size_t p = 0; p < con.paginas.size(); ++p)
        for (const Linea& l : con.paginas[p].lineas)
            if (l.texto.starts_with("Solape")) {
                conceptos.push_back(l.texto);
                ultima = &l;
                paginaUltima = p;
            }
    ASSERT_EQ(conceptos.size(), 41u);
    EXPECT_EQ(conceptos[7], "Solape con 7");
    EXPECT_EQ(conceptos.back(), "Solapes");
    EXPECT_GT(paginaUltima, 0u) << "forty rows do not fit under the plan";
    // The table begins after the comparison, on the page where it ends.
    std::size_t paginaTabla = 0;
    while (con.paginas[paginaTabla].filas.empty()) ++paginaTabla;
    EXPECT_EQ(paginaTabla, paginaUltima);
    EXPECT_GE(con.paginas[paginaTabla].cabeceraY, ultima->y + ultima->alto);
    EXPECT_GT(con.paginas.size(), sin.paginas.size());
}

// The building window's parcel of its last comparison: behind the plan with
// what leaves it, and the comparison's lines; a parcel elsewhere adds nothing.
TEST(Informe, ParcelaDelEdificioDetrasYLoQueSeSale)
{
    DatosInforme d;
    d.edificio = true;
    d.huso = "30";
    AnilloInforme casa;
    casa.nombre = "Casa";
    casa.x = {"500000", "500012", "500012", "500000"};
    casa.y = {"4100000", "4100000", "4100010", "4100010"};
    d.anillos.push_back(casa);
    const auto parcela = [](double este) {
        const compare::Ring caja{
            {499990, 4099990}, {este, 4099990}, {este, 4100020}, {499990, 4100020}, {499990, 4099990}};
        return std::vector<compare::Shape>{compare::Shape{"1234567AB1234N", {compare::Patch{{caja}}}}};
    };
    DatosInforme lejos = d;
    anadeParcelaCatastral(lejos, parcela(499995));
    EXPECT_TRUE(lejos.fondo.empty());
    EXPECT_TRUE(lejos.comparacion.empty());

    anadeParcelaCatastral(d, parcela(500010));  // the last 2 m of the house outside
    ASSERT_EQ(d.fondo.size(), 1u);
    EXPECT_FALSE(d.solapes.empty());
    EXPECT_EQ(d.comparacion, (std::vector<FilaComparacion>{{"Construcción Casa fuera de la parcela", "20,00 m², hasta 2,00 m"},
                                                           {"Construcciones fuera de la parcela", "1"}}));
}

// The comparison's lines with a comma in their figures, the references
// that hold dotted digits as they are.
TEST(Informe, ComparacionConComaYReferenciasConPuntos)
{
    AnilloInforme nueva;
    nueva.x = {"500000", "500010.5", "500010.5", "500000"};
    nueva.y = {"4100000", "4100000", "4100010", "4100010"};
    DatosInforme d = parcela(nueva);
    const auto caja = [](std::string ref, double oeste, double sur, double este, double norte) {
        const compare::Ring r{{oeste, sur}, {este, sur}, {este, norte}, {oeste, norte}, {oeste, sur}};
        return compare::Shape{std::move(ref), {compare::Patch{{r}}}};
    };
    // The new parcel 0.5 m into its taller neighbour to the east.
    anadeCartografia(d, {caja("P.9.75", 500000, 4100000, 500010, 4100010),
                         caja("N.1.25", 500010, 4099995, 500020, 4100015)});
    EXPECT_EQ(d.comparacion, (std::vector<FilaComparacion>{{"Superficie nueva", "105,00 m²"},
                                                           {"Superficie catastral", "100,00 m²"},
                                                           {"Parcelas catastrales afectadas", "P.9.75"},
                                                           {"Diferencia", "5,00 m² (5,00 %)"},
                                                           // S = 100, P = 40: 0.1·P = 4 over 0.03·S = 3.
                                                           {"Margen de tolerancia técnica",
                                                            "4,00 m² (la diferencia está fuera)"},
                                                           {"Fuera de las parcelas afectadas", "5,00 m²"},
                                                           {"Sin cubrir de las parcelas afectadas", "0,00 m²"},
                                                           {"Desplazamiento máximo del perímetro", "0,50 m"},
                                                           {"Solape con N.1.25", "5,00 m², profundidad 0,50 m"},
                                                           {"Solapes", "1"}}));
    EXPECT_EQ(d.fondo.size(), 2u);
    EXPECT_FALSE(d.solapes.empty());
}

// Thirty constructions out of their parcel, named with dotted digits: each
// line keeps its own name, in order.
TEST(Informe, ConstruccionesFueraConComaYSusNombres)
{
    DatosInforme d;
    d.edificio = true;
    d.huso = "30";
    std::vector<std::string> nombres;
    for (int i = 0; i < 30; ++i) {
        AnilloInforme a;
        a.nombre = "C." + std::to_string(i) + ".5";
        const std::string oeste = std::to_string(499992 + 3 * i), este = std::to_string(499994 + 3 * i);
        a.x = {oeste, este, este, oeste};
        a.y = {"4100015", "4100015", "4100025", "4100025"};  // 5 m past the parcel's north side
        nombres.push_back(a.nombre);
        d.anillos.push_back(std::move(a));
    }
    const compare::Ring caja{{499990, 4099990}, {500090, 4099990}, {500090, 4100020}, {499990, 4100020}, {499990, 4099990}};
    anadeParcelaCatastral(d, {compare::Shape{"1234567AB1234N", {compare::Patch{{caja}}}}});
    ASSERT_EQ(d.comparacion.size(), 31u);
    for (std::size_t i = 0; i < nombres.size(); ++i)
        EXPECT_EQ(d.comparacion[i],
                  (FilaComparacion{"Construcción " + nombres[i] + " fuera de la parcela", "10,00 m², hasta 5,00 m"}));
    EXPECT_EQ(d.comparacion.back(), (FilaComparacion{"Construcciones fuera de la parcela", "30"}));
}

// Names in the comparison's lines as every name of the report: escaped, so
// that none reads as another, and cut at 200 characters.
TEST(Informe, NombresDeLaComparacionEscapadosYCortados)
{
    DatosInforme d;
    d.edificio = true;
    d.huso = "30";
    AnilloInforme a;
    a.nombre = "\u202e" + std::string(300, 'C');
    a.x = {"499992", "499994", "499994", "499992"};
    a.y = {"4100015", "4100015", "4100025", "4100025"};  // 5 m past the parcel's north side
    d.anillos.push_back(std::move(a));
    const compare::Ring caja{{499990, 4099990}, {500090, 4099990}, {500090, 4100020}, {499990, 4100020}, {499990, 4099990}};
    anadeParcelaCatastral(d, {compare::Shape{"1234567AB1234N", {compare::Patch{{caja}}}}});
    ASSERT_EQ(d.comparacion.size(), 2u);
    EXPECT_EQ(d.comparacion[0].concepto, "Construcción \\u202e" + std::string(199, 'C') + "… fuera de la parcela");
}

namespace {

// Every character a millimetre wide, bold or not: widths as counts.
class UnMilimetro : public MedidaTexto {
public:
    double ancho(std::string_view texto, double, bool) const override
    {
        return static_cast<double>(std::count_if(texto.begin(), texto.end(),
                                                 [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    }
};

}  // namespace

TEST(Informe, LineasPartidasEnBlancosYPalabrasLargasEntreCaracteres)
{
    struct Caso {
        const char* nombre;
        std::string texto;
        double ancho;
        std::vector<std::string> lineas;
    };
    const Caso casos[] = {
        {"cabe", "Huso 30", 7, {"Huso 30"}},
        {"vacio", "", 5, {""}},
        {"en_blancos", "uno dos tres", 7, {"uno dos", "tres"}},
        {"blancos_de_dentro_quedan", "X 1   Y 2 fin", 9, {"X 1   Y 2", "fin"}},
        {"blancos_del_corte_no", "ab     cd", 3, {"ab", "cd"}},
        {"palabra_larga_entre_caracteres", "Ref: ABCDEFGHIJ.", 4, {"Ref:", "ABCD", "EFGH", "IJ."}},
        {"resto_de_palabra_sigue_en_linea", "ABCDEFG hi", 5, {"ABCDE", "FG hi"}},
        {"caracteres_de_varios_bytes_enteros", "áéíóúñ", 4, {"áéíó", "úñ"}},
        {"mas_estrecha_que_un_caracter", "m²", 0.5, {"m", "²"}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(parteEnLineas(c.texto, c.ancho, Letra{kTexto, false}, UnMilimetro()), c.lineas) << c.nombre;
}

// The signer's lines under the reference, zone and date, each only when
// given; the place of the parcel with the parcel's lines.
TEST(Informe, CabeceraConLosDatosDeQuienFirma)
{
    struct Caso {
        FirmaInforme firma;
        std::vector<std::string> cabecera;
    };
    const std::string ref = "Referencia: 8429105VK1882N (catastral)", huso = "Huso 30 · EPSG:25830 · ETRS89 / UTM huso 30N",
                      fecha = "Fecha: 01/02/2027";
    for (const Caso& c :
         {Caso{{}, {ref, huso, fecha}},
          Caso{{"Ana", "", "", ""}, {ref, huso, fecha, "Autor: Ana"}},
          Caso{{"", "ITT, nº 12", "Luis", "Paraje Alto, Villena"},
               {ref, "Situación: Paraje Alto, Villena", huso, fecha, "Titulación y nº de colegiado: ITT, nº 12",
                "Cliente: Luis"}},
          Caso{{"Ana", "ITT, nº 12", "Luis", ""},
               {ref, huso, fecha, "Autor: Ana", "Titulación y nº de colegiado: ITT, nº 12", "Cliente: Luis"}}}) {
        DatosInforme d = parcela(rectangulo(2, 2));
        d.fecha = "01/02/2027";
        d.firma = c.firma;
        const Informe inf = componeInforme(d, MedidaHolgada());
        EXPECT_EQ(inf.cabecera, c.cabecera);
        // Every page heads with the same lines.
        std::vector<std::string> enPagina;
        for (const Linea& l : inf.paginas.at(0).lineas)
            if (l.y < inf.plano.caja.y && !l.letra.negrita) enPagina.push_back(l.texto);
        EXPECT_EQ(enPagina, c.cabecera);
    }
}

namespace {

// A sentence of `palabras` words, numbered so that none reads as another.
std::string frase(const std::string& inicio, int palabras)
{
    std::string s = inicio;
    for (int i = 0; i < palabras; ++i) s += " palabra" + std::to_string(i);
    return s + ".";
}

std::string sinBlancos(std::string s)
{
    std::erase_if(s, [](char c) { return c == ' '; });
    return s;
}

}  // namespace

// Long texts in every block: each line inside its block's width and the
// page's margins, no block over another, and every text whole, in order.
TEST(Informe, TextosLargosEnCadaBloqueSinSalirseNiPisarse)
{
    AnilloInforme anillo = rectangulo(100, 50);
    anillo.titulo = frase("Superficie 1 con un nombre largo", 20);
    DatosInforme d = parcela(anillo, "100");
    // A second ring whose name falls at a column's foot.
    AnilloInforme hueco = rectangulo(2, 2);
    hueco.interior = true;
    hueco.titulo = frase("Anillo interior 1", 8);
    for (std::string& x : hueco.x) x = std::to_string(std::stoi(x) + 10) + ".5";
    for (std::string& y : hueco.y) y = std::to_string(std::stoi(y) + 10);
    d.anillos.push_back(hueco);
    d.referencia = std::string(300, 'R');
    d.fecha = "01/02/2027";
    d.firma = {frase("Ana", 15), frase("Ingeniera", 15), frase("Cliente", 15), frase("Paraje", 5) + std::string(120, 'S')};
    d.comprobacion = {"2 errores y 0 avisos", frase("parcela X: error:", 60), frase("archivo: error:", 60)};
    for (int i = 0; i < 60; ++i)
        d.comparacion.push_back({"Solape con " + std::to_string(i) + std::string(150, 'N'), frase("1,00 m², profundidad", 12)});
    const MedidaHolgada medida;
    const Informe inf = componeInforme(d, medida);

    struct Caja {
        double x, y, ancho, alto;
        std::string que;
    };
    std::string todo;  // every line's text in the order placed
    std::string titulos;  // the table's rows of ring names
    std::size_t filas = 0;
    for (std::size_t n = 0; n < inf.paginas.size(); ++n) {
        const Pagina& p = inf.paginas[n];
        std::vector<Caja> cajas;
        for (const Linea& l : p.lineas) {
            const double ancho = medida.ancho(l.texto, l.letra.puntos, l.letra.negrita);
            EXPECT_LE(ancho, l.ancho + 1e-9) << l.texto;
            EXPECT_GE(l.x, kMargen - 1e-9);
            EXPECT_LE(l.x + l.ancho, kAnchoPagina - kMargen + 1e-9) << l.texto;
            EXPECT_GE(l.y, kMargen - 1e-9);
            EXPECT_LE(l.y + l.alto, kFinPagina + 1e-9) << "página " << n + 1 << ": " << l.texto;
            cajas.push_back({l.x, l.y, ancho, l.alto, l.texto});
            todo += l.texto + " ";
        }
        for (double x : p.columnas) cajas.push_back({x, p.cabeceraY, kAnchoColumna, 5, "cabecera de la tabla"});
        for (const Fila& f : p.filas) {
            EXPECT_LE(f.posY + kAltoFila, kFinPagina + 1e-9);
            cajas.push_back({f.posX, f.posY, kAnchoColumna, kAltoFila, "fila " + std::to_string(f.numero) + f.texto});
            if (!f.titulo) ++filas;
            if (f.titulo) titulos += f.texto + " ";
        }
        // A ring's name never ends a column: its first vertex comes with it.
        for (std::size_t i = 0; i < p.filas.size(); ++i)
            if (p.filas[i].titulo) {
                EXPECT_TRUE(i + 1 < p.filas.size() && p.filas[i + 1].posX == p.filas[i].posX) << p.filas[i].texto;
            }
        if (p.conPlano) cajas.push_back({inf.plano.caja.x, inf.plano.caja.y, inf.plano.caja.ancho, inf.plano.caja.alto, "plano"});
        for (std::size_t i = 0; i < cajas.size(); ++i)
            for (std::size_t j = i + 1; j < cajas.size(); ++j) {
                const Caja &a = cajas[i], &b = cajas[j];
                const bool pisa = a.x < b.x + b.ancho - 1e-9 && b.x < a.x + a.ancho - 1e-9 &&
                                  a.y < b.y + b.alto - 1e-9 && b.y < a.y + a.alto - 1e-9;
                EXPECT_FALSE(pisa) << "página " << n + 1 << ": «" << a.que << "» y «" << b.que << "»";
            }
    }
    EXPECT_EQ(filas, anillo.x.size() + hueco.x.size());
    EXPECT_EQ(std::count_if(inf.paginas.begin(), inf.paginas.end(), [](const Pagina& p) { return p.conPlano; }), 1);
    // Whole and in order: the words of each text one after another.
    std::size_t desde = 0;
    const auto entero = [&](const std::string& texto) {
        const std::size_t at = todo.find(texto, desde);
        EXPECT_NE(at, std::string::npos) << texto;
        if (at != std::string::npos) desde = at + texto.size();
    };
    entero("Autor: " + d.firma.autor);
    entero("Superficie declarada en el GML: 100 m², difiere en 4896,00 m² de la calculada");
    for (const std::string& l : d.comprobacion) entero(l);
    for (const FilaComparacion& f : d.comparacion) entero(f.valor);
    EXPECT_EQ(titulos, anillo.titulo + " " + hueco.titulo + " ");
    // The words longer than a line, broken between their characters.
    const std::string seguido = sinBlancos(todo);
    EXPECT_NE(seguido.find(sinBlancos("parcela" + std::string(200, 'R') + "…")), std::string::npos);
    EXPECT_NE(seguido.find(sinBlancos("Situación: " + d.firma.situacion)), std::string::npos);
    for (const FilaComparacion& f : d.comparacion) EXPECT_NE(seguido.find(sinBlancos(f.concepto)), std::string::npos);
    // The plan's vertices without a number, when it left some, listed.
    if (!inf.plano.sinRotulo.empty()) {
        EXPECT_NE(todo.find("sin rótulo en el plano: "), std::string::npos);
    }
}

// The check's words for the client name no folder of the machine: the
// person's home (blanks and all), the temporary folders, the cache, a
// catalog's; what the path told said in plain words, addresses kept.
TEST(Informe, ComprobacionSinRutasDelEquipo)
{
    const char* antes = std::getenv("HOME");
    const std::string homeAntes = antes ? antes : "";
    test::setEnv("HOME", "/home/Ana García");
    const std::string nota = "No se ha podido comprobar el archivo contra los esquemas: ";
    struct Caso {
        std::string texto, limpio;
    };
    const Caso casos[] = {
        {nota + "no hay copia de http://schemas.opengis.net/gml/3.2.1/gml.xsd en /home/Ana García/.cache/vadrel/esquemas.",
         nota + "no hay copia de http://schemas.opengis.net/gml/3.2.1/gml.xsd en este equipo."},
        {nota + "no se puede leer el catálogo de esquemas /srv/esquemas/catalog.xml.",
         nota + "no se puede leer el catálogo de esquemas."},
        {nota + "la copia /home/Ana García/.cache/vadrel/esquemas/a/b.xsd de la caché no es un esquema; bórrela.",
         nota + "la copia de la caché no es un esquema; bórrela."},
        {"archivo: error: No se puede leer (C:\\Users\\ana\\x.xsd): no existe.",
         "archivo: error: No se puede leer: no existe."},
        {"el esquema file:///home/Ana%20Garc%C3%ADa/x.xsd está fuera", "el esquema está fuera"},
        {"el esquema ~/x.xsd está fuera", "el esquema está fuera"},
        {"no se puede leer en /tmp/vadrel-informe-x1/Mis documentos/informe.gml, hoy",
         "no se puede leer en este equipo, hoy"},
        {"el catálogo de esquemas no da http://inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd",
         "el catálogo de esquemas no da http://inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd"},
        {"parcela X, anillo exterior: aviso: El vértice 3/4 repite el anterior (440000,5 4470000).",
         "parcela X, anillo exterior: aviso: El vértice 3/4 repite el anterior (440000,5 4470000)."},
    };
    for (const Caso& c : casos) EXPECT_EQ(sinRutas(c.texto), c.limpio);
    // Folders the caller knows, however they are spelt.
    EXPECT_EQ(sinRutas("no se puede leer el catálogo /srv/mis esquemas/cat.xml de los esquemas", {"/srv/mis esquemas/"}),
              "no se puede leer el catálogo de los esquemas");
    EXPECT_EQ(sinRutas("faltan los esquemas", {"esquemas"}), "faltan los esquemas") << "a relative folder is no path";

    const check::Problem sinCopia{check::Severity::Warning, "archivo", casos[0].texto, true};
    const check::Problem ilegible{check::Severity::Error, "archivo", "No se puede leer /home/Ana García/p.gml."};
    const std::vector<std::string> resumen = resumenComprobacion({sinCopia, ilegible});
    EXPECT_EQ(resumen, (std::vector<std::string>{"1 error y 0 avisos", "archivo: error: No se puede leer.",
                                                 casos[0].limpio}));
    if (antes)
        test::setEnv("HOME", homeAntes);
    else
        test::unsetEnv("HOME");
}

// A coordinate typed with digits by the dozen does not fit its cell: the
// rest goes on in rows under its vertex, in the same column, each piece
// inside the cell; the vertex keeps one number.
TEST(Informe, CeldaDemasiadoAnchaSigueDebajo)
{
    AnilloInforme a = rectangulo(10, 10);
    a.x[3] = std::string(40, '0') + a.x[3];
    const MedidaHolgada medida;
    const Informe inf = componeInforme(parcela(a), medida);
    std::vector<Fila> filas;
    for (const Pagina& p : inf.paginas) filas.insert(filas.end(), p.filas.begin(), p.filas.end());
    std::string x;
    std::size_t renglones = 0;
    for (std::size_t i = 0; i < filas.size(); ++i) {
        const Fila& f = filas[i];
        EXPECT_LE(medida.ancho(f.x, kTextoTabla), kFinX - kFinNumero) << f.x;
        if (f.numero != 4) continue;
        x += f.x;
        ++renglones;
        EXPECT_EQ(f.sigue, renglones > 1);
        if (renglones > 1) {
            EXPECT_EQ(f.posX, filas[i - 1].posX);
            EXPECT_NEAR(f.posY, filas[i - 1].posY + kAltoFila, 1e-9);
            EXPECT_EQ(f.y, "");
        }
    }
    EXPECT_EQ(x, std::string(40, '0') + "440003,5");
    EXPECT_GT(renglones, 2u);
    EXPECT_EQ(filas.size(), a.x.size() + renglones - 1);
}

namespace vadrel::report {
namespace {

// The plan's legend comes with the cadastral parcels behind and names what
// the comparison filled; it keeps inside the plan and off every label.
TEST(Informe, LeyendaDelPlanoConLaCartografia)
{
    const std::vector<Punto> vecina{{440010.5, 4470000}, {440020.5, 4470000}, {440020.5, 4470010}, {440010.5, 4470010}};
    const struct {
        const char* nombre;
        bool edificio, fondo, solapes;
        std::vector<std::string> textos;
    } casos[] = {
        {"sin cartografía", false, false, false, {}},
        {"parcela sin solapes", false, true, false, {"Geometría nueva", "Parcelas catastrales"}},
        {"parcela con solapes", false, true, true, {"Geometría nueva", "Parcelas catastrales", "Solapes"}},
        {"edificio que se sale", true, true, true, {"Construcciones", "Parcela catastral", "Fuera de la parcela"}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        DatosInforme d = parcela(rectangulo(10, 10));
        d.edificio = c.edificio;
        if (c.fondo) d.fondo.push_back(ParcelaFondo{"8429106VK1882N", vecina});
        if (c.solapes) d.solapes.push_back(vecina);
        const Informe inf = componeInforme(d, MedidaHolgada());
        std::vector<std::string> textos;
        for (const ElementoLeyenda& e : inf.plano.leyenda) {
            textos.push_back(e.texto);
            const Caja& p = inf.plano.caja;
            EXPECT_GE(e.caja.x - 5, p.x);
            EXPECT_LE(e.caja.x + e.caja.ancho, p.x + p.ancho);
            EXPECT_LE(e.caja.y + e.caja.alto, p.y + p.alto);
            for (const AnilloPlano& a : inf.plano.anillos)
                for (const auto& r : a.rotulos)
                    if (r) {
                        EXPECT_FALSE(r->x < e.caja.x + e.caja.ancho && e.caja.x - 5 < r->x + r->ancho &&
                                     r->y < e.caja.y + e.caja.alto && e.caja.y < r->y + r->alto);
                    }
        }
        EXPECT_EQ(textos, c.textos);
    }
}

}  // namespace
}  // namespace vadrel::report
