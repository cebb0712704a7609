#include "compare/comparison_picture.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "compare/labels.hpp"

namespace vadrel::compare {

namespace {

// Colours as the canvas takes them: low byte red, then green, then blue.
constexpr std::uint32_t kGrey = 0xA0A0A0;
constexpr std::uint32_t kBlue = 0xD02000;
constexpr std::uint32_t kRed = 0x0000E0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGreen = 0x208000;
constexpr int kOverlapOpacity = 110;
// Room left round a label's text, so that no two labels touch.
constexpr int kLabelPadding = 2;

// The box of what is drawn, then the part of the picture above the legend
// that shows it.
struct View : Extension {
    double scale = 1;  // pixels per metre
    int width = 0, height = 0;

    // The drawing centred with a margin all round, north up, as large as
    // `pixelsAcross` x `pixelsUp` holds it. False when it cannot be drawn.
    bool fit(int pixelsAcross, int pixelsUp)
    {
        width = pixelsAcross;
        height = pixelsUp;
        const double across = std::max(maxX - minX, 1.0) * 1.2, up = std::max(maxY - minY, 1.0) * 1.2;
        scale = std::min(width / across, height / up);
        if (!(scale > 0) || !std::isnormal(scale)) return false;
        const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
        minX = cx - width / scale / 2;
        maxX = cx + width / scale / 2;
        minY = cy - height / scale / 2;
        maxY = cy + height / scale / 2;
        return true;
    }
    Punto at(const Punto& p) const { return {(p.x - minX) * scale, (maxY - p.y) * scale}; }
    std::pair<int, int> pixel(const Punto& p) const
    {
        const Punto q = at(p);
        return {static_cast<int>(std::lround(q.x)), static_cast<int>(std::lround(q.y))};
    }
    // The box in metres whose every point can be the centre of a box of
    // `size` pixels that stays in the view; empty when none can.
    Extension inset(TextSize size) const
    {
        const double dx = (size.width / 2.0 + kLabelPadding) / scale, dy = (size.height / 2.0 + kLabelPadding) / scale;
        Extension e;
        if (2 * dx > maxX - minX || 2 * dy > maxY - minY) return e;
        e.anade(Punto{minX + dx, minY + dy});
        e.anade(Punto{maxX - dx, maxY - dy});
        return e;
    }
};

void outline(Canvas& canvas, const View& view, const Ring& ring)
{
    if (ring.empty()) return;
    const auto [x0, y0] = view.pixel(ring.front());
    canvas.moveTo(x0, y0);
    for (const Punto& p : ring) {
        const auto [x, y] = view.pixel(p);
        canvas.lineTo(x, y);
    }
    canvas.lineTo(x0, y0);
}

void outline(Canvas& canvas, const View& view, const Shape& shape)
{
    for (const Patch& patch : shape.patches)
        for (const Ring& ring : patch.rings) outline(canvas, view, ring);
}

// 1, 2 or 5 times a power of ten, near a fifth of the width.
double barLength(double metresAcross)
{
    const double wanted = metresAcross / 5;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= wanted) return step * power;
    return power;
}

// The centre of the parcel's largest patch within `box`; nothing when none
// of it is there.
std::optional<Punto> centreWithin(const Shape& parcel, const Extension& box)
{
    if (box.vacia()) return std::nullopt;
    std::optional<Punto> centre;
    double largest = 0;
    for (const Patch& patch : parcel.patches) {
        const double area = std::abs(doubleSignedArea(visiblePart(patch.rings.front(), box)));
        if (!(area > largest)) continue;
        if (const std::optional<Punto> c = centroVisible(patch.rings.front(), box)) {
            largest = area;
            centre = c;
        }
    }
    return centre;
}

// Where a label of `size` goes: the centre of what shows of the parcel
// where the whole label stays in the view; for a parcel that only shows a
// sliver along the edge, that sliver's centre moved in as far as needed.
std::optional<Punto> labelPoint(const Shape& parcel, const View& view, TextSize size)
{
    const Extension room = view.inset(size);
    if (room.vacia()) return std::nullopt;
    if (const std::optional<Punto> p = centreWithin(parcel, room)) return p;
    const std::optional<Punto> p = centreWithin(parcel, view);
    if (!p) return std::nullopt;
    return Punto{std::clamp(p->x, room.minX, room.maxX), std::clamp(p->y, room.minY, room.maxY)};
}

// The labels of the parcels seen that find room; gives how many did not.
std::size_t drawLabels(Canvas& canvas, const View& view, const PictureParts& parts,
                       const std::vector<std::size_t>& seen)
{
    std::vector<LabelCandidate> candidates;
    for (std::size_t i : seen) {
        if (parts.map[i].name.empty()) continue;
        LabelCandidate label{etiquetaDeReferencia(parts.map[i].name), {}, parts.affected[i]};
        const TextSize size = canvas.textSize(label.text);
        // One with no room in the view keeps an empty box, placed nowhere.
        if (const std::optional<Punto> p = labelPoint(parts.map[i], view, size)) {
            const Punto c = view.at(*p);
            label.box.anade(Punto{c.x - size.width / 2.0 - kLabelPadding, c.y - size.height / 2.0 - kLabelPadding});
            label.box.anade(Punto{c.x + size.width / 2.0 + kLabelPadding, c.y + size.height / 2.0 + kLabelPadding});
        }
        candidates.push_back(std::move(label));
    }
    Ocupado taken;
    const std::vector<LabelCandidate> placed = placeLabels(candidates, {view.width / 2.0, view.height / 2.0}, taken);
    for (const LabelCandidate& label : placed)
        canvas.textOut(static_cast<int>(std::lround(label.box.minX)) + kLabelPadding,
                       static_cast<int>(std::lround(label.box.minY)) + kLabelPadding, label.text);
    return candidates.size() - placed.size();
}

// The legend's band: on the left the scale bar, in a slot as wide as the
// longest bar (a fifth of the view's width), so that the band's height does
// not hang on the scale; to its right a sample of each colour drawn with
// its caption, and the count of labels left out, on as many rows as they
// need.
enum class Sample { grey, blue, red, fill, arrow, none };

struct LegendItem {
    Sample sample;
    std::string caption;
};

constexpr int kSampleWidth = 22, kSampleGap = 6, kItemGap = 20, kLegendMargin = 12, kRowGap = 6, kBarRise = 5;

// The arrows' caption, with the factor they are drawn longer by.
std::string arrowsCaption(double factor)
{
    std::string caption = kArrowsCaption;
    if (factor > 1) caption.insert(caption.size() - 1, kArrowsLonger + std::to_string(std::lround(factor)));
    return caption;
}

std::vector<LegendItem> legendItems(const PictureParts& parts, bool greySeen, bool blueSeen, std::size_t omitted,
                                    double arrowsLonger)
{
    std::vector<LegendItem> items{{Sample::red, parts.captions.fresh}};
    if (greySeen) items.push_back({Sample::grey, parts.captions.map});
    if (blueSeen) items.push_back({Sample::blue, parts.captions.affected});
    if (!parts.filled.empty()) items.push_back({Sample::fill, parts.captions.filled});
    if (!parts.arrows.empty()) items.push_back({Sample::arrow, arrowsCaption(arrowsLonger)});
    if (omitted > 0) items.push_back({Sample::none, kOmittedLabels + std::to_string(omitted)});
    return items;
}

int lineHeight(const Canvas& canvas) { return canvas.textSize("Ág").height; }

struct Spot {
    int x = 0;
    int row = 0;
};

std::vector<Spot> layOut(const Canvas& canvas, int side, const std::vector<LegendItem>& items)
{
    const int left = kLegendMargin + side / 5 + kItemGap;
    std::vector<Spot> spots;
    int x = left, row = 0;
    for (const LegendItem& item : items) {
        const int width =
            (item.sample == Sample::none ? 0 : kSampleWidth + kSampleGap) + canvas.textSize(item.caption).width;
        if (x > left && x + width > side - kLegendMargin) {
            x = left;
            ++row;
        }
        spots.push_back({x, row});
        x += width + kItemGap;
    }
    return spots;
}

int bandHeight(const Canvas& canvas, int side, const std::vector<LegendItem>& items)
{
    const int rows = items.empty() ? 0 : layOut(canvas, side, items).back().row + 1;
    const int itemsHeight = rows * (lineHeight(canvas) + kRowGap) - kRowGap;
    const int barHeight = lineHeight(canvas) + kRowGap + kBarRise;  // its length written above it
    return std::max(itemsHeight, barHeight) + 2 * kLegendMargin;
}

// The bar, below the view it measures.
void scaleBar(Canvas& canvas, const View& view, int top)
{
    const double metres = barLength(view.width / view.scale);
    const int length = static_cast<int>(std::lround(metres * view.scale));
    const int x = kLegendMargin, y = top + kLegendMargin + lineHeight(canvas) + kRowGap + kBarRise;
    canvas.penColor(kBlack);
    canvas.penWidth(2);
    canvas.moveTo(x, y - kBarRise);
    canvas.lineTo(x, y);
    canvas.lineTo(x + length, y);
    canvas.lineTo(x + length, y - kBarRise);
    const double whole = std::round(metres);
    canvas.textOut(x, top + kLegendMargin,
                   (whole == metres ? std::to_string(static_cast<long long>(whole)) : twoDecimals(metres)) + " m");
}

// A line from `from` with its head at `to`, a head of fixed size whatever
// the line's length.
void arrow(Canvas& canvas, std::pair<int, int> from, std::pair<int, int> to)
{
    canvas.penColor(kGreen);
    canvas.penWidth(2);
    canvas.moveTo(from.first, from.second);
    canvas.lineTo(to.first, to.second);
    const double dx = to.first - from.first, dy = to.second - from.second, length = std::hypot(dx, dy);
    if (!(length > 0)) return;
    constexpr double kHead = 8, kSpread = 0.45;  // pixels, radians
    for (double side : {-1.0, 1.0}) {
        const double a = std::atan2(-dy, -dx) + side * kSpread;
        canvas.moveTo(to.first, to.second);
        canvas.lineTo(to.first + static_cast<int>(std::lround(kHead * std::cos(a))),
                      to.second + static_cast<int>(std::lround(kHead * std::sin(a))));
    }
}

// Each common point's arrow, `factor` times its length, and its number
// beside the measured point.
void drawArrows(Canvas& canvas, const View& view, const std::vector<Arrow>& arrows, double factor)
{
    for (const Arrow& a : arrows) {
        const Punto from = view.at(a.from), to = view.at(a.to);
        const Punto end{from.x + (to.x - from.x) * factor, from.y + (to.y - from.y) * factor};
        const auto pixel = [](Punto p) {
            return std::pair<int, int>{static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
        };
        // A point the map has exactly where it was measured: a dot.
        if (pixel(end) == pixel(from)) {
            canvas.penColor(kGreen);
            canvas.penWidth(4);
            canvas.moveTo(pixel(from).first, pixel(from).second);
            canvas.lineTo(pixel(from).first + 1, pixel(from).second);
        } else {
            arrow(canvas, pixel(from), pixel(end));
        }
    }
    // The numbers over every arrow, on the side away from it.
    for (const Arrow& a : arrows) {
        const Punto from = view.at(a.from), to = view.at(a.to);
        const TextSize size = canvas.textSize(a.name);
        const int x = static_cast<int>(std::lround(from.x)) + (to.x > from.x ? -size.width - 4 : 4);
        const int y = static_cast<int>(std::lround(from.y)) + (to.y > from.y ? -size.height - 2 : 2);
        canvas.textOut(x, y, a.name);
    }
}

void drawLegend(Canvas& canvas, const View& view, int side, const std::vector<LegendItem>& items)
{
    const int top = view.height;
    canvas.fillPolygon({{0, top}, {side, top}, {side, side}, {0, side}}, kWhite, 255);
    canvas.penWidth(1);
    canvas.penColor(kGrey);
    canvas.moveTo(0, top);
    canvas.lineTo(side, top);
    scaleBar(canvas, view, top);
    const std::vector<Spot> spots = layOut(canvas, side, items);
    const int line = lineHeight(canvas);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int x = spots[i].x, rowTop = top + kLegendMargin + spots[i].row * (line + kRowGap);
        const int middle = rowTop + line / 2;
        switch (items[i].sample) {
        case Sample::fill:
            canvas.fillPolygon({{x, middle - 5}, {x + kSampleWidth, middle - 5}, {x + kSampleWidth, middle + 5},
                                {x, middle + 5}},
                               kRed, kOverlapOpacity);
            break;
        case Sample::none:
            break;
        case Sample::arrow:
            arrow(canvas, {x, middle}, {x + kSampleWidth, middle});
            break;
        default:
            canvas.penWidth(items[i].sample == Sample::grey ? 1 : 2);
            canvas.penColor(items[i].sample == Sample::grey ? kGrey : items[i].sample == Sample::blue ? kBlue : kRed);
            canvas.moveTo(x, middle);
            canvas.lineTo(x + kSampleWidth, middle);
        }
        canvas.textOut(items[i].sample == Sample::none ? x : x + kSampleWidth + kSampleGap, rowTop, items[i].caption);
    }
}

}  // namespace

