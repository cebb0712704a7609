#include "core/arcs.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using namespace vadrel;
using namespace vadrel::arcos;

namespace {

constexpr double kPi = std::numbers::pi;

double distancia(Punto a, Punto b) { return std::hypot(a.x - b.x, a.y - b.y); }

}  // namespace

TEST(Arcos, ChordsOfKnownArcsStayWithinTheSagitta)
{
    const double r = 10;
    const struct {
        const char* what;
        Punto p, q;
        double bulge;
        Punto centro;
        double angulo;  // the arc's signed angle
    } cases[] = {
        {"half circle", {-r, 0}, {r, 0}, 1, {0, 0}, kPi},
        {"half circle, clockwise", {-r, 0}, {r, 0}, -1, {0, 0}, -kPi},
        {"quarter circle", {r, 0}, {0, r}, std::tan(kPi / 8), {0, 0}, kPi / 2},
        {"quarter circle, clockwise", {0, r}, {r, 0}, -std::tan(kPi / 8), {0, 0}, -kPi / 2},
        {"three quarters in UTM", {500000 + r, 4100000}, {500000, 4100000 - r}, std::tan(3 * kPi / 8),
         {500000, 4100000}, 3 * kPi / 2},
    };
    for (const double flecha : {0.05, 0.001}) {
        for (const auto& c : cases) {
            const std::vector<Punto> puntos = puntosDelArco(c.p, c.q, c.bulge, flecha);
            const std::size_t n = tramosDelArco(c.p, c.q, c.bulge, flecha);
            ASSERT_EQ(puntos.size(), n - 1) << c.what;
            // On the circle, each chord within the sagitta, and one chord
            // fewer would not be.
            std::vector<Punto> poligono{c.p};
            for (Punto a : puntos) {
                EXPECT_NEAR(distancia(a, c.centro), r, 1e-6) << c.what;
                const double cuerda = distancia(poligono.back(), a);
                EXPECT_LE(r - std::sqrt(r * r - cuerda * cuerda / 4), flecha + 1e-9) << c.what;
                poligono.push_back(a);
            }
            poligono.push_back(c.q);
            EXPECT_GT(r * (1 - std::cos(std::fabs(c.angulo) / static_cast<double>(n - 1) / 2)), flecha) << c.what;
            // The area between chords and arc (the half disc, the quarter
            // disc's segment): the circular segment's, short by less than the
            // arc's length times the sagitta, on the side the bulge turns to.
            const double segmento = r * r * (std::fabs(c.angulo) - std::sin(std::fabs(c.angulo))) / 2;
            const double area = doubleSignedArea(poligono) / 2;
            EXPECT_EQ(area > 0, c.bulge > 0) << c.what;
            EXPECT_LE(std::fabs(area), segmento) << c.what;
            EXPECT_GE(std::fabs(area), segmento - r * std::fabs(c.angulo) * flecha) << c.what;
        }
    }
}

TEST(Arcos, WhatStaysOneChord)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        Punto p, q;
        double bulge, flecha;
        std::size_t tramos;
    } cases[] = {
        {"bulge 0", {0, 0}, {10, 0}, 0, 0.05, 1},
        {"both ends the same point", {5, 5}, {5, 5}, 1, 0.05, 1},
        {"no finite bulge", {0, 0}, {10, 0}, std::nan(""), 0.05, 1},
        {"an infinite bulge", {0, 0}, {10, 0}, inf, 0.05, 1},
        {"a circle of no finite radius", {0, 0}, {1, 0}, 1e300, 0.001, 1},
        {"flecha 0 keeps the chord", {0, 0}, {10, 0}, 1, 0, 1},
        {"an arc within the sagitta of its chord", {0, 0}, {10, 0}, 0.001, 0.05, 1},
        // Nearly a full turn of a huge circle: a bounded number of chords.
        {"a bulge no drawing means", {0, 0}, {1, 0}, 1e12, 0.001, kMaxTramosPorArco},
        {"a sagitta too fine to reach", {0, 0}, {1, 0}, 1, 1e-300, kMaxTramosPorArco},
        {"rounding residue of a straight side", {441000, 4470000}, {441020, 4470000}, 1.2246467991473532e-16, 0.05, 1},
        {"a bulge next to nothing, negative", {0, 0}, {20, 0}, -1e-300, 0.05, 1},
        {"an arc just within the tolerance of its chord", {0, 0}, {20, 0}, 0.005, 0.05, 1},
        {"an arc just past it", {0, 0}, {20, 0}, 0.0051, 0.05, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tramosDelArco(c.p, c.q, c.bulge, c.flecha), c.tramos) << c.what;
        EXPECT_EQ(puntosDelArco(c.p, c.q, c.bulge, c.flecha).size(), c.tramos - 1) << c.what;
    }
}
