// The comparison on the cadastre's own parcels: known answers worked out by
// hand, away from GEOS.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "compare/area_tolerance.hpp"
#include "compare/comparison.hpp"
#include "core/failure.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::compare {
namespace {

using test::sharedDir;

std::filesystem::path parcels(const char* name) { return sharedDir() / "samples/gml/parcel" / name; }
constexpr const char* kBlock = "wfs-cp-bbox-29-parcels.gml";
constexpr const char* kOne = "wfs-cp-getparcel-8429105VK1882N.gml";

const Shape& named(const std::vector<Shape>& shapes, const std::string& ref)
{
    for (const Shape& s : shapes)
        if (s.name == ref) return s;
    throw std::runtime_error("no parcel " + ref);
}

double shoelace(const Ring& r)
{
    double twice = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        const Punto& a = r[i];
        const Punto& b = r[(i + 1) % r.size()];
        twice += a.x * b.y - b.x * a.y;
    }
    return std::abs(twice) / 2;
}

Punto along(Punto from, Punto to, double metres)
{
    const double dx = to.x - from.x, dy = to.y - from.y, n = std::hypot(dx, dy);
    return {from.x + dx / n * metres, from.y + dy / n * metres};
}

// Where the lines p1-p2 and q1-q2 cross.
Punto crossing(Punto p1, Punto p2, Punto q1, Punto q2)
{
    const double d = (p1.x - p2.x) * (q1.y - q2.y) - (p1.y - p2.y) * (q1.x - q2.x);
    const double a = p1.x * p2.y - p1.y * p2.x, b = q1.x * q2.y - q1.y * q2.x;
    return {(a * (q1.x - q2.x) - (p1.x - p2.x) * b) / d, (a * (q1.y - q2.y) - (p1.y - p2.y) * b) / d};
}

class ComparisonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastre parcels to compare";
        block = readShapes(parcels(kBlock), Kind::Parcels);
    }
    std::vector<Shape> block;
};

TEST_F(ComparisonTest, AParcelAgainstItselfShowsNoChange)
{
    struct Case {
        const char* fresh;  // the file the new parcel comes from
        const char* ref;
        const char* map;
        const char* areaLine;
    };
    const Case cases[] = {
        {kOne, "8429105VK1882N", kOne, "superficie catastral: 572.17 m2 (8429105VK1882N)"},
        {kBlock, "2041508TP7124S", kBlock, "superficie catastral: 970.09 m2 (2041508TP7124S)"},
        // Its shared boundaries with the neighbours are no overlaps.
        {kBlock, "1943513TP7114S", kBlock, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ref);
        const std::vector<Shape> map = readShapes(parcels(c.map), Kind::Parcels);
        const std::vector<Shape> fresh{named(readShapes(parcels(c.fresh), Kind::Parcels, true), c.ref)};
        const ParcelComparison result = compareParcels(fresh, map);
        const std::vector<std::string> lines = reportLines(result, map);
        ASSERT_EQ(lines.size(), 8u) << testing::PrintToString(lines);
        if (c.areaLine) {
            EXPECT_EQ(lines[1], c.areaLine);
        }
        EXPECT_EQ(lines[0].substr(18), lines[1].substr(22, lines[0].size() - 18));
        EXPECT_EQ(lines[2], "diferencia: 0.00 m2 (0.00 %)");
        // The tolerance of the parcel's own area and perimeter.
        EXPECT_EQ(lines[3], toleranceLine(result.newArea, result.cadastralArea, result.cadastralPerimeter));
        EXPECT_TRUE(lines[3].ends_with(" m2 (la diferencia está dentro)")) << lines[3];
        EXPECT_EQ(lines[4], "fuera de las parcelas afectadas: 0.00 m2");
        EXPECT_EQ(lines[5], "sin cubrir de las parcelas afectadas: 0.00 m2");
        EXPECT_EQ(lines[6], "desplazamiento máximo del perímetro: 0.00 m");
        EXPECT_EQ(lines[7], "solapes: 0");
        // The registered area comes right after the tolerance, when given.
        const std::vector<std::string> registered = reportLines(result, map, result.newArea * 1.1);
        ASSERT_EQ(registered.size(), 9u);
        EXPECT_TRUE(registered[4].starts_with("superficie registral: ")) << registered[4];
        EXPECT_TRUE(registered[4].ends_with(" (-9.09 %): hasta el 10 % (arts. 9.b y 201.3.a LH)")) << registered[4];
    }
}

