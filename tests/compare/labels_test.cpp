// Parcel labels: the text that tells neighbours apart, where it goes in a
// view, and which labels find room.

#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "compare/labels.hpp"

namespace vadrel::compare {
namespace {

TEST(EtiquetaDeReferencia, UrbanBlockAndParcelRuralPolygonAndParcelAnythingElseWhole)
{
    const char* const cases[][2] = {
        {"2041508TP7124S", "2041508"},       {"2041508TP7124S0001WX", "2041508"},
        {"40146A00100052", "1/52"},          {"40146A12300001", "123/1"},
        {"40146A00000000", "0/0"},           {"40146a00100052", "1/52"},
        {"40146A001000520001XY", "1/52"},    {"40146A001000AB", "40146A001000AB"},
        {"40146A0010005", "40146A0010005"},  {"Parcela 1", "Parcela 1"},
        {"Ñ40146A0010005", "Ñ40146A0010005"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(etiquetaDeReferencia(c[0]), c[1]) << c[0];
}

Extension extent(double x0, double y0, double x1, double y1)
{
    Extension e;
    e.anade(Punto{x0, y0});
    e.anade(Punto{x1, y1});
    return e;
}

TEST(CentroVisible, CentreOfThePartInsideAlwaysWithinThatPart)
{
    const double e = 271000, n = 4814000;  // UTM: the centre keeps its millimetres
    const std::vector<Punto> square{{e, n}, {e + 10, n}, {e + 10, n + 20}, {e, n + 20}};
    // A U open to the north, its west arm 20 m wide, its east one 10; and
    // one open to the west, its south arm 10 m high, its north one 20.
    const std::vector<Punto> u{{e, n},           {e + 100, n},      {e + 100, n + 100}, {e + 90, n + 100},
                               {e + 90, n + 10}, {e + 20, n + 10},  {e + 20, n + 100},  {e, n + 100}};
    const std::vector<Punto> c{{e, n},          {e + 100, n},     {e + 100, n + 100}, {e, n + 100},
                               {e, n + 80},     {e + 90, n + 80}, {e + 90, n + 10},   {e, n + 10}};
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        std::vector<Punto> ring;
        Extension view;
        std::optional<Extension> where;  // where the centre must be
    } cases[] = {
        {"wholly inside", square, extent(e - 5, n - 5, e + 50, n + 50), extent(e + 5, n + 10, e + 5, n + 10)},
        {"cut by two edges", square, extent(e + 4, n + 10, e + 50, n + 50), extent(e + 7, n + 15, e + 7, n + 15)},
        {"across the view, no vertex in it", {{e - 1e3, n + 2}, {e + 1e3, n + 2}, {e + 1e3, n + 4}, {e - 1e3, n + 4}},
         extent(e, n, e + 10, n + 10), extent(e + 5, n + 3, e + 5, n + 3)},
        {"wholly outside", square, extent(e + 20, n, e + 30, n + 20), std::nullopt},
        {"touching along a side", square, extent(e + 10, n, e + 30, n + 20), std::nullopt},
        {"a U cut at mid-height: its centroid in the gap", u, extent(e - 5, n - 5, e + 105, n + 60),
         extent(e, n + 10, e + 20, n + 60)},
        {"a U cut to two arms: nothing on the centroid's level line but the clip's join", c,
         extent(e - 5, n - 5, e + 50, n + 105), extent(e, n + 80, e + 50, n + 100)},
        {"no number", {{e, n}, {inf, n}, {inf, inf}, {e, inf}}, extent(e, n, e + 10, n + 10), std::nullopt},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.what);
        const std::optional<Punto> centre = centroVisible(t.ring, t.view);
        ASSERT_EQ(centre.has_value(), t.where.has_value());
        if (!centre) continue;
        EXPECT_TRUE(centre->x >= t.where->minX - 1e-6 && centre->x <= t.where->maxX + 1e-6) << centre->x - e;
        EXPECT_TRUE(centre->y >= t.where->minY - 1e-6 && centre->y <= t.where->maxY + 1e-6) << centre->y - n;
    }
}

TEST(PlaceLabels, AffectedFirstThenNearestTheCentreAndNoneOverAnother)
{
    // Boxes 10 wide on a line, the centre at x = 50; the scale bar's box
    // from x = 90 taken beforehand.
    const auto at = [](const char* text, double x, bool first = false) {
        return LabelCandidate{text, extent(x - 5, 0, x + 5, 4), first};
    };
    const struct {
        std::vector<LabelCandidate> candidates;
        std::vector<std::string> placed;
    } cases[] = {
        {{at("a", 10), at("b", 50), at("c", 80)}, {"b", "c", "a"}},
        {{at("far", 42), at("near", 49), at("touching", 59)}, {"near", "touching"}},
        {{at("near", 49), at("affected", 42, true)}, {"affected"}},
        {{at("under the bar", 95), LabelCandidate{"no room", {}, true}, at("a", 60)}, {"a"}},
    };
    for (const auto& c : cases) {
        Ocupado taken;
        taken.reserva(extent(90, 0, 120, 10));
        std::vector<std::string> placed;
        for (const LabelCandidate& l : placeLabels(c.candidates, {50, 2}, taken)) placed.push_back(l.text);
        EXPECT_EQ(placed, c.placed);
        EXPECT_TRUE(placeLabels(c.candidates, {50, 2}, taken).empty()) << "what is placed is taken";
    }
}

}  // namespace
}  // namespace vadrel::compare
