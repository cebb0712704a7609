// vadrel: the desktop program.

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/locale_format.hpp"
#include "app/menu_window.hpp"
#include "app/qt_ui.hpp"
#include "app/skin.hpp"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    vadrel::app::identifyApplication();

    // Qt's own dialogs (files, printing, message box buttons) in Spanish too.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish, QLocale::Spain), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    vadrel::Entorno entorno;
    entorno.directorioInicio = QDir::currentPath().toStdString();
    entorno.formato = vadrel::app::numberFormatOf(QLocale::system());

    vadrel::app::Skin skin(entorno);
    skin.menu->show();
    return QApplication::exec();
}
