// The sweep that tells a simple ring from one that meets itself, without
// comparing every edge with every other.

#include "check/ring_sweep.hpp"

#include <gtest/gtest.h>

#include <numbers>

#include <cmath>

using namespace vadrel;
using check::Simplicity;

namespace {

std::vector<Punto> ring(std::initializer_list<Punto> points)
{
    std::vector<Punto> r(points);
    r.push_back(r.front());
    return r;
}

// A narrow saw-tooth: n teeth, each edge spanning 50 m along x, all their
// boxes overlapping; closed by a base below.
std::vector<Punto> sawTooth(int n)
{
    std::vector<Punto> r;
    for (int i = 0; i < n; ++i) r.push_back({500000 + i * 0.01 + (i % 2 ? 50 : 0), 4100000.0 + (i % 2)});
    r.push_back({500000 + n * 0.01 + 60, 4099999});
    r.push_back({500000, 4099999});
    r.push_back(r.front());
    return r;
}

struct Row {
    const char* name;
    std::vector<Punto> points;
    Simplicity expected;
};

}  // namespace

TEST(RingSweep, TellsSimpleRingsFromThoseThatMeetThemselves)
{
    std::vector<Punto> crossedSaw = sawTooth(2000);
    crossedSaw[1000].y = 4099998;  // one tooth down through the base
    std::vector<Punto> touchingSaw = sawTooth(2000);
    touchingSaw[1001] = touchingSaw[501];  // a vertex met twice
    const Row rows[] = {
        {"square", ring({{0, 0}, {40, 0}, {40, 30}, {0, 30}}), Simplicity::Simple},
        {"square clockwise, repeated vertex", ring({{0, 0}, {0, 30}, {0, 30}, {40, 30}, {40, 0}}),
         Simplicity::Simple},
        {"bow-tie", ring({{0, 0}, {40, 30}, {40, 0}, {0, 30}}), Simplicity::Crosses},
        {"vertical edges", ring({{0, 0}, {0, 10}, {1, 10}, {1, 1}, {2, 1}, {2, 10}, {3, 10}, {3, 0}}),
         Simplicity::Simple},
        {"vertex on another edge", ring({{0, 0}, {40, 0}, {40, 30}, {20, 0}, {0, 30}}), Simplicity::Unsure},
        {"vertex met twice", ring({{0, 0}, {20, 10}, {40, 0}, {40, 30}, {20, 10}, {0, 30}}), Simplicity::Touches},
        {"spike back along an edge", ring({{0, 0}, {40, 0}, {40, 30}, {40, 10}, {0, 30}}), Simplicity::Unsure},
        {"too few vertices", ring({{0, 0}, {40, 0}}), Simplicity::Unsure},
        {"saw-tooth", sawTooth(2000), Simplicity::Simple},
        {"saw-tooth crossing its base", crossedSaw, Simplicity::Crosses},
        {"saw-tooth touching itself", touchingSaw, Simplicity::Touches},
    };
    for (const Row& row : rows)
        EXPECT_EQ(static_cast<int>(check::ringSimplicity(row.points)), static_cast<int>(row.expected)) << row.name;

    Punto at;
    ASSERT_EQ(check::ringSimplicity(ring({{500000, 4100000}, {500040, 4100030}, {500040, 4100000}, {500000, 4100030}}), &at),
              Simplicity::Crosses);
    EXPECT_EQ(at.x, 500020);
    EXPECT_EQ(at.y, 4100015);
}

TEST(RingSweep, OnlyRingsOfShortRunsAreTakenFromGeos)
{
    std::vector<Punto> circle;
    for (int i = 0; i <= 1000; ++i)
        circle.push_back({std::cos(i * 2 * std::numbers::pi / 1000) * 100, std::sin(i * 2 * std::numbers::pi / 1000) * 100});
    circle.back() = circle.front();
    EXPECT_FALSE(check::zigzags(circle));
    EXPECT_TRUE(check::zigzags(sawTooth(2000)));
    EXPECT_FALSE(check::zigzags(sawTooth(20))) << "a few vertices: GEOS is quick";
}

TEST(RingSweep, RingsOfOnePolygonMeetNowhereOrAreToldApart)
{
    const std::vector<Punto> shell = ring({{0, 0}, {40, 0}, {40, 30}, {0, 30}});
    struct Case {
        const char* name;
        std::vector<Punto> hole;
        Simplicity expected;
    } cases[] = {
        {"inside", ring({{10, 10}, {10, 20}, {20, 20}, {20, 10}}), Simplicity::Simple},
        {"outside", ring({{50, 10}, {50, 20}, {60, 20}, {60, 10}}), Simplicity::Simple},
        {"across the shell", ring({{30, 10}, {30, 20}, {50, 20}, {50, 10}}), Simplicity::Crosses},
        {"on a shell vertex", ring({{40, 30}, {30, 20}, {30, 25}}), Simplicity::Touches},
        {"on a shell edge", ring({{20, 0}, {25, 10}, {15, 10}}), Simplicity::Unsure},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(check::ringsSimplicity({&shell, &c.hole})), static_cast<int>(c.expected)) << c.name;
}

