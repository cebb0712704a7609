// Pairs proposed between a survey and the cadastral map, and the pairs'
// file.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "compare/shapes.hpp"
#include "core/failure.hpp"
#include "georef/pair_file.hpp"
#include "georef/proposed_pairs.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::georef {
namespace {

TEST(ProposedPairsTest, NearestFirstOneToOneWithinReach)
{
    // Fresh 1 and 2 both have cadastral A nearest; 2 is nearer and takes it,
    // 1 falls back to B. Fresh 3 has nothing within 5 m.
    const std::vector<Punto> fresh{{0, 0}, {10, 0.5}, {100, 100}};
    const std::vector<Punto> cadastral{{10, 0}, {0, 3}, {104, 104}};
    const std::vector<Pair> pairs = proposePairs(fresh, cadastral);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].name, "1");
    EXPECT_EQ(pairs[0].cadastral.y, 3);
    EXPECT_EQ(pairs[1].name, "2");
    EXPECT_EQ(pairs[1].cadastral.x, 10);
    EXPECT_EQ(proposePairs(fresh, {{10, 5.6}}).size(), 0u) << "5.02 m is beyond reach";
    EXPECT_EQ(proposePairs({{0, 0}}, {{3, 4}}).size(), 1u) << "5 m itself is within";
}

// A cadastral parcel moved by a known rigid transform as a survey would
// find it: the pairs proposed against the block, fitted and applied, put
// it back on the map.
TEST(ProposedPairsTest, ARealParcelMovedIsPutBack)
{
    if (test::sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastral block";
    const std::vector<compare::Shape> block = compare::readShapes(
        test::sharedDir() / "samples/gml/parcel/wfs-cp-bbox-29-parcels.gml", compare::Kind::Parcels);
    std::vector<compare::Shape> parcel;
    for (const compare::Shape& s : block)
        if (s.name == "2041508TP7124S") parcel.push_back(s);
    ASSERT_EQ(parcel.size(), 1u);
    const std::vector<Punto> original = verticesOf(parcel);
    ASSERT_GE(original.size(), 4u);

    // 0.6 m and 0.02° about a point off the parcel.
    const Similarity survey{{271800, 4814000}, {271800.45, 4813999.6}, 0.02 * std::numbers::pi / 180, 1};
    compare::Shape surveyed = parcel[0];
    for (compare::Patch& p : surveyed.patches)
        for (compare::Ring& r : p.rings) r = moved(survey, r);
    const std::vector<Punto> measured = verticesOf({surveyed});
    const compare::ParcelComparison comparison = compare::compareParcels({surveyed}, block);
    ASSERT_FALSE(comparison.neighbours.empty());
    const std::vector<Pair> pairs = proposePairs({surveyed}, block, comparison);
    ASSERT_EQ(pairs.size(), original.size());
    const Fit fit = fitPairs(pairs);
    EXPECT_LT(fit.rigidRms, 1e-6);
    EXPECT_TRUE(fit.warnings.empty());
    const std::vector<Punto> back = moved(fit.rigid, measured);
    for (std::size_t i = 0; i < back.size(); ++i)
        EXPECT_LT(std::hypot(back[i].x - original[i].x, back[i].y - original[i].y), 0.01) << i;
}

TEST(PairFileTest, ReadsWhatItWritesAndRefusesWhatIsNoPair)
{
    const std::vector<Pair> pairs =
        readPairs("1;271863,9;4814037.88;271864.1;4814038\r\n\r\n 2 ;0;0;+1;-1.5\n3;1;2;3;4");
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0].measured.x, 271863.9);
    EXPECT_EQ(pairs[1].name, "2");
    EXPECT_EQ(pairs[1].cadastral.y, -1.5);
    EXPECT_EQ(pairsText(pairs), "1;271863.900;4814037.880;271864.100;4814038.000\r\n2;0.000;0.000;1.000;-1.500\r\n"
                                "3;1.000;2.000;3.000;4.000\r\n");
    EXPECT_EQ(readPairs(pairsText(pairs)).size(), 3u);
    const char* const wrong[] = {"1;2;3;4\n", "1;2;3;4;5;6\n", "1;2;x;4;5\n", ";1;2;3;4\n", "1;2;3;4;\n",
                                 "1;2;3;4;nan\n", "1;2;3;4;1e300\n"};
    for (const char* text : wrong) {
        SCOPED_TRACE(text);
        try {
            readPairs(std::string("0;1;1;1;1\n") + text);
            ADD_FAILURE() << "read";
        } catch (const Failure& e) {
            EXPECT_STREQ(e.what(), "Error. La línea 2 no es N;Xm;Ym;Xc;Yc.");
        }
    }
}

}  // namespace
}  // namespace vadrel::georef
