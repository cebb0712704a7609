#include "app/offscreen_app.hpp"

namespace vadrel::app {

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

}  // namespace vadrel::app
