// vadrel: the desktop program.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>

#include "app/locale_format.hpp"
#include "app/logo.hpp"
#include "app/menu_window.hpp"
#include "app/qt_ui.hpp"
#include "app/skin.hpp"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("vadrel");
    QApplication::setApplicationDisplayName(vadrel::app::qs(vadrel::Aplicacion::kTitulo));
    QApplication::setWindowIcon(QIcon(vadrel::app::vadrelLogo(64)));

    vadrel::Entorno entorno;
    entorno.directorioInicio = QDir::currentPath().toStdString();
    entorno.formato = vadrel::app::numberFormatOf(QLocale::system());

    vadrel::app::Skin skin(entorno);
    skin.menu->show();
    return QApplication::exec();
}
