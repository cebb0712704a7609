#pragma once
// The previews' picture as the desktop shows it: a 390 x 390 image drawn
// with QPainter.

#include <QFont>
#include <QImage>
#include <QPoint>
#include <functional>

#include "preview/canvas.hpp"

namespace vadrel::app {

class ImageCanvas : public Canvas {
public:
    ImageCanvas();

    const QImage& image() const { return image_; }
    // Called when the drawing is done, so the window shows it.
    std::function<void()> onRepaint;

    void clear() override;
    void penWidth(int width) override { penWidth_ = width; }
    void penColor(std::uint32_t value) override;
    void moveTo(int x, int y) override { at_ = QPoint(x, y); }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    void fontFace(const std::string& face) override;
    void repaint() override;

private:
    QImage image_;
    QColor color_;
    int penWidth_ = 1;
    QPoint at_;
    QFont font_;
};

}  // namespace vadrel::app
