// The comparison picture on a canvas that records it: every parcel seen
// labelled where it shows and inside the view, no text over another, the
// labels left out counted in the legend, and the scale bar true.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "compare/comparison_picture.hpp"

namespace vadrel::compare {
namespace {

struct Text {
    int x, y;
    std::string text;
    TextSize size;  // the canvas's own guess, as in the batch command's forms
};

class RecordingCanvas : public Canvas {
public:
    std::vector<std::array<int, 5>> lines;  // colour, x0, y0, x1, y1
    std::vector<Text> texts;

    void clear() override { lines.clear(), texts.clear(); }
    void penWidth(int) override {}
    void penColor(std::uint32_t c) override { color_ = static_cast<int>(c); }
    void moveTo(int x, int y) override { at_ = {x, y}; }
    void lineTo(int x, int y) override
    {
        lines.push_back({color_, at_.first, at_.second, x, y});
        at_ = {x, y};
    }
    void textOut(int x, int y, const std::string& t) override { texts.push_back({x, y, t, textSize(t)}); }
    void fontFace(const std::string&) override {}

private:
    int color_ = 0;
    std::pair<int, int> at_;
};

// Metres from the corner of the new parcel, the square from (0, 0) to
// (100, 100), far from the origin as UTM coordinates are.
Shape rect(const std::string& name, double x0, double y0, double x1, double y1)
{
    const double e = 400000, n = 4500000;
    return {name, {Patch{{{{e + x0, n + y0}, {e + x1, n + y0}, {e + x1, n + y1}, {e + x0, n + y1}}}}}};
}

std::string rural(int parcel)
{
    char ref[32];
    std::snprintf(ref, sizeof ref, "40146A001%05d", parcel);
    return ref;
}

// The picture read back: the band's top (its line across the picture), the
// new square where drawn in red above it, the labels above, the legend's
// words in it and the count of labels left out.
struct Drawn {
    int bandTop = kPictureSide, left = kPictureSide, right = 0, bottom = 0;
    std::vector<Text> labels, legend;
    std::size_t omitted = 0;

