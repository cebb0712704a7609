#include "core/geometry.hpp"

#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "support/scripted_ui.hpp"

using namespace vadrel;

class GeometryTest : public ::testing::TestWithParam<char> {
protected:
    NumberFormat fmt() const { return NumberFormat::withDecimal(GetParam()); }
};

TEST_P(GeometryTest, SquareInEveryOrientationAndClosing)
{
    const CoordList cases[][2] = {
        {{"0", "10", "10", "0"}, {"0", "0", "10", "10"}},
        {{"0", "0", "10", "10"}, {"0", "10", "10", "0"}},
        {{"0", "10", "10", "0", "0"}, {"0", "0", "10", "10", "0"}},
        {{"0", "0", "10", "10", "0"}, {"0", "10", "10", "0", "0"}},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CalculaArea(c[0], c[1], fmt()), 100);
        Punto p = CalculaCentroide(c[0], c[1], fmt());
        EXPECT_DOUBLE_EQ(p.x, 5);
        EXPECT_DOUBLE_EQ(p.y, 5);
    }
}

TEST_P(GeometryTest, TriangleInUtmCoordinatesWithEitherSeparator)
{
    CoordList x{"500000", "500030,0", "500000.0"}, y{"4100000", "4100000", "4100040"};
    EXPECT_DOUBLE_EQ(CalculaArea(x, y, fmt()), 600);
    Punto p = CalculaCentroide(x, y, fmt());
    EXPECT_NEAR(p.x, 500010, 1e-6);
    EXPECT_NEAR(p.y, 4100013.333333333, 1e-6);
}

TEST_P(GeometryTest, RealUtmParcelKeepsItsDecimals)
{
    // Exact values from rational arithmetic on the decimal inputs. Raw
    // products of UTM coordinates would lose the fourth decimal of the area
    // and put the centroid metres away.
    CoordList x{"441620.35", "441655.80", "441661.02", "441633.41", "441618.77"};
    CoordList y{"4479210.12", "4479214.47", "4479178.93", "4479169.80", "4479186.55"};
    EXPECT_NEAR(CalculaArea(x, y, fmt()), 1443.3014, 1e-7);
    Punto p = CalculaCentroide(x, y, fmt());
    EXPECT_NEAR(p.x, 441639.76352979516, 1e-6);
    EXPECT_NEAR(p.y, 4479193.22630439, 1e-6);
}

TEST_P(GeometryTest, FigureEightOfEqualLoopsHasNoArea)
{
    // Two triangles crossing at (1, 1), turning opposite ways, cancel out.
    EXPECT_DOUBLE_EQ(CalculaArea({"0", "2", "0", "2"}, {"0", "2", "2", "0"}, fmt()), 0);
}

TEST_P(GeometryTest, ZeroAreaCentroidFailsWithTheFloatingPointMessage)
{
    auto messageOf = [&](const CoordList& x, const CoordList& y) {
        try {
            CalculaCentroide(x, y, fmt());
        } catch (const Failure& f) {
            return std::string(f.what());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(messageOf({"0", "1", "2"}, {"0", "1", "2"}), "Invalid floating point operation");
    EXPECT_EQ(messageOf({"5", "5", "5"}, {"7", "7", "7"}), "Invalid floating point operation");
    // A figure-eight: no area, but its loops' moments do not cancel.
    EXPECT_EQ(messageOf({"0", "2", "2", "0"}, {"0", "2", "0", "2"}), "Floating point division by zero");
}

TEST_P(GeometryTest, BadCoordinateStopsWithTheConversionMessage)
{
    try {
        CalculaArea({"1", "2", "x"}, {"1", "2", "3"}, fmt());
        FAIL();
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "'x' is not a valid floating point value");
    }
}

TEST_P(GeometryTest, ShorterYListNeverReadsPastItsEnd)
{
    EXPECT_NO_THROW(CalculaArea({"0", "10", "10", "0"}, {"0", "0", "10"}, fmt()));
}

INSTANTIATE_TEST_SUITE_P(Separators, GeometryTest, ::testing::Values('.', ','));

TEST_P(GeometryTest, AreaTextKeepsTheExponentOfHugeAreas)
{
    test::ScriptedUi ui;
    // A square of 123,456,789 m a side: 1.52415787501905E16 m² (a 5 after the
    // kept decimals rounds down).
    CoordList x{"0", "123456789", "123456789", "0"}, y{"0", "0", "123456789", "123456789"};
    const std::string sep(1, GetParam());
    EXPECT_EQ(textoSuperficie(x, y, fmt(), ui), "1" + sep + "5241E16");
}