TEST_F(ComparisonTest, ACornerMovedOneMetreIntoTheNeighbourOverlapsItAlone)
{
    // 2041508TP7124S shares its side D-A with 2041506TP7124S, whose other
    // side at A runs to F.
    const Shape& parcel = named(block, "2041508TP7124S");
    const Shape& neighbour = named(block, "2041506TP7124S");
    const Punto a{271863.9, 4814037.88}, b{271857.19, 4814056.72}, d{271909.59, 4814054.17};
    const Punto f{271870.62, 4814019.04};
    ASSERT_EQ(parcel.patches[0].rings[0].size(), 5u);
    ASSERT_EQ(neighbour.patches[0].rings[0][3].x, f.x);

    // A moves 1 m inside the neighbour, halfway between its sides A-D and A-F.
    const Punto toD = along(a, d, 1), toF = along(a, f, 1);
    const Punto moved = along(a, {toD.x + toF.x - a.x, toD.y + toF.y - a.y}, 1);
    Shape fresh = parcel;
    fresh.patches[0].rings[0].front() = moved;
    fresh.patches[0].rings[0].back() = moved;

    // The new side moved-B leaves the neighbour where it crosses D-A: the
    // overlap is the triangle D, moved, that crossing.
    const Punto x = crossing(moved, b, d, a);
    const double expected = shoelace({d, moved, x});
    ASSERT_GT(expected, 1.0);

    const ParcelComparison result = compareParcels({fresh}, block);
    ASSERT_EQ(result.overlaps.size(), 1u) << testing::PrintToString(reportLines(result, block));
    EXPECT_EQ(result.overlaps[0].ref, "2041506TP7124S");
    EXPECT_NEAR(result.overlaps[0].area, expected, 0.01);
    EXPECT_NEAR(result.overlaps[0].depth, std::sqrt(0.5), 0.01);
    // The sliver left behind along A-B is uncovered.
    EXPECT_NEAR(result.uncovered, shoelace({a, b, x}), 0.01);
    const std::vector<std::string> lines = reportLines(result, block);
    EXPECT_EQ(lines[7], "solape con 2041506TP7124S: " + twoDecimals(expected) + " m2, profundidad 0.71 m");
    EXPECT_EQ(lines.back(), "solapes: 1");
    // The moved corner's distance from the old outline: the side D-A.
    EXPECT_NEAR(result.displacement, std::sqrt(0.5), 0.01);
}