void drawComparison(Canvas& canvas, int side, const PictureParts& parts)
{
    canvas.clear();
    View view;
    for (const Shape& s : parts.fresh)
        for (const Patch& p : s.patches)
            view.anade(p.rings.front());
    for (std::size_t i = 0; i < parts.map.size(); ++i)
        if (parts.affected[i])
            for (const Patch& p : parts.map[i].patches)
                view.anade(p.rings.front());
    // The band is as high as the largest legend this comparison can have.
    std::size_t named = 0;
    for (const Shape& s : parts.map) named += !s.name.empty();
    const bool anyGrey = std::find(parts.affected.begin(), parts.affected.end(), false) != parts.affected.end();
    const bool anyBlue = std::find(parts.affected.begin(), parts.affected.end(), true) != parts.affected.end();
    // The arrows' caption with the longest factor any picture writes.
    const int band = bandHeight(canvas, side, legendItems(parts, anyGrey, anyBlue, named, 1e9));
    if (view.vacia() || !view.fit(side, side - band)) {
        canvas.repaint();
        return;
    }

    for (const Ring& ring : parts.filled) {
        std::vector<std::pair<int, int>> points;
        for (const Punto& p : ring) points.push_back(view.pixel(p));
        canvas.fillPolygon(points, kRed, kOverlapOpacity);
    }
    canvas.penWidth(1);
    canvas.penColor(kGrey);
    std::vector<std::size_t> seen;
    bool greySeen = false, blueSeen = false;
    for (std::size_t i = 0; i < parts.map.size(); ++i) {
        if (!centreWithin(parts.map[i], view)) continue;
        seen.push_back(i);
        if (parts.affected[i]) {
            blueSeen = true;
        } else {
            greySeen = true;
            outline(canvas, view, parts.map[i]);
        }
    }
    canvas.penWidth(2);
    canvas.penColor(kBlue);
    for (std::size_t i : seen)
        if (parts.affected[i]) outline(canvas, view, parts.map[i]);
    canvas.penColor(kRed);
    for (const Shape& s : parts.fresh) outline(canvas, view, s);

    double longest = 0;
    for (const Arrow& a : parts.arrows) longest = std::max(longest, std::hypot(a.to.x - a.from.x, a.to.y - a.from.y) * view.scale);
    const double factor = arrowFactor(longest);

    // Labels last, over every line; the common points' numbers over them.
    const std::size_t omitted = drawLabels(canvas, view, parts, seen);
    drawArrows(canvas, view, parts.arrows, factor);
    drawLegend(canvas, view, side, legendItems(parts, greySeen, blueSeen, omitted, factor));
    canvas.repaint();
}

