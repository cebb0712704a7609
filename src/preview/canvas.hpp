#pragma once
// What the previews draw on: a square picture with a pen and text. The
// desktop draws on an image, tests record the calls.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vadrel {

// The side of every preview picture, in pixels.
inline constexpr int kLadoDibujo = 390;

// The box a text takes on the picture, in pixels.
struct TextSize {
    int width = 0;
    int height = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Blank, pen and font back to their defaults.
    virtual void clear() = 0;
    virtual void penWidth(int width) = 0;
    // A 24-bit colour value: low byte red, middle byte green, high byte blue.
    virtual void penColor(std::uint32_t value) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // Black text on a white box, its top left corner at (x, y).
    virtual void textOut(int x, int y, const std::string& text) = 0;
    virtual void fontFace(const std::string& face) = 0;
    // The box textOut gives `text` (UTF-8). Without a font at hand, a guess
    // a little wide for the default face's digits and letters, so that
    // boxes placed apart by it stay apart.
    virtual TextSize textSize(const std::string& text) const
    {
        int characters = 0;
        for (unsigned char c : text)
            if ((c & 0xC0) != 0x80) ++characters;  // a character's first byte
        return {characters * 7, 13};
    }
    // A polygon filled in a 24-bit colour (as penColor) over what lies
    // below, `opacity` from 0 (unseen) to 255 (solid). Pictures that only
    // draw lines may ignore it.
    virtual void fillPolygon(const std::vector<std::pair<int, int>>& /*points*/, std::uint32_t /*color*/,
                             int /*opacity*/)
    {
    }
    // The drawing is done for now: show it.
    virtual void repaint() {}
};

// The picture of a form that has none to draw on (the batch command's
// forms that never show it).
class NullCanvas : public Canvas {
public:
    void clear() override {}
    void penWidth(int) override {}
    void penColor(std::uint32_t) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void textOut(int, int, const std::string&) override {}
    void fontFace(const std::string&) override {}
};

}  // namespace vadrel
