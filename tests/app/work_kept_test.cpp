// The windows with real events: typed work is not lost, answers are given,
// and the paired coordinate lists read as pairs.

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <fstream>

#include "app/building_window.hpp"
#include "app/coordinate_edit.hpp"
#include "app/list_window.hpp"
#include "app/menu_window.hpp"
#include "app/parcel_window.hpp"
#include "skin_fixture.hpp"
#include "support/environment.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

QPushButton* boton(QWidget* w, const char* name)
{
    auto* b = w->findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    return b;
}

const char* const kListUno = "  at point  X=500000.5  Y=4100000.5\n  at point  X=500010  Y=4100000\n";
const char* const kListDos = "LWPOLYLINE  Layer: \"0\"\n  at point  X=1.5  Y=2.5\n  at point  X=3  Y=4\n";

}  // namespace

TEST_F(SkinTest, ListDialogTakesAPasteOnEveryOpeningAndAnEmptyTextChangesNothing)
{
    app::ParcelWindow* w = skin->parcel;
    auto* memo = skin->list->Memo1;
    // First opening: typed, then "Aceptar" clicked, which leaves the focus on it.
    QTimer::singleShot(0, &pending_, [&] {
        memo->setPlainText(kListUno);
        QTest::mouseClick(boton(skin->list, "BBOk"), Qt::LeftButton);
    });
    QTest::mouseClick(boton(w, "BBList"), Qt::LeftButton);
    ASSERT_EQ(w->MX->toPlainText(), "500000.5\n500010\n");

    // Second opening: Ctrl+V goes where the focus is, and it is in the text box.
    QApplication::clipboard()->setText(kListDos);
    QWidget* focused = nullptr;
    QTimer::singleShot(0, &pending_, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(skin->list));
        focused = QApplication::focusWidget();
        QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
        QTest::mouseClick(boton(skin->list, "BBOk"), Qt::LeftButton);
    });
    script.confirmAnswers.push_back(true);
    QTest::mouseClick(boton(w, "BBList"), Qt::LeftButton);
    EXPECT_EQ(focused, memo);
    EXPECT_EQ(w->MX->toPlainText(), "1.5\n3\n");
    EXPECT_EQ(w->MY->toPlainText(), "2.5\n4\n");

    // Enter on an empty text: told, never asked, the points stay.
    script.questions.clear();
    QTimer::singleShot(0, &pending_, [&] {
        QTest::mouseClick(boton(skin->list, "BBOk"), Qt::LeftButton);
    });
    QTest::mouseClick(boton(w, "BBList"), Qt::LeftButton);
    EXPECT_EQ(script.messages.back(), "Error. El texto pegado no contiene ninguna coordenada (líneas con X= e Y=).");
    EXPECT_TRUE(script.questions.empty());
    EXPECT_EQ(w->MX->toPlainText(), "1.5\n3\n");
}

TEST_F(SkinTest, ClosingTheBuildingWindowWithConstructionsAsksFirst)
{
    app::BuildingWindow* w = skin->building;
    bool stillOpen = false;
    whenModal([&](QWidget*) {
        w->MX->setPlainText("1\n2\n3");  // typed, not yet stored
        w->close();                       // the window's close box
        stillOpen = w->isVisible();
        script.confirmAnswers.push_back(true);
        w->close();
    });
    QTest::mouseClick(boton(skin->menu, "BBEdif"), Qt::LeftButton);
    EXPECT_TRUE(stillOpen) << "No is the default";
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(script.questions, (std::vector<std::string>(2, "Se perderán las edificaciones de la lista. ¿Desea cerrar la ventana?")));

    // With nothing to lose it closes without a word (showing the window
    // again keeps the editor's coordinates, so they are emptied first).
    script.questions.clear();
    whenModal([&](QWidget*) {
        w->MX->clear();
        w->close();
    });
    QTest::mouseClick(boton(skin->menu, "BBEdif"), Qt::LeftButton);
    EXPECT_TRUE(script.questions.empty());
}

TEST_F(SkinTest, CoordinateListsScrollTogetherAndNumberTheirLines)
{
    QString many;
    for (int i = 1; i <= 1000; ++i) many += QString::number(i) + "\n";
    for (QWidget* window : std::initializer_list<QWidget*>{skin->parcel, skin->building}) {
        auto* x = window->findChild<app::CoordinateEdit*>("MX");
        auto* y = window->findChild<app::CoordinateEdit*>("MY");
        ASSERT_TRUE(x && y) << "both lists number their lines";
        x->setPlainText("1\n2\n3");
        y->setPlainText("1\n2\n3");
        const int narrow = x->numbersWidth();
        EXPECT_GT(narrow, 0);
        x->setPlainText(many);
        y->setPlainText(many);
        EXPECT_GT(x->numbersWidth(), narrow) << "four digits need a wider margin";
        window->show();
        x->verticalScrollBar()->setValue(18);
        EXPECT_EQ(y->verticalScrollBar()->value(), 18) << "line 19 of X beside line 19 of Y";
        y->verticalScrollBar()->setValue(500);
        EXPECT_EQ(x->verticalScrollBar()->value(), 500);
        window->hide();
    }
}