double arrowFactor(double longest)
{
    if (!(longest > 0) || longest >= kShortestArrow || !std::isfinite(longest)) return 1;
    for (double power = 1; power < 1e9; power *= 10)
        for (double step : {1.0, 2.0, 5.0})
            if (longest * step * power >= kShortestArrow && step * power > 1) return step * power;
    return 1e9;
}

PictureParts partsOf(const ParcelComparison& c, const std::vector<Shape>& map, const std::vector<Shape>& fresh)
{
    PictureParts parts{map, std::vector<bool>(map.size(), false), fresh, {}, kParcelCaptions, {}};
    for (std::size_t i : c.affected) parts.affected[i] = true;
    for (const Overlap& o : c.overlaps) parts.filled.insert(parts.filled.end(), o.rings.begin(), o.rings.end());
    return parts;
}

PictureParts partsOf(const std::vector<ConstructionOutside>& outside, const std::vector<Shape>& parcel,
                     const std::vector<Shape>& constructions)
{
    PictureParts parts{parcel, std::vector<bool>(parcel.size(), true), constructions, {}, kBuildingCaptions, {}};
    for (const ConstructionOutside& o : outside) parts.filled.insert(parts.filled.end(), o.rings.begin(), o.rings.end());
    return parts;
}

}  // namespace vadrel::compare
