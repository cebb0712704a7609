#include "io/arc_lists.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/arcs.hpp"

using namespace vadrel;

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

TEST(SustituyeArcos, PointsGoBetweenTheirVerticesAndTheVerticesStayAsWritten)
{
    // A 10 x 10 square, counter-clockwise; a half circle of radius 5 on one
    // of its sides, outwards (+1: the arc turns counter-clockwise, to the
    // right of the side) or inwards (−1).
    const CoordList x{"500000", "500010.0", "500010", "500000"}, y{"4100000", "4100000", "4100010", "4100010"};
    const double mitad = kPi * 25 / 2;
    const std::size_t tramos = arcos::tramosDelArco({0, 0}, {10, 0}, 1, 0.05);
    const struct {
        const char* what;
        std::vector<double> bulges;
        bool cerrada;
        std::size_t despuesDe;  // the vertex the points follow (0: none inserted)
        double cambio;          // about, within the sagitta's bound
    } cases[] = {
        {"first side, outwards", {1}, true, 1, mitad},
        {"first side, inwards", {-1}, true, 1, mitad},
        {"the closing side takes the last vertex's bulge", {0, 0, 0, 1}, true, 4, mitad},
        {"an open polyline's last bulge means nothing", {0, 0, 0, 1}, false, 0, 0},
        {"bulges of 0", {0, 0, 0, 0}, true, 0, 0},
    };
    for (const auto& c : cases) {
        CoordList mx = x, my = y;
        const ResumenArcos r = sustituyeArcos(mx, my, 0, c.bulges, c.cerrada, 0.05);
        const bool hay = c.despuesDe > 0;
        EXPECT_EQ(r.arcos, hay ? 1u : 0u) << c.what;
        EXPECT_EQ(r.tramos, hay ? tramos : 0u) << c.what;
        ASSERT_EQ(mx.size(), hay ? 4 + tramos - 1 : 4) << c.what;
        ASSERT_EQ(my.size(), mx.size()) << c.what;
        // The vertices, as written, around the inserted points.
        const std::size_t n = mx.size() - 4;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = i < c.despuesDe ? i : i + n;
            EXPECT_EQ(mx[at], x[i]) << c.what << " " << i;
            EXPECT_EQ(my[at], y[i]) << c.what << " " << i;
        }
        // Inserted points with four decimals.
        if (hay) {
            const std::string& p = mx[c.despuesDe];
            EXPECT_EQ(p.size() - p.find('.'), 5u) << c.what << " " << p;
        }
        EXPECT_NEAR(r.cambioSuperficie, c.cambio, kPi * 5 * 0.05) << c.what;
        EXPECT_LE(r.cambioSuperficie, c.cambio + 0.001) << c.what;
    }

    // The first side outwards goes below the square; inwards, into it.
    CoordList mx = x, my = y;
    sustituyeArcos(mx, my, 0, {1}, true, 0.05);
    EXPECT_LT(std::stod(my[tramos / 2]), 4100000 - 4.9);
    mx = x, my = y;
    sustituyeArcos(mx, my, 0, {-1}, true, 0.05);
    EXPECT_GT(std::stod(my[tramos / 2]), 4100000 + 4.9);
}

TEST(SustituyeArcos, WhatLeavesTheListsAlone)
{
    const CoordList x{"1.5", "11,5", "11.5"}, y{"0", "0", "10"};
    const struct {
        const char* what;
        CoordList x, y;
        std::size_t desde;
        double flecha;
        bool cambia;
    } cases[] = {
        {"a flecha of 0", x, y, 0, 0, false},
        {"lists that do not pair", x, {"0", "0"}, 0, 0.05, false},
        {"a vertex that is no number", {"1.5", "11.5X", "11.5"}, y, 0, 0.05, false},
        {"a Y missing", x, {"0", "", "10"}, 0, 0.05, false},
        {"a start past the lists", x, y, 4, 0.05, false},
        {"either separator", x, y, 0, 0.05, true},
    };
    for (const auto& c : cases) {
        CoordList mx = c.x, my = c.y;
        const ResumenArcos r = sustituyeArcos(mx, my, c.desde, {1}, true, c.flecha);
        EXPECT_EQ(r.arcos, c.cambia ? 1u : 0u) << c.what;
        if (!c.cambia) {
            EXPECT_EQ(mx, c.x) << c.what;
            EXPECT_EQ(my, c.y) << c.what;
        }
    }

    // Lines before `desde` belong to another polyline and stay untouched.
    CoordList mx{"7", "1.5", "11.5", "11.5"}, my{"7", "0", "0", "10"};
    EXPECT_EQ(sustituyeArcos(mx, my, 1, {0, 0, 1}, true, 0.05).arcos, 1u);
    EXPECT_EQ(mx.front(), "7");
    EXPECT_EQ(mx[3], "11.5");
    EXPECT_GT(mx.size(), 4u);  // the closing arc's points, past the last vertex
}

TEST(MensajeArcos, TheNumbersInTheirSpanishForm)
{
    ResumenArcos r;
    EXPECT_EQ(mensajeArcos(r, 0.05), "");
    r.arcos = 3;
    r.tramos = 41;
    r.cambioSuperficie = 1234.567;
    EXPECT_EQ(mensajeArcos(r, 0.05),
              "El dibujo tiene 3 arcos; se han sustituido por 41 tramos rectos (flecha máxima 0,05 m). La superficie "
              "cambia en 1234,57 m² respecto a unir los vértices con rectas.");
    r.cambioSuperficie = 0.001;
    EXPECT_EQ(mensajeArcos(r, 0.1),
              "El dibujo tiene 3 arcos; se han sustituido por 41 tramos rectos (flecha máxima 0,1 m). La superficie "
              "cambia en 0,00 m² respecto a unir los vértices con rectas.");
}
