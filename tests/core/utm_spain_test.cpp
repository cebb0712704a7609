// Spain's UTM range: each zone's limits, X and Y swapped, local units, and
// the warning of a point far from its zone's meridian.

#include "core/utm_spain.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <stdexcept>

using namespace vadrel;
using utm::Fit;

namespace {

struct Row {
    const char* what;
    int zone;
    double x, y;
    Fit fit;
    bool away = false;  // more than 4° from the zone's meridian
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const Row kRows[] = {
    // Zone 28: the Canaries.
    {"28 lowest X (4.1° west)", 28, 100000, 3200000, Fit::inside, true},
    {"28 below lowest X", 28, 99999.99, 3200000, Fit::outside},
    {"28 highest X (4.1° east)", 28, 900000, 3200000, Fit::inside, true},
    {"28 past highest X", 28, 900000.01, 3200000, Fit::outside},
    {"28 lowest Y", 28, 500000, 3000000, Fit::inside},
    {"28 below lowest Y", 28, 500000, 2999999.99, Fit::outside},
    {"28 highest Y", 28, 500000, 3400000, Fit::inside},
    {"28 past highest Y", 28, 500000, 3400000.01, Fit::outside},
    {"28 a peninsula northing", 28, 440123.45, 4474123.98, Fit::outside},
    {"28 Tenerife", 28, 372649.79, 3142200.94, Fit::inside},
    // Zones 29 to 31: the peninsula, the Balearics, Ceuta and Melilla.
    {"29 lowest X (4.7° west)", 29, 100000, 4400000, Fit::inside, true},
    {"29 below lowest X", 29, 99999.99, 4400000, Fit::outside},
    {"29 lowest Y", 29, 500000, 3850000, Fit::inside},
    {"29 below lowest Y", 29, 500000, 3849999.99, Fit::outside},
    {"29 a Canary northing", 29, 500000, 3200000, Fit::outside},
    {"30 highest Y", 30, 500000, 4900000, Fit::inside},
    {"30 past highest Y", 30, 500000, 4900000.01, Fit::outside},
    {"30 lowest Y", 30, 440000, 3850000, Fit::inside},
    {"30 highest X (4.7° east)", 30, 900000, 4400000, Fit::inside, true},
    {"30 past highest X", 30, 900000.01, 4400000, Fit::outside},
    {"31 highest X (4.7° east)", 31, 900000, 4400000, Fit::inside, true},
    {"31 past highest X", 31, 900000.01, 4400000, Fit::outside},
    {"31 past highest Y", 31, 500000, 4900000.01, Fit::outside},
    // X and Y swapped, as pasted the wrong way round.
    {"30 swapped", 30, 4474123.98, 440123.45, Fit::swapped},
    {"30 swapped at the limits", 30, 4900000, 900000, Fit::swapped},
    {"28 swapped", 28, 3142200.94, 372649.79, Fit::swapped},
    {"28 swapped peninsula values", 28, 4474123.98, 440123.45, Fit::outside},
    // Local units and no numbers at all.
    {"local units with long decimals", 30, 2685.665795860739, 1234.56789, Fit::outside},
    {"local units of a large drawing", 30, 2685.665795860739, 440123.45, Fit::outside},
    {"origin", 30, 0, 0, Fit::outside},
    {"negative", 30, -440123.45, -4474123.98, Fit::outside},
    {"not a number", 30, kNaN, 4474123.98, Fit::outside},
    {"infinite", 30, 440123.45, kInf, Fit::outside},
    // The warning: more than 4° from the meridian, not 1° past the 3° band.
    {"4.1° west of zone 30's meridian", 30, 149972.8667, 4435814.8333, Fit::inside, true},
    {"4.1° east of zone 30's meridian", 30, 850027.1337, 4435814.8333, Fit::inside, true},
    {"3.9° west of zone 30's meridian", 30, 167052.0861, 4435047.1451, Fit::inside},
    {"3.9° east of zone 30's meridian", 30, 832947.9139, 4435047.1451, Fit::inside},
    {"3.9° west of zone 28's meridian", 28, 116375.366, 3103338.041, Fit::inside},
    {"on zone 31's meridian", 31, 500000, 4400000, Fit::inside},
};

}  // namespace

TEST(SpainUtm, EachZonesRangeSwappedLocalUnitsAndTheFarWarning)
{
    for (const Row& row : kRows) {
        EXPECT_EQ(utm::fitOf(row.zone, row.x, row.y), row.fit) << row.what;
        utm::Review review(row.zone);
        EXPECT_EQ(review.vertex(7, row.x, row.y), row.fit == Fit::inside) << row.what;
        EXPECT_EQ(review.fault(), row.fit) << row.what;
        EXPECT_EQ(review.awayFromMeridian(), row.away) << row.what;
        if (row.fit != Fit::inside) {
            EXPECT_EQ(review.faultVertex(), 7u) << row.what;
        } else {
            EXPECT_EQ(review.awayFromMeridian(), utm::degreesFromMeridian(row.zone, row.x, row.y) > 4) << row.what;
        }
    }
}

TEST(SpainUtm, LongitudesFromPROJ)
{
    EXPECT_NEAR(utm::degreesFromMeridian(30, 500000, 4474123.98), 0, 1e-9);
    EXPECT_NEAR(utm::degreesFromMeridian(30, 149972.8667, 4435814.8333), 4.1, 1e-6);
    EXPECT_NEAR(utm::degreesFromMeridian(28, 116375.366, 3103338.041), 3.9, 1e-5);
    EXPECT_NEAR(utm::degreesFromMeridian(31, 832947.9139, 4435047.1451), 3.9, 1e-6);
}

TEST(SpainUtm, TheWarningAgreesWithPROJAllOverEachZone)
{
    // Points near the meridian are spared PROJ: that must never hide one
    // more than 4° away.
    for (int zone = 28; zone <= 31; ++zone) {
        const utm::Range r = utm::spainRange(zone);
        for (double x = r.minX; x <= r.maxX; x += 12500) {
            for (double y = r.minY; y <= r.maxY; y += (r.maxY - r.minY) / 8) {
                utm::Review review(zone);
                ASSERT_TRUE(review.vertex(1, x, y));
                EXPECT_EQ(review.awayFromMeridian(), utm::degreesFromMeridian(zone, x, y) > 4)
                    << "zone " << zone << " (" << x << ", " << y << ")";
            }
        }
    }
}

TEST(SpainUtm, TheFirstVertexThatDoesNotFitIsTheOneKept)
{
    utm::Review review(30);
    EXPECT_TRUE(review.vertex(1, 440000, 4470000));
    EXPECT_TRUE(review.vertex(2, 149972.8667, 4435814.8333));  // far, still fits
    EXPECT_FALSE(review.vertex(3, 4470000, 440000));
    EXPECT_FALSE(review.vertex(4, 1, 2));
    EXPECT_FALSE(review.vertex(5, 440000, 4470000)) << "a review that failed stays failed";
    EXPECT_EQ(review.fault(), Fit::swapped);
    EXPECT_EQ(review.faultVertex(), 3u);
    EXPECT_TRUE(review.awayFromMeridian());
    EXPECT_EQ(review.zone(), 30);
}

TEST(SpainUtm, TextListsAreReadAsTheWindowsReadThem)
{
    const struct {
        const char* what;
        CoordList x, y;
        char separator;
        Fit fault;
        std::size_t vertex;  // from 1
    } cases[] = {
        {"all fit", {"440000.5", "440010", "440010"}, {"4470000", "4470000", "4470010.25"}, '.', Fit::inside, 0},
        {"either decimal separator", {"440000,5", "440010.5"}, {"4470000,5", "4470000"}, ',', Fit::inside, 0},
        {"the third line swapped", {"440000", "440010", "4470010"}, {"4470000", "4470000", "440010"}, '.',
         Fit::swapped, 3},
        {"a line that is no number is left to the conversion", {"440000", "x", "10"}, {"4470000", "4470000", "10"}, '.',
         Fit::outside, 3},
        {"only the lines both lists have", {"440000", "10"}, {"4470000"}, '.', Fit::inside, 0},
    };
    for (const auto& c : cases) {
        utm::Review review(30);
        EXPECT_EQ(utm::reviewTexts(review, c.x, c.y, NumberFormat::withDecimal(c.separator)), c.fault == Fit::inside)
            << c.what;
        EXPECT_EQ(review.fault(), c.fault) << c.what;
        if (c.fault != Fit::inside) {
            EXPECT_EQ(review.faultVertex(), c.vertex) << c.what;
        }
    }
}

TEST(SpainUtm, TheZonesOfTheCadastresSystems)
{
    const std::pair<int, std::optional<int>> codes[] = {
        {25828, 28}, {25829, 29}, {25830, 30}, {25831, 31}, {32628, 28}, {4083, 28},
        {25827, std::nullopt}, {25832, std::nullopt}, {32630, std::nullopt}, {4326, std::nullopt}, {3857, std::nullopt},
    };
    for (const auto& [code, zone] : codes) EXPECT_EQ(utm::zoneOfEpsg(code), zone) << code;
    EXPECT_THROW(utm::spainRange(27), std::out_of_range);
    EXPECT_THROW(utm::Review(32), std::out_of_range);
}
