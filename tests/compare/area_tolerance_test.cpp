// The cadastre's technical tolerance on area and the registered-area bands,
// at every boundary, with the figures worked out by hand.

#include <gtest/gtest.h>

#include "compare/area_tolerance.hpp"
#include "compare/comparison.hpp"

namespace vadrel::compare {
namespace {

TEST(AreaToleranceTest, TheLargerLimitByTheBandsOfTheArea)
{
    struct Case {
        double area, perimeter, tolerance;
        const char* why;
    };
    const Case cases[] = {
        {499.99, 200, 20, "0.1·P = 20 over 0.03·S = 15.0"},
        {500, 200, 20, "0.0002·S·P = 20: the bands meet at 500"},
        {499.99, 100, 14.9997, "0.03·S over 0.1·P = 10"},
        {2999.99, 250, 149.9995, "0.0002·S·P"},
        {3000, 250, 105, "0.00014·S·P = 105 over 0.03·S = 90"},
        {3000, 200, 90, "0.03·S = 90 over 0.00014·S·P = 84"},
        {4999.99, 250, 174.99965, "0.00014·S·P"},
        {5000, 250, 250, "P"},
        {10000, 250, 300, "0.03·S over P"},
        {100, 200, 10, "0.1·P = 20 exceeds 0.1·S = 10: 0.1·S"},
        {5000, 600, 500, "P = 600 exceeds 0.1·S = 500: 0.1·S"},
        {2000, 300, 120, "0.0002·S·P = 120 is not over 0.1·S = 200"},
        {2000, 500, 200, "0.0002·S·P = 200 equals 0.1·S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_NEAR(technicalTolerance(c.area, c.perimeter), c.tolerance, 1e-9);
    }
}

TEST(AreaToleranceTest, TheDifferenceIsWithinUpToTheToleranceItself)
{
    // S = 500, P = 200: 20 m2.
    EXPECT_EQ(toleranceLine(520, 500, 200), "margen de tolerancia técnica: 20.00 m2 (la diferencia está dentro)");
    EXPECT_EQ(toleranceLine(480, 500, 200), "margen de tolerancia técnica: 20.00 m2 (la diferencia está dentro)");
    EXPECT_EQ(toleranceLine(520.01, 500, 200), "margen de tolerancia técnica: 20.00 m2 (la diferencia está fuera)");
    EXPECT_EQ(toleranceLine(479.99, 500, 200), "margen de tolerancia técnica: 20.00 m2 (la diferencia está fuera)");
}

TEST(AreaToleranceTest, TheRegisteredBandsIncludeTheirBoundary)
{
    struct Case {
        double area;
        RegisteredBand band;
        const char* line;
    };
    // Registered 1200 m2: 5 % is 60 m2, 10 % is 120 m2.
    const Case cases[] = {
        {1234.56, RegisteredBand::UpTo5,
         "superficie registral: 1200.00 m2, diferencia 34.56 m2 (2.88 %): hasta el 5 % (art. 201.3.b LH)"},
        {1260, RegisteredBand::UpTo5,
         "superficie registral: 1200.00 m2, diferencia 60.00 m2 (5.00 %): hasta el 5 % (art. 201.3.b LH)"},
        {1140, RegisteredBand::UpTo5,
         "superficie registral: 1200.00 m2, diferencia -60.00 m2 (-5.00 %): hasta el 5 % (art. 201.3.b LH)"},
        {1260.01, RegisteredBand::UpTo10,
         "superficie registral: 1200.00 m2, diferencia 60.01 m2 (5.00 %): hasta el 10 % (arts. 9.b y 201.3.a LH)"},
        {1320, RegisteredBand::UpTo10,
         "superficie registral: 1200.00 m2, diferencia 120.00 m2 (10.00 %): hasta el 10 % (arts. 9.b y 201.3.a LH)"},
        {1080, RegisteredBand::UpTo10,
         "superficie registral: 1200.00 m2, diferencia -120.00 m2 (-10.00 %): hasta el 10 % (arts. 9.b y 201.3.a "
         "LH)"},
        {1320.01, RegisteredBand::Over10,
         "superficie registral: 1200.00 m2, diferencia 120.01 m2 (10.00 %): más del 10 % (arts. 201 y 203 LH)"},
        {1079.99, RegisteredBand::Over10,
         "superficie registral: 1200.00 m2, diferencia -120.01 m2 (-10.00 %): más del 10 % (arts. 201 y 203 LH)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area);
        EXPECT_EQ(registeredBand(c.area, 1200), c.band);
        EXPECT_EQ(registeredLine(c.area, 1200), c.line);
    }
    // Decimal areas at the boundary: 5 % of 0.3 m2 as the doubles make it.
    EXPECT_EQ(registeredBand(0.315, 0.3), RegisteredBand::UpTo5);
}

// The tolerance is that of the union of the affected parcels: two 50 x 5
// parcels make a 100 x 5 block, S = 500, P = 210 (not the 220 of the two
// outlines), 0.1·P = 21 m2.
TEST(AreaToleranceTest, TheAffectedParcelsCountAsTheirUnion)
{
    const Shape west{"1234567AB1234N", {Patch{{{{0, 0}, {50, 0}, {50, 5}, {0, 5}, {0, 0}}}}}};
    const Shape east{"1234568AB1234N", {Patch{{{{50, 0}, {100, 0}, {100, 5}, {50, 5}, {50, 0}}}}}};
    const Shape fresh{"", {Patch{{{{0, 0}, {100, 0}, {100, 5.2}, {0, 5.2}, {0, 0}}}}}};
    const std::vector<Shape> map{west, east};
    const ParcelComparison c = compareParcels({fresh}, map);
    EXPECT_NEAR(c.cadastralPerimeter, 210, 1e-9);
    const std::vector<std::string> lines = reportLines(c, map);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "diferencia: 20.00 m2 (4.00 %)");
    EXPECT_EQ(lines[3], "margen de tolerancia técnica: 21.00 m2 (la diferencia está dentro)");
}

}  // namespace
}  // namespace vadrel::compare
