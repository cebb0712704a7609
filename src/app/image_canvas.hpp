#pragma once
// The previews' picture as the desktop shows it: a 390 x 390 image drawn
// with QPainter.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <functional>
#include <memory>

#include "preview/canvas.hpp"

namespace vadrel::app {

class ImageCanvas : public Canvas {
public:
    explicit ImageCanvas(int side = kLadoDibujo);
    ~ImageCanvas() override;

    // The picture as drawn so far.
    const QImage& image() const;
    // Called when the drawing is done, so the window shows it.
    std::function<void()> onRepaint;

    void clear() override;
    void penWidth(int width) override { penWidth_ = width; }
    void penColor(std::uint32_t value) override;
    void moveTo(int x, int y) override { at_ = QPoint(x, y); }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const std::string& text) override;
    void fontFace(const std::string& face) override;
    TextSize textSize(const std::string& text) const override;
    void repaint() override;
    void fillPolygon(const std::vector<std::pair<int, int>>& points, std::uint32_t color, int opacity) override;

private:
    // One painter for a run of drawing, ended when the picture is read: a
    // painter per line or label made a large ring take seconds.
    QPainter& painter();
    void endPainting() const;
    void setFont(QFont font);

    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QColor color_;
    int penWidth_ = 1;
    QPoint at_;
    QFont font_;
    int ascent_ = 0;
};

}  // namespace vadrel::app
