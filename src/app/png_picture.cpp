#include "app/png_picture.hpp"

#include <QBuffer>

#include "app/image_canvas.hpp"
#include "app/offscreen_app.hpp"

namespace vadrel::app {

struct PngPicture::Impl {
    std::unique_ptr<QGuiApplication> application;
    ImageCanvas canvas;
};

// The application exists before the canvas, whose fonts need it.
PngPicture::PngPicture(int side) : impl_(new Impl{aplicacionSinPantalla(), ImageCanvas(side)}) {}

PngPicture::~PngPicture() = default;

Canvas& PngPicture::canvas() { return impl_->canvas; }

std::optional<std::string> PngPicture::png() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!impl_->canvas.image().save(&buffer, "PNG")) return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace vadrel::app
