#include "app/image_canvas.hpp"

#include <QFontMetrics>
#include <QPolygon>

namespace vadrel::app {

namespace {

QFont fuentePorDefecto()
{
    QFont f("DejaVu Sans");
    f.setPixelSize(11);
    return f;
}

}  // namespace

ImageCanvas::ImageCanvas(int side) : image_(side, side, QImage::Format_RGB32) { clear(); }

void ImageCanvas::fillPolygon(const std::vector<std::pair<int, int>>& points, std::uint32_t value, int opacity)
{
    QPolygon polygon;
    for (const auto& [x, y] : points) polygon << QPoint(x, y);
    QPainter& p = painter();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                      static_cast<int>((value >> 16) & 0xFF), opacity));
    p.drawPolygon(polygon, Qt::OddEvenFill);
    p.restore();
}

ImageCanvas::~ImageCanvas() { endPainting(); }

const QImage& ImageCanvas::image() const
{
    endPainting();
    return image_;
}

QPainter& ImageCanvas::painter()
{
    if (!painter_) painter_ = std::make_unique<QPainter>(&image_);
    return *painter_;
}

void ImageCanvas::endPainting() const { painter_.reset(); }

void ImageCanvas::setFont(QFont font)
{
    font_ = std::move(font);
    ascent_ = QFontMetrics(font_).ascent();
}

void ImageCanvas::clear()
{
    endPainting();
    image_.fill(Qt::white);
    color_ = Qt::black;
    penWidth_ = 1;
    at_ = QPoint();
    setFont(fuentePorDefecto());
}

void ImageCanvas::penColor(std::uint32_t value)
{
    // Low byte red, then green, then blue.
    color_ = QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                    static_cast<int>((value >> 16) & 0xFF));
}

void ImageCanvas::lineTo(int x, int y)
{
    QPainter& p = painter();
    p.setBackgroundMode(Qt::TransparentMode);
    p.setPen(QPen(color_, penWidth_));
    p.drawLine(at_, QPoint(x, y));
    at_ = QPoint(x, y);
}

void ImageCanvas::textOut(int x, int y, const std::string& text)
{
    QPainter& p = painter();
    p.setFont(font_);
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    p.drawText(QPoint(x, y + ascent_), QString::fromStdString(text));
}

TextSize ImageCanvas::textSize(const std::string& text) const
{
    const QFontMetrics metrics(font_);
    return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

void ImageCanvas::fontFace(const std::string& face)
{
    const int size = font_.pixelSize();
    QFont f{QString::fromStdString(face)};
    f.setStyleHint(QFont::TypeWriter);  // "Courier New" is rarely there: any fixed-width face
    f.setPixelSize(size);
    setFont(std::move(f));
}

void ImageCanvas::repaint()
{
    endPainting();
    if (onRepaint) onRepaint();
}

}  // namespace vadrel::app
