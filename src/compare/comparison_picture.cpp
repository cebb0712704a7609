#include "compare/comparison_picture.hpp"

#include <algorithm>
#include <cmath>

namespace vadrel::compare {

namespace {

// Colours as the canvas takes them: low byte red, then green, then blue.
constexpr std::uint32_t kGrey = 0xA0A0A0;
constexpr std::uint32_t kBlue = 0xD02000;
constexpr std::uint32_t kRed = 0x0000E0;
constexpr std::uint32_t kBlack = 0x000000;
constexpr int kOverlapOpacity = 110;

// The box of what is drawn, then the square the picture shows.
struct View : Extension {
    double scale = 1;  // pixels per metre
    int side = 0;

    // Square, the drawing centred with a margin all round, north up.
    void fit(int pixels)
    {
        side = pixels;
        const double extent = std::max({maxX - minX, maxY - minY, 1.0}) * 1.2;
        const double cx = (minX + maxX) / 2, cy = (minY + maxY) / 2;
        minX = cx - extent / 2;
        maxX = cx + extent / 2;
        minY = cy - extent / 2;
        maxY = cy + extent / 2;
        scale = pixels / extent;
    }
    std::pair<int, int> pixel(const Punto& p) const
    {
        return {static_cast<int>(std::lround((p.x - minX) * scale)),
                static_cast<int>(std::lround((maxY - p.y) * scale))};
    }
    bool sees(const Shape& s) const
    {
        for (const Patch& patch : s.patches)
            for (const Punto& p : patch.rings.front())
                if (p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY) return true;
        return false;
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

// 1, 2 or 5 times a power of ten, near a fifth of the picture.
double barLength(double metresAcross)
{
    const double wanted = metresAcross / 5;
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= wanted) return step * power;
    return power;
}

void scaleBar(Canvas& canvas, const View& view)
{
    const double metres = barLength(view.side / view.scale);
    const int length = static_cast<int>(std::lround(metres * view.scale));
    const int x = 20, y = view.side - 20;
    canvas.penColor(kBlack);
    canvas.penWidth(2);
    canvas.moveTo(x, y - 5);
    canvas.lineTo(x, y);
    canvas.lineTo(x + length, y);
    canvas.lineTo(x + length, y - 5);
    const double whole = std::round(metres);
    canvas.textOut(x, y - 22, (whole == metres ? std::to_string(static_cast<long long>(whole)) : twoDecimals(metres)) +
                                  " m");
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
    if (view.vacia()) {
        canvas.repaint();
        return;
    }
    view.fit(side);

    for (const Ring& ring : parts.filled) {
        std::vector<std::pair<int, int>> points;
        for (const Punto& p : ring) points.push_back(view.pixel(p));
        canvas.fillPolygon(points, kRed, kOverlapOpacity);
    }
    canvas.penWidth(1);
    canvas.penColor(kGrey);
    std::vector<std::size_t> seen;
    for (std::size_t i = 0; i < parts.map.size(); ++i) {
        if (!view.sees(parts.map[i])) continue;
        seen.push_back(i);
        if (!parts.affected[i]) outline(canvas, view, parts.map[i]);
    }
    canvas.penWidth(2);
    canvas.penColor(kBlue);
    for (std::size_t i : seen)
        if (parts.affected[i]) outline(canvas, view, parts.map[i]);
    canvas.penColor(kRed);
    for (const Shape& s : parts.fresh) outline(canvas, view, s);
    // Labels last, over every line.
    for (std::size_t i : seen) {
        const std::string& ref = parts.map[i].name;
        if (ref.empty()) continue;
        Extension box;  // the label at the middle of the parcel's box
        box.anade(parts.map[i].patches.front().rings.front());
        const auto [x, y] = view.pixel({(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2});
        // The first seven characters name the parcel within its sheet; the
        // last seven are the sheet, the same for every neighbour.
        canvas.textOut(x - 24, y - 7, ref.substr(0, 7));
    }
    scaleBar(canvas, view);
    canvas.repaint();
}

PictureParts partsOf(const ParcelComparison& c, const std::vector<Shape>& map, const std::vector<Shape>& fresh)
{
    PictureParts parts{map, std::vector<bool>(map.size(), false), fresh, {}};
    for (std::size_t i : c.affected) parts.affected[i] = true;
    for (const Overlap& o : c.overlaps) parts.filled.insert(parts.filled.end(), o.rings.begin(), o.rings.end());
    return parts;
}

PictureParts partsOf(const std::vector<ConstructionOutside>& outside, const std::vector<Shape>& parcel,
                     const std::vector<Shape>& constructions)
{
    PictureParts parts{parcel, std::vector<bool>(parcel.size(), true), constructions, {}};
    for (const ConstructionOutside& o : outside) parts.filled.insert(parts.filled.end(), o.rings.begin(), o.rings.end());
    return parts;
}

}  // namespace vadrel::compare