TEST_F(SkinTest, GroupingListsShowNamesAndKeepTheFullPathsAsHints)
{
    app::ParcelWindow* w = skin->parcel;
    std::filesystem::create_directories(dir / "uno");
    std::filesystem::create_directories(dir / "dos");
    for (auto f : {dir / "uno" / "a.gml", dir / "dos" / "b.gml"}) writeFile(f, "x");
    script.openManyAnswers.push_back({(dir / "uno" / "a.gml").string()});
    script.openManyAnswers.push_back({(dir / "dos" / "b.gml").string(), (dir / "uno" / "a.gml").string()});
    QTest::mouseClick(boton(w, "BitBtn1"), Qt::LeftButton);
    QTest::mouseClick(boton(w, "BitBtn1"), Qt::LeftButton);
    ASSERT_EQ(w->LBOrigen->count(), 2) << "a.gml chosen twice appears once";
    EXPECT_EQ(w->LBOrigen->item(0)->text(), "a.gml");
    EXPECT_EQ(w->LBOrigen->item(1)->toolTip().toStdString(), (dir / "dos" / "b.gml").string());
    w->LBOrigen->item(1)->setSelected(true);
    QTest::mouseClick(w->findChild<QWidget*>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(skin->app().FParcelgen->LBDestino, std::vector<std::string>{(dir / "dos" / "b.gml").string()});
    EXPECT_EQ(w->LBDestino->item(0)->text(), "b.gml");
}

TEST_F(SkinTest, ADocumentTheDesktopCannotOpenIsReported)
{
#ifdef _WIN32
    GTEST_SKIP() << "xdg-open is the Linux desktop's opener; Windows opens documents through the shell";
#endif
    // The desktop's opener as it answers with nothing to open a PDF.
    const auto bin = dir / "bin";
    std::filesystem::create_directories(bin);
    writeFile(bin / "xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    test::setEnv("PATH", (bin.string() + ":" + path));
    app::WindowRegistry registry;
    app::QtUi ui(registry);
    EXPECT_FALSE(ui.openWithDesktop((dir / "ayuda.pdf").string()));
    writeFile(bin / "xdg-open", "#!/bin/sh\nexit 0\n");
    EXPECT_TRUE(ui.openWithDesktop((dir / "ayuda.pdf").string()));
    test::setEnv("PATH", path);
}

// A parcel loaded with "Cargar GML" and shown in the lists is no typing to
// protect: the top "Limpiar" empties it at once. A line typed after it is,
// and No (the default) keeps it.
TEST_F(SkinTest, TheParcelWindowAsksBeforeDroppingTypedCoordinates)
{
    app::ParcelWindow* w = skin->parcel;
    w->ERefCatas->setText("1234567AB1234N");
    w->ESup->setText("100");
    w->MX->setPlainText("500000\n500010\n500010\n500000");
    w->MY->setPlainText("4100000\n4100000\n4100010\n4100010");
    script.saveAnswers.push_back((dir / "p.gml").string());
    QTest::mouseClick(boton(w, "BBgml"), Qt::LeftButton);
    ASSERT_TRUE(std::filesystem::exists(dir / "p.gml"));
    script.openAnswers.push_back((dir / "p.gml").string());
    QTest::mouseClick(boton(w, "BBCargarXML"), Qt::LeftButton);
    ASSERT_FALSE(w->MX->toPlainText().isEmpty());
    const std::vector<std::string> before = script.questions;
    QTest::mouseClick(boton(w, "BBLimpiarTodo"), Qt::LeftButton);
    EXPECT_EQ(script.questions, before);
    EXPECT_TRUE(w->MX->toPlainText().isEmpty());

    w->MX->setPlainText("500000");
    QTest::mouseClick(boton(w, "BBLimpiarTodo"), Qt::LeftButton);
    ASSERT_EQ(script.questions.size(), before.size() + 1);
    EXPECT_EQ(script.questions.back(), "¿Desea borrar las coordenadas que hay en las listas?");
    EXPECT_EQ(w->MX->toPlainText(), "500000");
}

// "Datos del informe" starts from what the last report kept, and keeps
// what is accepted, in the person's settings, not the working folder.
TEST_F(SkinTest, TheReportDetailsAreKeptForTheNextReport)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the settings folder is %APPDATA%, named by the system, not by XDG_CONFIG_HOME";
#endif
    const std::filesystem::path config = dir / "config";
    test::setEnv("XDG_CONFIG_HOME", config.string());
    std::filesystem::create_directories(config / "vadrel");
    std::ofstream(config / "vadrel/informe.conf") << "autor=Ana Pérez\ncolegiado=Arquitecta técnica nº 12\n";
    app::ParcelWindow* w = skin->parcel;
    w->ERefCatas->setText("1234567AB1234N");
    w->ESup->setText("100");
    w->MX->setPlainText("500000\n500010\n500010\n500000");
    w->MY->setPlainText("4100000\n4100000\n4100010\n4100010");
    QString shown;
    QTimer::singleShot(0, &pending_, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "DatosInforme");
        EXPECT_EQ(dialog->windowTitle(), "Datos del informe");
        shown = dialog->findChild<QLineEdit*>("Autor")->text();
        dialog->findChild<QLineEdit*>("Cliente")->setText("Juan Gómez");
        dialog->findChild<QLineEdit*>("Situacion")->setText("Calle Mayor 1, Segovia");
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    script.saveAnswers.push_back((dir / "informe.pdf").string());
    QTest::mouseClick(boton(w, "BBInforme"), Qt::LeftButton);
    test::unsetEnv("XDG_CONFIG_HOME");
    EXPECT_EQ(shown, "Ana Pérez");
    EXPECT_TRUE(std::filesystem::exists(dir / "informe.pdf"));
    std::ifstream in(config / "vadrel/informe.conf");
    const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(kept, "autor=Ana Pérez\ncolegiado=Arquitecta técnica nº 12\ncliente=Juan Gómez\n"
                    "situacion=Calle Mayor 1, Segovia\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "informe.conf"));
}
