// vadrel: the desktop program.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <filesystem>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/locale_format.hpp"
#include "app/menu_window.hpp"
#include "app/qt_ui.hpp"
#include "app/skin.hpp"
#include "core/platform/user_folders.hpp"
#include "core/utf8_path.hpp"
#include "shell/working_folder.hpp"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    vadrel::app::identifyApplication();

    // Qt's own dialogs (files, printing, message box buttons) in Spanish too.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish, QLocale::Spain), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    // Started from the desktop's menu the program is in the home folder:
    // it works in ~/Vadrel, filled from the installed data at first start.
    // On Windows %USERPROFILE%\Vadrel.
    const std::filesystem::path home = vadrel::platform::userHomeFolder();
    const auto trabajo = vadrel::eligeCarpetaDeTrabajo(vadrel::pathFromUtf8(QDir::currentPath().toStdString()),
                                                       home.empty() ? home : home / "Vadrel", vadrel::carpetaDeDatos());
    QDir::setCurrent(QString::fromStdString(vadrel::utf8Of(trabajo.carpeta)));

    vadrel::Entorno entorno;
    entorno.directorioInicio = trabajo.carpeta;
    entorno.formato = vadrel::app::numberFormatOf(QLocale::system());

    vadrel::app::Skin skin(entorno);
    skin.menu->show();
    if (!trabajo.aviso.empty())
        QMessageBox::warning(skin.menu, QString::fromStdString(std::string(vadrel::Aplicacion::kTitulo)),
                             QString::fromStdString(trabajo.aviso));
    return QApplication::exec();
}
