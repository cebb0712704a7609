// vadrel-icono: draws the program's emblem into the PNG files the desktop
// shows for it. Runs at build time, without a display.

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/logo.hpp"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Uso: vadrel-icono LADO ICONO.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
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
