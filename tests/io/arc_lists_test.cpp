#include "io/arc_lists.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/arcs.hpp"

using namespace vadrel;

TEST(SustituyeArcos, PointsGoBetweenTheirVerticesAndTheVerticesStayAsWritten)
{
    // A 10 x 10 square, counter-clockwise; a half circle of radius 5 on one
    // side: +1 turns counter-clockwise, to the right of the side, outwards.
    const CoordList x{"500000", "500010.0", "500010", "500000"}, y{"4100000", "4100000", "4100010", "4100010"};
    const double mitad = std::numbers::pi * 25 / 2;
    const std::size_t tramos = arcos::tramosDelArco({0, 0}, {10, 0}, 1, 0.05);
    const struct {
        const char* what;
        std::vector<double> bulges;
        bool cerrada;
        std::size_t despuesDe;  // the vertex the points follow (0: none inserted)
        double sur;             // the arc's middle point south of its side
    } cases[] = {
        {"first side, outwards", {1}, true, 1, 5},
        {"first side, inwards", {-1}, true, 1, -5},
        {"the closing side takes the last vertex's bulge", {0, 0, 0, 1}, true, 4, 0},
        {"an open polyline's last bulge means nothing", {0, 0, 0, 1}, false, 0, 0},
    };
    for (const auto& c : cases) {
        CoordList mx = x, my = y;
        const ResumenArcos r = sustituyeArcos(mx, my, 0, c.bulges, c.cerrada, 0.05);
        const bool hay = c.despuesDe > 0;
        EXPECT_EQ(r.arcos, hay ? 1u : 0u) << c.what;
        ASSERT_EQ(mx.size(), hay ? 4 + tramos - 1 : 4) << c.what;
        ASSERT_EQ(my.size(), mx.size()) << c.what;
        const std::size_t n = mx.size() - 4;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = i < c.despuesDe ? i : i + n;
            EXPECT_EQ(mx[at], x[i]) << c.what << " " << i;
            EXPECT_EQ(my[at], y[i]) << c.what << " " << i;
        }
        if (!hay) continue;
        EXPECT_NEAR(r.cambioSuperficie, mitad, std::numbers::pi * 5 * 0.05) << c.what;
        const std::string& medio = my[c.despuesDe + tramos / 2 - 1];
        EXPECT_EQ(medio.size() - medio.find('.'), 5u) << c.what << " " << medio;  // 4 decimals
        if (c.sur != 0) {
            EXPECT_NEAR(4100000 - std::stod(medio), c.sur, 1e-4) << c.what;
        }
    }
}

TEST(SustituyeArcos, WhatLeavesTheListsAlone)
{
    const CoordList x{"1.5", "11,5", "11.5"}, y{"0", "0", "10"};
    const struct {
        const char* what;
        CoordList x, y;
        std::size_t desde;
        double flecha;
    } cases[] = {
        {"a flecha of 0", x, y, 0, 0},
        {"lists that do not pair", x, {"0", "0"}, 0, 0.05},
        {"a vertex that is no number", {"1.5", "11.5X", "11.5"}, y, 0, 0.05},
        {"a start past the lists", x, y, 4, 0.05},
    };
    for (const auto& c : cases) {
        CoordList mx = c.x, my = c.y;
        EXPECT_EQ(sustituyeArcos(mx, my, c.desde, {1}, true, c.flecha).arcos, 0u) << c.what;
        EXPECT_EQ(mx, c.x) << c.what;
        EXPECT_EQ(my, c.y) << c.what;
    }
    // A straight side whose bulge is rounding residue is no arc, and none
    // is told of.
    for (const double residuo : {1.2246467991473532e-16, -1e-300, 1e-5}) {
        CoordList mx = x, my = y;
        EXPECT_EQ(sustituyeArcos(mx, my, 0, {residuo}, true, 0.05).arcos, 0u) << residuo;
        EXPECT_EQ(mx, x) << residuo;
        EXPECT_EQ(my, y) << residuo;
    }
    // A drawing that has inserted its most points keeps further chords.
    CoordList bx = x, by = y;
    const ResumenArcos lleno = sustituyeArcos(bx, by, 0, {1}, true, 0.05, arcos::kMaxPuntosPorDibujo);
    EXPECT_EQ(lleno.arcos, 1u);
    EXPECT_EQ(lleno.tramos, 1u);
    EXPECT_EQ(bx, x);

    // Lines before `desde` belong to another polyline; either separator.
    CoordList mx{"7", "1.5", "11,5", "11.5"}, my{"7", "0", "0", "10"};
    EXPECT_EQ(sustituyeArcos(mx, my, 1, {1}, true, 0.05).arcos, 1u);
    EXPECT_EQ(mx.front(), "7");
    ASSERT_EQ(mx.size(), 4 + arcos::tramosDelArco({0, 0}, {10, 0}, 1, 0.05) - 1);
    EXPECT_EQ(mx[mx.size() - 2], "11,5");
}

// Past the drawing's limit of inserted points an arc keeps its chord: the
// message then gives the distance there really is, not the one asked for.
TEST(SustituyeArcos, TheMessageNeverPromisesATolerancePastTheLimit)
{
    const CoordList x{"500000", "500020", "500020", "500000"}, y{"4100000", "4100000", "4100010", "4100010"};
    const struct {
        const char* what;
        std::size_t yaInsertados;
        const char* flecha;
    } cases[] = {
        {"room for the points", 0, "(flecha máxima 0,05 m)"},
        {"no room: the half circle of radius 10 stays its chord", arcos::kMaxPuntosPorDibujo, "(flecha máxima 10 m)"},
    };
    for (const auto& c : cases) {
        CoordList mx = x, my = y;
        const ResumenArcos r = sustituyeArcos(mx, my, 0, {1}, true, 0.05, c.yaInsertados);
        EXPECT_NE(mensajeArcos(r, 0.05).find(c.flecha), std::string::npos) << c.what << ": " << mensajeArcos(r, 0.05);
    }
}
