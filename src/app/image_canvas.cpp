#include "app/image_canvas.hpp"

#include <QPainter>


namespace vadrel::app {

namespace {

QFont fuentePorDefecto()
{
    QFont f("DejaVu Sans");
    f.setPixelSize(11);
    return f;
}

}  // namespace

ImageCanvas::ImageCanvas() : image_(kLadoDibujo, kLadoDibujo, QImage::Format_RGB32) { clear(); }

void ImageCanvas::clear()
{
    image_.fill(Qt::white);
    color_ = Qt::black;
    penWidth_ = 1;
    at_ = QPoint();
    font_ = fuentePorDefecto();
}

void ImageCanvas::penColor(std::uint32_t value)
{
    // Low byte red, then green, then blue.
    color_ = QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                    static_cast<int>((value >> 16) & 0xFF));
}

void ImageCanvas::lineTo(int x, int y)
{
    QPainter p(&image_);
    p.setPen(QPen(color_, penWidth_));
    p.drawLine(at_, QPoint(x, y));
    at_ = QPoint(x, y);
}

void ImageCanvas::textOut(int x, int y, const std::string& text)
{
    QPainter p(&image_);
    p.setFont(font_);
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    const QFontMetrics m(font_);
    p.drawText(QPoint(x, y + m.ascent()), QString::fromStdString(text));
}

void ImageCanvas::fontFace(const std::string& face)
{
    const int size = font_.pixelSize();
    font_ = QFont(QString::fromStdString(face));
    font_.setStyleHint(QFont::TypeWriter);  // "Courier New" is rarely there: any fixed-width face
    font_.setPixelSize(size);
}

void ImageCanvas::repaint()
{
    if (onRepaint) onRepaint();
}

}  // namespace vadrel::app
