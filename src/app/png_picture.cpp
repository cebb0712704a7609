#include "app/png_picture.hpp"

#include <QBuffer>
#include <QGuiApplication>

#include "app/image_canvas.hpp"

namespace vadrel::app {

struct PngPicture::Impl {
    std::unique_ptr<QGuiApplication> application;
    ImageCanvas canvas;
};

namespace {

std::unique_ptr<QGuiApplication> aplicacionSinPantalla()
{
    if (QGuiApplication::instance()) return nullptr;
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vadrel-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

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