TEST_F(ComparisonTest, ParcelsMostlyInsideAreAffectedWhateverTheirReference)
{
    // Two parcels merged under no cadastral reference: both are taken in,
    // none is an overlapped neighbour.
    const Shape& one = named(block, "2041508TP7124S");
    const Shape& two = named(block, "2041506TP7124S");
    Shape merged{"", {one.patches[0], two.patches[0]}};
    const ParcelComparison result = compareParcels({merged}, block);
    const std::vector<std::string> lines = reportLines(result, block);
    EXPECT_EQ(lines[1].find("superficie catastral: "), 0u);
    EXPECT_NE(lines[1].find("2041508TP7124S"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("2041506TP7124S"), std::string::npos) << lines[1];
    EXPECT_EQ(lines.back(), "solapes: 0");
    EXPECT_EQ(result.affected.size(), 2u);
}

TEST_F(ComparisonTest, NewGeometryFarFromTheMapHasNothingAffected)
{
    const Shape far{"", {Patch{{{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}}}}};
    const std::vector<std::string> lines = reportLines(compareParcels({far}, block), block);
    const std::vector<std::string> expected{
        "superficie nueva: 100.00 m2",
        "superficie catastral: 0.00 m2 (ninguna)",
        "diferencia: 100.00 m2",
        "fuera de las parcelas afectadas: 100.00 m2",
        "sin cubrir de las parcelas afectadas: 0.00 m2",
        "desplazamiento máximo del perímetro: 0.00 m",
        "solapes: 0",
    };
    EXPECT_EQ(lines, expected);
}


// The cadastre's own parcels, a vertex of each moved 1 m four ways: every
// overlap's depth agrees with a brute-force measure, its outline walked
// every centimetre against every side of the neighbour. Many of these
// overlaps have all their vertices on the neighbour's boundary.
TEST_F(ComparisonTest, DepthsOfRealOverlapsAgreeWithTheOutlineWalkedEveryCentimetre)
{
    const auto distanceToSides = [](Punto p, const Shape& s) {
        double best = std::numeric_limits<double>::infinity();
        for (const Patch& patch : s.patches)
            for (const Ring& r : patch.rings)
                for (std::size_t i = 0; i + 1 < r.size(); ++i) {
                    const Punto a = r[i], b = r[i + 1];
                    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
                    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
                    best = std::min(best, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
                }
        return best;
    };
    std::size_t overlaps = 0;
    for (const Shape& parcel : block)
        for (std::size_t v = 0; v < 3 && v + 1 < parcel.patches[0].rings[0].size(); ++v)
            for (const Punto step : {Punto{1, 0}, Punto{-1, 0}, Punto{0, 1}, Punto{0, -1}}) {
                Shape fresh = parcel;
                Ring& ring = fresh.patches[0].rings[0];
                ring[v] = {ring[v].x + step.x, ring[v].y + step.y};
                if (v == 0) ring.back() = ring.front();
                const ParcelComparison result = compareParcels({fresh}, block);
                for (const Overlap& o : result.overlaps) {
                    SCOPED_TRACE(parcel.name + " vertex " + std::to_string(v) + " into " + o.ref);
                    double deepest = 0;
                    for (const Ring& r : o.rings)
                        for (std::size_t i = 0; i + 1 < r.size(); ++i) {
                            const double len = std::hypot(r[i + 1].x - r[i].x, r[i + 1].y - r[i].y);
                            const int steps = static_cast<int>(std::ceil(len / 0.01));
                            for (int k = 0; k <= steps; ++k) {
                                const double t = steps ? static_cast<double>(k) / steps : 0;
                                const Punto p{r[i].x + (r[i + 1].x - r[i].x) * t, r[i].y + (r[i + 1].y - r[i].y) * t};
                                deepest = std::max(deepest, distanceToSides(p, named(block, o.ref)));
                            }
                        }
                    EXPECT_NEAR(o.depth, deepest, 0.01);
                    ++overlaps;
                }
            }
    EXPECT_GT(overlaps, 100u);
}

// Overlaps, and a construction's part outside its parcel, whose deepest
// point lies along a side rather than at a vertex: every vertex of each
// overlap is on the neighbour's boundary. Worked out by hand.
TEST(DepthTest, TheDeepestPointOfTheOutlineWhereverItLies)
{
    const Ring strip{{0, 0}, {20, 0}, {20, 2}, {0, 2}, {0, 0}};
    const Ring square{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    // 6 x 10 with a 2 x 2 notch in the middle of its bottom side.
    const Ring notched{{0, 0}, {2, 0}, {2, 2}, {4, 2}, {4, 0}, {6, 0}, {6, 10}, {0, 10}, {0, 0}};
    const struct {
        const char* name;
        Ring fresh, neighbour;
        bool building;  // `fresh` is a construction, `neighbour` its parcel
        double area, depth;
    } cases[] = {
        // A triangle pushed right through a strip 2 m wide: the overlap is
        // the trapezoid (8,0) (12,0) (11,2) (9,2); its slanted sides pass
        // 1 m from both long sides halfway across.
        {"a triangle pushed in", {{0, -10}, {20, -10}, {20, 0}, {12, 0}, {10, 4}, {8, 0}, {0, 0}, {0, -10}}, strip,
         false, 6, 1},
        // The side y = 0.05 x - 0.05 enters at (1, 0) and leaves through the
        // right side at (10, 0.45): deepest where y = 10 - x.
        {"a sliver", {{-1, -10}, {11, -10}, {11, 0.5}, {-1, -0.1}, {-1, -10}}, square, false, 2.025, 0.45 / 1.05},
        // The side y = 3 over the notch: deepest where the distance to the
        // left side (x) equals that to the notch's corner (2, 2).
        {"a notch", {{-5, -10}, {11, -10}, {11, 3}, {-5, 3}, {-5, -10}}, notched, false, 14, 1.25},
        // The construction's part outside is the notch; its open side is
        // 1 m from the parcel at its middle.
        {"a construction over a notch", {{1, 0}, {5, 0}, {5, 5}, {1, 5}, {1, 0}}, notched, true, 4, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Shape fresh{"Nueva", {Patch{{c.fresh}}}};
        const std::vector<Shape> map{Shape{"1234567AB1234N", {Patch{{c.neighbour}}}}};
        if (c.building) {
            const std::vector<ConstructionOutside> outside = compareBuilding({fresh}, map);
            ASSERT_EQ(outside.size(), 1u);
            EXPECT_NEAR(outside[0].area, c.area, 0.01);
            EXPECT_NEAR(outside[0].reach, c.depth, 0.01);
            continue;
        }
        const ParcelComparison result = compareParcels({fresh}, map);
        ASSERT_EQ(result.overlaps.size(), 1u) << testing::PrintToString(reportLines(result, map));
        EXPECT_NEAR(result.overlaps[0].area, c.area, 0.01);
        EXPECT_NEAR(result.overlaps[0].depth, c.depth, 0.01);
        EXPECT_EQ(reportLines(result, map)[6], "solape con 1234567AB1234N: " + twoDecimals(c.area) +
                                                   " m2, profundidad " + twoDecimals(c.depth) + " m");
    }
}

// The outline's displacement is the Hausdorff distance of the two outlines,
// along their sides as much as at their vertices, whatever their length.
TEST(DisplacementTest, TheLargestDistanceBetweenTheOutlines)
{
    const Ring square{{0, 0}, {5000, 0}, {5000, 5000}, {0, 5000}, {0, 0}};
    Ring finer;  // the same square with a vertex every metre
    for (int side = 0; side < 4; ++side)
        for (int m = 0; m < 5000; ++m) {
            const Punto a = square[side], b = square[side + 1];
            finer.push_back({a.x + (b.x - a.x) * m / 5000, a.y + (b.y - a.y) * m / 5000});
        }
    finer.push_back(finer.front());
    const struct {
        const char* name;
        Ring fresh;
        double displacement;
    } cases[] = {
        {"the same 5 km square", square, 0},
        {"the same with a vertex every metre", finer, 0},
        {"moved by (0.3, 0.4)", {{0.3, 0.4}, {5000.3, 0.4}, {5000.3, 5000.4}, {0.3, 5000.4}, {0.3, 0.4}}, 0.5},
        // The corner itself, 0.45 from the old outline; the new side is
        // nearer the old one everywhere.
        {"a corner pulled out", {{0, 0}, {5000, 0}, {5000, 5000.45}, {0, 5000}, {0, 0}}, 0.45},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<Shape> map{Shape{"1234567AB1234N", {Patch{{square}}}}};
        const ParcelComparison result = compareParcels({Shape{"1234567AB1234N", {Patch{{c.fresh}}}}}, map);
        ASSERT_EQ(result.affected, std::vector<std::size_t>{0});
        EXPECT_NEAR(result.displacement, c.displacement, 1e-6);
    }
}

// A saw of 500 teeth across a row of ten parcels 10 m wide, its teeth
// reaching 1 m into the three parcels above (20, 50 and 30 m wide) and its
// valleys 1 m back: large enough that each parcel is compared with the part
// of the saw near it, not the whole, the wide ones with a larger part. Each
// tooth's tip beyond y = 10 is a triangle 0.1 m wide and 1 m high, five to
// the metre; as much is left uncovered below. The saw crosses y = 10 at the
// parcels' corners.
TEST(SawComparisonTest, EachParcelMeetsThePartOfTheSawNearIt)
{
    std::vector<Shape> map;
    auto add = [&](const std::string& ref, double x0, double x1, double y) {
        map.push_back({ref, {Patch{{{{x0, y}, {x1, y}, {x1, y + 10}, {x0, y + 10}, {x0, y}}}}}});
    };
    for (int column = 0; column < 10; ++column) add("A" + std::to_string(column), 10.0 * column, 10.0 * column + 10, 0);
    add("B20", 0, 20, 10);
    add("B50", 20, 70, 10);
    add("B30", 70, 100, 10);
    Ring saw{{0, 0}, {100, 0}, {100, 10}};
    for (int k = 0; k < 1000; ++k) saw.push_back({100 - 0.05 - 0.1 * k, k % 2 ? 9.0 : 11.0});
    saw.push_back({0, 10});
    saw.push_back({0, 0});
    const ParcelComparison result = compareParcels({Shape{"", {Patch{{saw}}}}}, map);

    EXPECT_EQ(result.affected, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_NEAR(result.newArea, 1000, 1e-6);
    EXPECT_NEAR(result.outside, 25, 1e-6);
    EXPECT_NEAR(result.uncovered, 25, 1e-6);
    EXPECT_NEAR(result.displacement, 1, 1e-6);
    ASSERT_EQ(result.overlaps.size(), 3u);
    const std::pair<const char*, double> expected[] = {{"B50", 12.5}, {"B30", 7.5}, {"B20", 5}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(result.overlaps[i].ref, expected[i].first);
        EXPECT_NEAR(result.overlaps[i].area, expected[i].second, 1e-6);
        EXPECT_NEAR(result.overlaps[i].depth, 1, 1e-6);
        EXPECT_EQ(result.overlaps[i].rings.size(), static_cast<std::size_t>(expected[i].second * 20))
            << "one ring per tooth";
    }
}

// A figure that is no finite number is an error, never "nan" or "inf".
TEST(ComparisonFailureTest, CoordinatesTooFarApartAreNoComparison)
{
    const Ring huge{{-1e308, -1e308}, {1e308, -1e308}, {1e308, 1e308}, {-1e308, 1e308}, {-1e308, -1e308}};
    const Ring small{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    const auto message = [](const auto& compare) {
        try {
            compare();
        } catch (const Failure& e) {
            return std::string(e.what());
        }
        return std::string("no failure");
    };
    const std::string noNumber = " no es un número finito; revise las coordenadas.";
    const Shape hugeShape{"1234567AB1234N", {Patch{{huge}}}}, smallShape{"1234567AB1234N", {Patch{{small}}}};
    EXPECT_EQ(message([&] { compareParcels({hugeShape}, {smallShape}); }),
              std::string(kNoComparison) + "la superficie nueva" + noNumber);
    EXPECT_EQ(message([&] { compareParcels({smallShape}, {hugeShape}); }).substr(0, std::string(kNoComparison).size()),
              kNoComparison);
    EXPECT_EQ(message([&] { compareBuilding({hugeShape}, {smallShape}); }),
              std::string(kNoComparison) + "la superficie de una construcción fuera de la parcela" + noNumber);
    // Finite, but 1e300 m2 has more digits than its line holds.
    const Shape vast{"", {Patch{{{{0, 0}, {1e150, 0}, {1e150, 1e150}, {0, 1e150}, {0, 0}}}}}};
    EXPECT_EQ(message([&] { compareParcels({vast}, {smallShape}); }),
              std::string(kNoComparison) + "la superficie nueva es demasiado grande para escribirla; revise las "
                                           "coordenadas.");
}


// The part of a ring east of x = cut (Sutherland-Hodgman against one line).
Ring eastOf(const Ring& ring, double cut)
{
    Ring kept;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
        const Punto& p = ring[i];
        const Punto& q = ring[i + 1];
        if (p.x >= cut) kept.push_back(p);
        if ((p.x < cut) != (q.x < cut)) kept.push_back({cut, p.y + (q.y - p.y) * (cut - p.x) / (q.x - p.x)});
    }
    return kept;
}

TEST(BuildingComparisonTest, ConstructionsOutsideTheParcelAreMeasured)
{
    if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastre building to compare";
    const std::vector<Shape> building =
        readShapes(sharedDir() / "samples/gml/building/sede-Building_9531109VK0193B.gml", Kind::Constructions);
    ASSERT_EQ(building.size(), 1u);
    ASSERT_EQ(building[0].patches.size(), 2u);
    const Ring& second = building[0].patches[1].rings[0];

    struct Case {
        double east;  // the parcel is the box from 409280 to here
        std::vector<std::string> lines;
    };
    const double cut = 409316.0;
    const std::string cutArea = twoDecimals(shoelace(eastOf(second, cut)));
    const Case cases[] = {
        {409320.0, {"construcciones fuera: 0"}},
        {cut, {"construcción 9531109VK0193B, recinto 2: fuera de la parcela " + cutArea + " m2, hasta 1.10 m",
               "construcciones fuera: 1"}},
        // The whole second construction outside; the first still inside.
        {409300.0, {"construcción 9531109VK0193B, recinto 2: fuera de la parcela " + twoDecimals(shoelace(second)) +
                        " m2, hasta 17.10 m",
                    "construcciones fuera: 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.east);
        const Shape parcel{"9531109VK0193B",
                           {Patch{{{{409280, 4412670}, {c.east, 4412670}, {c.east, 4412690}, {409280, 4412690},
                                    {409280, 4412670}}}}}};
        EXPECT_EQ(reportLines(compareBuilding(building, {parcel})), c.lines);
    }
    EXPECT_GT(shoelace(eastOf(second, cut)), 5.0) << "the case measures a real piece";
}


TEST(TwoDecimalsTest, RoundsWithAPointAndNeverShowsMinusZero)
{
    const std::pair<double, const char*> cases[] = {
        {1234.564, "1234.56"}, {0.375, "0.38"}, {-0.004, "0.00"}, {-4.56, "-4.56"}, {0, "0.00"}, {1e7, "10000000.00"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(twoDecimals(value), text) << value;
}

TEST(ShapesTest, TheZoneComesFromTheFirstReferenceSystem)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"http://www.opengis.net/def/crs/EPSG/0/25830", 30},
        {"urn:ogc:def:crs:EPSG::25829", 29},
        {"EPSG:32628", 28},
        {"EPSG:25831", 31},
        {"EPSG:25832", std::nullopt},
        {"EPSG:4326", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [srs, zone] : cases) {
        pugi::xml_document doc;
        const std::string xml = std::string("<a><b><c srsName='") + srs + "'/><d srsName='EPSG:25830'/></b></a>";
        ASSERT_TRUE(doc.load_string(xml.c_str()));
        // An empty srsName is no reference system: the next one counts.
        EXPECT_EQ(zoneOf(doc), *srs ? zone : std::optional<int>(30)) << srs;
    }
}

}  // namespace
}  // namespace vadrel::compare
