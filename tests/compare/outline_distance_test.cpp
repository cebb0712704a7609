// The distances the comparison reports, on outlines whose answer is known
// by hand, and against a plain search over densely sampled points.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "compare/outline_distance.hpp"

namespace vadrel::compare {
namespace {

std::vector<Segment> path(const std::vector<Punto>& points)
{
    std::vector<Segment> segments;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) segments.push_back({points[i], points[i + 1]});
    return segments;
}

// The same segments, each cut into `pieces` equal ones.
std::vector<Segment> cut(const std::vector<Segment>& segments, int pieces)
{
    std::vector<Segment> out;
    for (const Segment& s : segments)
        for (int k = 0; k < pieces; ++k) {
            const double t0 = double(k) / pieces, t1 = double(k + 1) / pieces;
            out.push_back({{s.a.x + t0 * (s.b.x - s.a.x), s.a.y + t0 * (s.b.y - s.a.y)},
                           {s.a.x + t1 * (s.b.x - s.a.x), s.a.y + t1 * (s.b.y - s.a.y)}});
        }
    return out;
}

TEST(OutlineDistanceTest, TheFarthestPointIsFoundWhereverItLies)
{
    const std::vector<Segment> square = path({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    const struct {
        const char* name;
        std::vector<Segment> outline, target;
        double expected;
    } cases[] = {
        // At a vertex, as before.
        {"a vertex inside", path({{0, 0}, {3, 4}, {0, 10}}), square, 3},
        // Along a side, where the nearest side changes from the bottom to the
        // right: min(0.05 x - 0.05, 10 - x) is greatest at x = 10.05 / 1.05.
        {"a sliver", path({{1, 0}, {10, 0.45}}), square, 0.45 / 1.05},
        // Where the nearest changes from a side (x = 0) to a vertex (2, 2):
        // x = sqrt((2 - x)^2 + 1) at x = 1.25.
        {"from a side to a vertex", path({{0, 3}, {6, 3}}),
         path({{0, 0}, {2, 0}, {2, 2}, {4, 2}, {4, 0}, {6, 0}, {6, 10}, {0, 10}, {0, 0}}), 1.25},
        // Between two vertices of the target: the point of the side halfway.
        {"between two vertices", path({{-5, 1}, {5, 1}}), path({{-3, 0}, {-3, -5}, {3, -5}, {3, 0}}), std::sqrt(10.0)},
        {"the outline itself", square, square, 0},
        {"the outline cut finer", cut(square, 7), square, 0},
        {"the outline against itself cut finer", square, cut(square, 1000), 0},
        {"parallel, 0.3 apart", path({{0, 0.3}, {5000, 0.3}}), cut(path({{0, 0}, {5000, 0}}), 5000), 0.3},
        {"no target", square, {}, 0},
        {"no outline", {}, square, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(farthestPoint(c.outline, SegmentIndex(c.target)), c.expected, 1e-6);
    }
}

TEST(OutlineDistanceTest, HausdorffTakesTheFartherWay)
{
    const std::vector<Segment> square = path({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
    const struct {
        const char* name;
        std::vector<Segment> a, b;
        double expected;
    } cases[] = {
        {"the same", square, square, 0},
        {"shifted by (0.3, 0.4)", square, path({{0.3, 0.4}, {10.3, 0.4}, {10.3, 10.4}, {0.3, 10.4}, {0.3, 0.4}}), 0.5},
        // A corner pulled out 0.45: the corner itself, back to the square.
        {"a corner pulled out", square, path({{0, 0}, {10, 0}, {10, 10.45}, {0, 10}, {0, 0}}), 0.45},
        // A notch 2 deep: its bottom, from the other outline.
        {"a notch", square, path({{0, 0}, {10, 0}, {10, 10}, {6, 10}, {5, 8}, {4, 10}, {0, 10}, {0, 0}}), 2},
        {"one empty", square, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SegmentIndex a(c.a), b(c.b);
        EXPECT_NEAR(hausdorff(a, b), c.expected, 1e-6);
        EXPECT_NEAR(hausdorff(b, a), c.expected, 1e-6);
    }
}

// Random polylines against random segments: the result is never below the
// largest distance of many sampled points, and above it by no more than half
// the sampling step (a point between samples is that close to one).
TEST(OutlineDistanceTest, AgreesWithASearchOverSampledPoints)
{
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> coordinate(-10, 10), offset(-3, 3);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        std::vector<Punto> points{{coordinate(random), coordinate(random)}};
        for (int i = 0, n = 1 + round % 5; i < n; ++i) points.push_back({coordinate(random), coordinate(random)});
        const std::vector<Segment> outline = path(points);
        std::vector<Segment> target;
        for (int i = 0, n = 1 + round % 9; i < n; ++i) {
            const Punto a{coordinate(random), coordinate(random)};
            target.push_back({a, {a.x + offset(random), a.y + offset(random)}});
        }
        const SegmentIndex index(target);
        const int samples = 2000;
        double sampled = 0, longest = 0;
        for (const Segment& s : outline) {
            longest = std::max(longest, std::hypot(s.b.x - s.a.x, s.b.y - s.a.y));
            for (int k = 0; k <= samples; ++k) {
                const double t = double(k) / samples;
                const Punto p{s.a.x + t * (s.b.x - s.a.x), s.a.y + t * (s.b.y - s.a.y)};
                double nearest = std::numeric_limits<double>::infinity();
                for (const Segment& q : target) nearest = std::min(nearest, distance(p, q));
                sampled = std::max(sampled, nearest);
                EXPECT_NEAR(index.nearest(p).distance, nearest, 1e-12);
            }
        }
        const double found = farthestPoint(outline, index);
        EXPECT_GE(found, sampled - 1e-9);
        EXPECT_LE(found, sampled + longest / samples / 2 + 1e-9);
    }
}

TEST(OutlineDistanceTest, CoordinatesTooLargeToMeasureGiveNoFiniteNumber)
{
    const std::vector<Segment> far = path({{-1e308, 0}, {1e308, 0}, {1e308, 1e308}});
    const std::vector<Segment> near = path({{0, 1}, {1, 1}});
    EXPECT_FALSE(std::isfinite(farthestPoint(far, SegmentIndex(near))));
    EXPECT_FALSE(std::isfinite(farthestPoint(near, SegmentIndex(far))));
    EXPECT_FALSE(std::isfinite(hausdorff(SegmentIndex(near), SegmentIndex(far))));
}

}  // namespace
}  // namespace vadrel::compare
