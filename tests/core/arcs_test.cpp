#include "core/arcs.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace vadrel;
using namespace vadrel::arcos;

namespace {

constexpr double kPi = std::numbers::pi;

// The polygon the chords make with the arc's own chord q→p.
std::vector<Punto> conCuerda(Punto p, Punto q, double b, double flecha)
{
    std::vector<Punto> poligono{p};
    for (Punto a : puntosDelArco(p, q, b, flecha)) poligono.push_back(a);
    poligono.push_back(q);
    return poligono;
}

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
        {"half circle, counter-clockwise", {-r, 0}, {r, 0}, 1, {0, 0}, kPi},
        {"half circle, clockwise", {-r, 0}, {r, 0}, -1, {0, 0}, -kPi},
        {"quarter circle", {r, 0}, {0, r}, std::tan(kPi / 8), {0, 0}, kPi / 2},
        {"quarter circle, clockwise", {0, r}, {r, 0}, -std::tan(kPi / 8), {0, 0}, -kPi / 2},
        {"three quarters in UTM", {500000 + r, 4100000}, {500000, 4100000 - r}, std::tan(3 * kPi / 8),
         {500000, 4100000}, 3 * kPi / 2},
        {"a shallow arc", {0, 0}, {100, 0}, 0.02, {50, (1 - 0.0004) / (4 * 0.02) * 100}, 4 * std::atan(0.02)},
    };
    for (const double flecha : {0.05, 0.001, 0.5}) {
        for (const auto& c : cases) {
            const std::vector<Punto> puntos = puntosDelArco(c.p, c.q, c.bulge, flecha);
            const double radio = distancia(c.p, c.centro);
            const std::size_t n = tramosDelArco(c.p, c.q, c.bulge, flecha);
            ASSERT_EQ(puntos.size(), n - 1) << c.what;
            // On the circle, in order, each chord within the sagitta...
            Punto antes = c.p;
            for (Punto a : puntos) {
                EXPECT_NEAR(distancia(a, c.centro), radio, 1e-6) << c.what;
                const double cuerda = distancia(antes, a);
                EXPECT_LE(radio - std::sqrt(radio * radio - cuerda * cuerda / 4), flecha + 1e-9) << c.what;
                antes = a;
            }
            // ...and one chord fewer would not be.
            const double paso = std::fabs(c.angulo) / static_cast<double>(n - 1);
            if (n > 1) {
                EXPECT_GT(radio * (1 - std::cos(paso / 2)), flecha) << c.what << " " << flecha;
            }
            // The area between chords and arc: the segment's, short by less
            // than the arc's length times the sagitta, on the side of the turn.
            const double segmento = radio * radio * (std::fabs(c.angulo) - std::sin(std::fabs(c.angulo))) / 2;
            const double area = doubleSignedArea(conCuerda(c.p, c.q, c.bulge, flecha)) / 2;
            EXPECT_EQ(area > 0, c.bulge > 0) << c.what;
            EXPECT_LE(std::fabs(area), segmento) << c.what;
            EXPECT_GE(std::fabs(area), segmento - radio * std::fabs(c.angulo) * flecha) << c.what;
        }
    }
    // The half circle: half the disc.
    const double mitad = std::fabs(doubleSignedArea(conCuerda({-r, 0}, {r, 0}, 1, 0.05))) / 2;
    EXPECT_NEAR(mitad, kPi * r * r / 2, kPi * r * 0.05);
    EXPECT_LT(mitad, kPi * r * r / 2);
}

TEST(Arcos, WhatIsNoArc)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        Punto p, q;
        double bulge, flecha;
    } cases[] = {
        {"bulge 0", {0, 0}, {10, 0}, 0, 0.05},
        {"both ends the same point", {5, 5}, {5, 5}, 1, 0.05},
        {"no finite bulge", {0, 0}, {10, 0}, std::nan(""), 0.05},
        {"an infinite bulge", {0, 0}, {10, 0}, inf, 0.05},
        {"flecha 0 keeps the chord", {0, 0}, {10, 0}, 1, 0},
        {"a negative flecha too", {0, 0}, {10, 0}, 1, -1},
        {"a sagitta the arc never reaches", {0, 0}, {10, 0}, 0.001, 0.05},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(puntosDelArco(c.p, c.q, c.bulge, c.flecha).empty()) << c.what;
        EXPECT_EQ(tramosDelArco(c.p, c.q, c.bulge, c.flecha), 1u) << c.what;
    }
    EXPECT_FALSE(esArco({0, 0}, {10, 0}, 0));
    EXPECT_TRUE(esArco({0, 0}, {10, 0}, 0.001));
}

TEST(Arcos, ABulgeNoDrawingMeansStopsAtTheMostChords)
{
    // Nearly a full turn of a huge circle: a bounded number of points.
    for (const double b : {1e12, -1e15})
        EXPECT_EQ(puntosDelArco({0, 0}, {1, 0}, b, 0.001).size(), kMaxTramosPorArco - 1) << b;
    // One whose circle has no finite radius stays a chord.
    EXPECT_TRUE(puntosDelArco({0, 0}, {1, 0}, 1e300, 0.001).empty());
    EXPECT_EQ(puntosDelArco({0, 0}, {1, 0}, 1, 1e-300).size(), kMaxTramosPorArco - 1);
}
