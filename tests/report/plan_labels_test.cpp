// The plan's labels: every vertex number beside its own vertex and over
// nothing else, or listed as left out; the cadastral references inside
// their parcels and over no number.

#include <gtest/gtest.h>

#include <numbers>

#include <algorithm>
#include <cmath>

#include "report/plan_labels.hpp"

using namespace vadrel;
using namespace vadrel::report;

namespace {

Extension ext(const Caja& c) { return {c.x, c.y, c.x + c.ancho, c.y + c.alto}; }
bool solapan(const Caja& a, const Caja& b)
{
    return a.x < b.x + b.ancho && b.x < a.x + a.ancho && a.y < b.y + b.alto && b.y < a.y + a.alto;
}
bool dentro(const Caja& c, const Caja& m)
{
    return c.x >= m.x && c.y >= m.y && c.x + c.ancho <= m.x + m.ancho && c.y + c.alto <= m.y + m.alto;
}
Punto medio(const Caja& c) { return {c.x + c.ancho / 2, c.y + c.alto / 2}; }
double distancia(Punto a, Punto b) { return std::hypot(a.x - b.x, a.y - b.y); }

AnilloInforme anillo(const std::vector<Punto>& metros, bool interior = false)
{
    AnilloInforme a;
    a.interior = interior;
    for (Punto p : metros) {
        a.x.push_back(std::to_string(500000 + p.x));
        a.y.push_back(std::to_string(4100000 + p.y));
    }
    return a;
}

DatosInforme parcela(std::vector<AnilloInforme> anillos)
{
    DatosInforme d;
    d.huso = "30";
    d.anillos = std::move(anillos);
    return d;
}

std::vector<Punto> rectangulo(double x0, double y0, double x1, double y1)
{
    return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
}

// 100 x 60 m with a notch down from the north side: vertices 15 and 20 are
// 1 m apart, 1 mm on the page at 1:1000.
const std::vector<Punto> kMuesca{{0, 0},    {10, 0},    {20, 0},    {30, 0},    {40, 0},     {50, 0},
                                 {60, 0},   {70, 0},    {80, 0},    {100, 0},   {100, 20},   {100, 40},
                                 {100, 60}, {80, 60},   {60.5, 60}, {60.5, 30}, {60, 25},    {59.5, 30},
                                 {59.5, 45}, {59.5, 60}, {30, 60},  {0, 60}};

// A circle of 30 m, every other vertex 1.5 m out: 0.8 mm apart on the page.
std::vector<Punto> dentado()
{
    std::vector<Punto> p;
    for (int i = 0; i < 240; ++i) {
        const double r = i % 2 ? 31.5 : 30;
        p.push_back({r * std::cos(i * std::numbers::pi / 120), r * std::sin(i * std::numbers::pi / 120)});
    }
    return p;
}

// 41 x 26 m, filling the plan at 1:250: a vertex every metre of its south
// side along the scale bar, its north-east corner under the north arrow.
std::vector<Punto> bajoLaEscala()
{
    std::vector<Punto> p;
    for (int x = 0; x <= 41; ++x) p.push_back({double(x), 0});
    p.insert(p.end(), {{41, 26}, {0, 26}});
    return p;
}

struct CasoRotulos {
    const char* nombre;
    std::vector<AnilloInforme> anillos;
    bool todos;  // every vertex has room for its number
};

class RotulosDeVertices : public ::testing::TestWithParam<CasoRotulos> {};

const CasoRotulos kCasosRotulos[] = {
    {"quince_y_veinte_a_un_metro", {anillo(kMuesca)}, true},
    {"anillo_denso", {anillo(dentado())}, false},
    {"junto_a_la_escala_y_la_flecha", {anillo(bajoLaEscala())}, false},
    // A 4 x 4 m hole whose corner is 0.5 m from the outer ring's, at 1:500.
    {"hueco_junto_al_borde", {anillo(rectangulo(0, 0, 60, 40)), anillo(rectangulo(0.5, 0.5, 4.5, 4.5), true)}, true},
    // Two buildings 0.3 m apart, their vertices face to face.
    {"dos_anillos_juntos", {anillo(rectangulo(0, 0, 12, 8)), anillo(rectangulo(12.3, 0, 20, 8))}, true},
};

TEST_P(RotulosDeVertices, NingunoTapaOtroNiUnaLinea)
{
    const CasoRotulos& c = GetParam();
    const Informe inf = componeInforme(parcela(c.anillos), MedidaHolgada());
    const Plano& pl = inf.plano;
    struct Rotulo {
        int numero;
        Caja caja;
        Punto vertice;
    };
    std::vector<Rotulo> rotulos;
    std::vector<Punto> vertices;
    std::vector<int> todos = pl.sinRotulo;
    for (const AnilloPlano& a : pl.anillos) {
        ASSERT_EQ(a.rotulos.size(), a.puntos.size());
        vertices.insert(vertices.end(), a.puntos.begin(), a.puntos.end());
        for (std::size_t i = 0; i < a.puntos.size(); ++i)
            if (a.rotulos[i]) rotulos.push_back({a.primerNumero + int(i), *a.rotulos[i], a.puntos[i]});
    }
    // Every vertex either numbered or listed, once; the table has them all.
    for (const Rotulo& r : rotulos) todos.push_back(r.numero);
    std::sort(todos.begin(), todos.end());
    ASSERT_EQ(todos.size(), vertices.size());
    for (std::size_t i = 0; i < todos.size(); ++i) EXPECT_EQ(todos[i], int(i) + 1);
    EXPECT_TRUE(std::is_sorted(pl.sinRotulo.begin(), pl.sinRotulo.end()));
    std::size_t filas = 0;
    for (const Pagina& p : inf.paginas)
        filas += std::count_if(p.filas.begin(), p.filas.end(), [](const Fila& f) { return !f.titulo; });
    EXPECT_EQ(filas, vertices.size());
    EXPECT_EQ(pl.sinRotulo.empty(), c.todos) << pl.sinRotulo.size() << " sin número";
    EXPECT_GT(rotulos.size(), vertices.size() / 10);

    for (std::size_t i = 0; i < rotulos.size(); ++i) {
        const Rotulo& r = rotulos[i];
        SCOPED_TRACE("número " + std::to_string(r.numero));
        EXPECT_TRUE(dentro(r.caja, pl.caja));
        for (const Caja& f : pl.figuras) EXPECT_FALSE(solapan(r.caja, f));
        for (std::size_t j = i + 1; j < rotulos.size(); ++j)
            EXPECT_FALSE(solapan(r.caja, rotulos[j].caja)) << rotulos[j].numero;
        for (const AnilloPlano& a : pl.anillos)
            for (std::size_t v = 0; v < a.puntos.size(); ++v)
                ASSERT_FALSE(segmentoToca(a.puntos[v], a.puntos[(v + 1) % a.puntos.size()], ext(r.caja)))
                    << "lado " << a.primerNumero + v;
        // Beside its own vertex: no dot under it, no vertex nearer its middle.
        EXPECT_LT(distancia(medio(r.caja), r.vertice), 4);
        for (Punto v : vertices) {
            const double d = kRadioVertice;
            EXPECT_FALSE(solapan(r.caja, {v.x - d, v.y - d, 2 * d, 2 * d}));
            EXPECT_GE(distancia(medio(r.caja), v), distancia(medio(r.caja), r.vertice));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Plano, RotulosDeVertices, ::testing::ValuesIn(kCasosRotulos),
                         [](const auto& info) { return std::string(info.param.nombre); });

// With room all round, each number sits on the side away from the filled
// surface: out of an outer ring, into a hole.
TEST(RotulosDeVertices, FueraDeLaSuperficie)
{
    const DatosInforme d = parcela({anillo(rectangulo(0, 0, 40, 20)), anillo(rectangulo(10, 5, 30, 15), true)});
    const Plano pl = componeInforme(d, MedidaHolgada()).plano;
    ASSERT_TRUE(pl.sinRotulo.empty());
    for (std::size_t r = 0; r < 2; ++r) {
        const auto& p = pl.anillos[r].puntos;  // north up: the first vertex is the south-west corner
        for (std::size_t i = 0; i < 4; ++i) {
            const Punto m = medio(*pl.anillos[r].rotulos[i]);
            EXPECT_EQ(m.x > p[0].x && m.x < p[1].x && m.y < p[0].y && m.y > p[2].y, r == 1) << r << ' ' << i;
        }
    }
}

TEST(RotulosDeVertices, SegmentoContraCaja)
{
    struct Caso {
        const char* nombre;
        Punto a, b;
        bool toca;
    };
    // Against the box from (0, 0) to (4, 2).
    for (const Caso& k : {Caso{"dentro", {1, 1}, {2, 1.5}, true}, Caso{"la cruza", {-1, 1}, {5, 1}, true},
                          Caso{"de esquina a esquina", {-1, -1}, {5, 3}, true},
                          Caso{"toca un lado", {2, 2}, {2, 5}, true}, Caso{"toca una esquina", {4, 2}, {6, 3}, true},
                          Caso{"junto a una esquina", {3.5, 3}, {5, 1.5}, false},
                          Caso{"paralelo fuera", {-1, 2.01}, {5, 2.01}, false},
                          Caso{"se queda antes", {-3, 1}, {-0.01, 1}, false},
                          Caso{"diagonal que pasa de largo", {-1, 1}, {1, 4}, false},
                          Caso{"un punto dentro", {1, 1}, {1, 1}, true},
                          Caso{"un punto fuera", {5, 1}, {5, 1}, false}}) {
        EXPECT_EQ(segmentoToca(k.a, k.b, {0, 0, 4, 2}), k.toca) << k.nombre;
        EXPECT_EQ(segmentoToca(k.b, k.a, {0, 0, 4, 2}), k.toca) << k.nombre << " al revés";
    }
}

// The references of the parcels behind: the short label at the middle of
// what the plan shows of each parcel, never over a number or another.
TEST(ReferenciasDelFondo, EnSuParcelaSinTaparNumerosNiOtras)
{
    DatosInforme d = parcela({anillo(rectangulo(0, 0, 40, 20))});
    const auto fondo = [&](std::string ref, std::vector<Punto> r) {
        for (Punto& p : r) p.x += 500000, p.y += 4100000;
        d.fondo.push_back(ParcelaFondo{std::move(ref), std::move(r)});
    };
    fondo("8429105VK1882N", rectangulo(0, 0, 40, 20));            // the parcel itself
    fondo("8429106VK1882N", rectangulo(0, 20, 40, 60));           // north, past the plan's edge
    fondo("28079A01200052", rectangulo(40, -5, 80, 25));          // rural, east
    fondo("28079A01200053", rectangulo(40, -5, 80, 25));          // the same place: no room
    fondo("8429107VK1882N", rectangulo(-0.6, -0.6, 0.4, 0.4));    // under vertex 1's number
    fondo("8429108VK1882N", rectangulo(-500, -500, -400, -400));  // out of sight
    const Plano pl = componeInforme(d, MedidaHolgada()).plano;

    std::vector<std::string> textos;
    for (const RotuloPlano& r : pl.referencias) textos.push_back(r.texto);
    ASSERT_EQ(textos, (std::vector<std::string>{"8429105", "8429106", "12/52"}));
    // The parcel's label at its centre; the northern one halfway between
    // its south side and the plan's top edge.
    EXPECT_NEAR(distancia(medio(pl.referencias[0].caja), pl.aPagina({500020, 4100010})), 0, 1e-6);
    EXPECT_NEAR(medio(pl.referencias[1].caja).y, pl.aPagina({0, (4100020 + pl.visible().maxY) / 2}).y, 1e-6);
    for (std::size_t i = 0; i < pl.referencias.size(); ++i) {
        const Caja& c = pl.referencias[i].caja;
        EXPECT_TRUE(dentro(c, pl.caja)) << textos[i];
        for (const Caja& f : pl.figuras) EXPECT_FALSE(solapan(c, f)) << textos[i];
        for (std::size_t j = i + 1; j < pl.referencias.size(); ++j) EXPECT_FALSE(solapan(c, pl.referencias[j].caja));
        for (const AnilloPlano& a : pl.anillos)
            for (const auto& n : a.rotulos) EXPECT_FALSE(n && solapan(c, *n)) << textos[i];
    }
}

}  // namespace