    double perMetre() const { return (right - left) / 100.0; }
    Punto metres(double x, double y) const
    {
        return {400000 + (x - left) / perMetre(), 4500000 + (bottom - y) / perMetre()};
    }
};

Drawn read(const RecordingCanvas& canvas)
{
    Drawn d;
    for (const auto& [c, x0, y0, x1, y1] : canvas.lines)
        if (y0 == y1 && std::min(x0, x1) == 0 && std::max(x0, x1) == kPictureSide) d.bandTop = y0;
    for (const auto& [c, x0, y0, x1, y1] : canvas.lines)
        if (c == 0x0000E0 && y1 < d.bandTop)
            d.left = std::min(d.left, x1), d.right = std::max(d.right, x1), d.bottom = std::max(d.bottom, y1);
    const std::string omitted = "referencias omitidas: ";
    for (const Text& t : canvas.texts) {
        if (t.y < d.bandTop) d.labels.push_back(t);
        else if (!t.text.ends_with(" m")) d.legend.push_back(t);  // not the scale bar's
        if (t.text.starts_with(omitted)) d.omitted = std::stoul(t.text.substr(omitted.size()));
    }
    return d;
}

TEST(ComparisonPicture, NeighboursLabelledApartOnTheirPartsInTheViewOverNoOtherText)
{
    std::vector<Shape> ring, crowded;
    for (int i = 0; i < 5; ++i) {  // five a side, 20 m along it, 30 m out: cut by the view's edge
        const double a = 20.0 * i, b = a + 20;
        ring.insert(ring.end(), {rect(rural(10 + i), a, -30, b, 0), rect(rural(20 + i), 100, a, 130, b),
                                 rect(rural(30 + i), a, 100, b, 130), rect(rural(40 + i), -30, a, 0, b)});
    }
    for (int i = 0; i < 20; ++i) crowded.push_back(rect(rural(i + 1), 5.0 * i, -30, 5.0 * i + 5, 0));
    const struct {
        const char* what;
        std::vector<Shape> map;
        bool allFit;  // else some are left out for want of room
    } cases[] = {
        {"20 rural neighbours round the parcel", ring, true},
        {"20 rural neighbours 5 m wide along one side", crowded, false},
        {"a strip across the view with no vertex in it; one reaching far out east",
         {rect(rural(7), -1000, 103, 1000, 200), rect(rural(8), 100, -1000, 1000, 50)}, true},
        // The square fills the view's height, 10 m left above it: 1 m of the
        // neighbour shows, less than its label's height.
        {"a sliver along the view's edge", {rect(rural(5), 0, 109, 100, 300)}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Shape> map = c.map;
        map.push_back(rect(rural(99), 0, 0, 100, 100));
        const std::vector<Shape> fresh{rect("", 0, 0, 100, 100)};
        std::vector<bool> affected(map.size(), false);
        affected.back() = true;
        RecordingCanvas canvas;
        drawComparison(canvas, kPictureSide, PictureParts{map, affected, fresh, {}, kParcelCaptions, {}});
        const Drawn d = read(canvas);
        ASSERT_TRUE(d.bandTop < kPictureSide && d.right > d.left);

        std::map<std::string, Extension> parcels;
        for (const Shape& s : map)
            parcels["1/" + std::to_string(std::stoi(s.name.substr(9)))].anade(s.patches[0].rings[0]);
        std::set<std::string> labels;
        for (const Text& t : d.labels) {
            SCOPED_TRACE(t.text);
            EXPECT_TRUE(labels.insert(t.text).second) << "labelled twice";
            ASSERT_TRUE(parcels.count(t.text));
            EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.x + t.size.width <= kPictureSide && t.y + t.size.height <= d.bandTop);
            // On its parcel, or beside the sliver that shows of it.
            const Punto at = d.metres(t.x + t.size.width / 2.0, t.y + t.size.height / 2.0);
            const double slack = (t.size.height / 2.0 + 3) / d.perMetre();
            const Extension& p = parcels[t.text];
            EXPECT_TRUE(at.x > p.minX - slack && at.x < p.maxX + slack);
            EXPECT_TRUE(at.y > p.minY - slack && at.y < p.maxY + slack);
        }
        EXPECT_EQ(labels.size() + d.omitted, map.size()) << "each labelled or counted as left out";
        EXPECT_EQ(d.omitted == 0, c.allFit);
        EXPECT_TRUE(labels.count("1/99")) << "the affected parcel's label first";
        for (const Text& a : canvas.texts)
            for (const Text& b : canvas.texts)
                EXPECT_TRUE(&a == &b || a.x >= b.x + b.size.width || b.x >= a.x + a.size.width ||
                            a.y >= b.y + b.size.height || b.y >= a.y + a.size.height)
                    << a.text << " over " << b.text;

        // The scale bar, in the band: the longest level black line.
        const auto bar = *std::max_element(canvas.lines.begin(), canvas.lines.end(), [](auto& a, auto& b) {
            return (a[0] == 0 && a[2] == a[4]) * (a[3] - a[1]) < (b[0] == 0 && b[2] == b[4]) * (b[3] - b[1]);
        });
        const auto scale = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                        [](auto& t) { return t.text.ends_with(" m"); });
        ASSERT_NE(scale, canvas.texts.end());
        EXPECT_GT(scale->y, d.bandTop);
        EXPECT_NEAR(bar[3] - bar[1], std::stod(scale->text) * d.perMetre(), 1) << scale->text;
    }
}

TEST(ComparisonPicture, TheLegendNamesTheColoursDrawn)
{
    const std::vector<Shape> map{rect(rural(1), 0, 0, 100, 100), rect(rural(2), 100, 0, 200, 100)};
    const std::vector<Shape> parcel{map[0]}, fresh{rect("", 0, 0, 101, 100)};
    ParcelComparison overlapping;
    overlapping.affected = {0};
    overlapping.overlaps = {Overlap{rural(2), 100, 1, {rect("", 100, 0, 101, 100).patches[0].rings[0]}}};
    const std::vector<ConstructionOutside> outside{{"1", 100, 1, overlapping.overlaps[0].rings}};
    const struct {
        PictureParts parts;
        std::vector<std::string> legend;
    } cases[] = {
        {partsOf(overlapping, map, fresh),
         {"Geometría nueva", "Parcelas catastrales", "Parcelas afectadas", "Solapes"}},
        {partsOf(outside, parcel, fresh), {"Construcciones", "Parcela catastral", "Fuera de la parcela"}},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        drawComparison(canvas, kPictureSide, c.parts);
        std::vector<std::string> legend;
        for (const Text& t : read(canvas).legend) legend.push_back(t.text);
        EXPECT_EQ(legend, c.legend);
    }
}

// The common points' arrows start at the measured point and point at the
// cadastral one; when that is too short to see, they are drawn longer by
// the round factor the legend states, never silently.
TEST(ComparisonPicture, ArrowsFromTheMeasuredPointLongerOnlyAsTheLegendSays)
{
    EXPECT_EQ(arrowFactor(0), 1);
    EXPECT_EQ(arrowFactor(kShortestArrow), 1);
    EXPECT_EQ(arrowFactor(15), 2);
    EXPECT_EQ(arrowFactor(14.9), 5);
    EXPECT_EQ(arrowFactor(0.3), 100);
    EXPECT_EQ(arrowFactor(0.29), 200);

    const struct {
        const char* what;
        double dx, dy;  // m, from the measured corner to the map's
        bool longer;    // drawn longer, as the legend states
    } cases[] = {
        {"5 cm, east", 0.05, 0, true},  // a third of a pixel
        {"10 m, south", 0, -10, false},
        {"the same point", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<Shape> map{rect(rural(1), 0, 0, 100, 100)};
        const std::vector<Shape> fresh{rect("", 0, 0, 100, 100)};
        const Punto corner{400100, 4500100};
        PictureParts parts{map, {true}, fresh, {}, kParcelCaptions, {{"7", corner, {corner.x + c.dx, corner.y + c.dy}}}};
        RecordingCanvas canvas;
        drawComparison(canvas, kPictureSide, parts);
        const Drawn d = read(canvas);
        const double factor = arrowFactor(std::hypot(c.dx, c.dy) * d.perMetre());
        EXPECT_EQ(factor > 1, c.longer);
        const std::string caption = std::string(kArrowsCaption);
        const std::string expected =
            factor > 1 ? caption.substr(0, caption.size() - 1) + kArrowsLonger + std::to_string(int(factor)) + ")"
                         : caption;
        EXPECT_TRUE(std::any_of(d.legend.begin(), d.legend.end(), [&](const Text& t) { return t.text == expected; }));
        EXPECT_TRUE(std::any_of(d.labels.begin(), d.labels.end(), [](const Text& t) { return t.text == "7"; }));
        // The shaft: the first green line above the band, from the corner.
        const auto shaft = std::find_if(canvas.lines.begin(), canvas.lines.end(),
                                        [&](const auto& l) { return l[0] == 0x208000 && l[2] < d.bandTop; });
        ASSERT_NE(shaft, canvas.lines.end());
        const Punto from = d.metres((*shaft)[1], (*shaft)[2]), to = d.metres((*shaft)[3], (*shaft)[4]);
        EXPECT_NEAR(from.x, corner.x, 0.3);
        EXPECT_NEAR(from.y, corner.y, 0.3);
        EXPECT_NEAR(to.x - from.x, c.dx * factor, 0.3);
        EXPECT_NEAR(to.y - from.y, c.dy * factor, 0.3);
    }
}

}  // namespace
}  // namespace vadrel::compare
