// vadrel-icono: draws the program's emblem into the PNG files the desktop
// shows for it, or into the .ico a Windows program carries. Runs at build
// time, without a display.

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/logo.hpp"

namespace {

QByteArray pngOf(int side)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    vadrel::app::vadrelLogo(side).save(&buffer, "PNG");
    return bytes;
}

void putLittle(QByteArray& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// An .ico whose images are PNG data (read by every Windows since Vista),
// in the sizes Explorer and the Start menu ask for.
QByteArray icoFile()
{
    const std::vector<int> sides{16, 24, 32, 48, 64, 256};
    std::vector<QByteArray> images;
    for (int side : sides) images.push_back(pngOf(side));
    QByteArray out;
    putLittle(out, 0, 2);
    putLittle(out, 1, 2);  // an icon, not a cursor
    putLittle(out, static_cast<unsigned>(sides.size()), 2);
    unsigned offset = 6 + 16 * static_cast<unsigned>(sides.size());
    for (std::size_t i = 0; i < sides.size(); ++i) {
        const unsigned side = sides[i] == 256 ? 0 : static_cast<unsigned>(sides[i]);  // 0 means 256
        putLittle(out, side, 1);
        putLittle(out, side, 1);
        putLittle(out, 0, 1);   // no palette
        putLittle(out, 0, 1);
        putLittle(out, 1, 2);   // colour planes
        putLittle(out, 32, 2);  // bits per pixel
        putLittle(out, static_cast<unsigned>(images[i].size()), 4);
        putLittle(out, offset, 4);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const QByteArray& image : images) out.append(image);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool ico = argc == 2 && QByteArray(argv[1]).endsWith(".ico");
    if (argc != 3 && !ico) {
        std::fprintf(stderr, "Uso: vadrel-icono LADO ICONO.png\n       vadrel-icono ICONO.ico\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    if (ico) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        const QByteArray bytes = icoFile();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "No se puede escribir %s\n", argv[1]);
            return 1;
        }
        return 0;
    }
    const int side = std::atoi(argv[1]);
    if (side < 16 || side > 1024) {
        std::fprintf(stderr, "Lado no válido: %s\n", argv[1]);
        return 2;
    }
    if (!vadrel::app::vadrelLogo(side).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "No se puede escribir %s\n", argv[2]);
        return 1;
    }
    return 0;
}
