// What a desktop user expects of the windows: Escape, Tab, Enter, the
// keyboard in lists, titles, and buttons that answer.

#include <functional>

#include <QFileDialog>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "app/building_window.hpp"
#include "app/list_window.hpp"
#include "app/locale_format.hpp"
#include "app/menu_window.hpp"
#include "app/parcel_window.hpp"
#include "app/preview_window.hpp"
#include "app/progress_box.hpp"
#include "app/widgets.hpp"
#include "app/ref_window.hpp"
#include "building/building_form.hpp"
#include "webmap/webmap_forms.hpp"
#include "skin_fixture.hpp"

using namespace vadrel;
using namespace vadrel::test;
using vadrel::app::BuildingWindow;
using vadrel::app::ParcelWindow;

namespace {

QWidget* named(QWidget* w, const char* name)
{
    auto* c = w->findChild<QWidget*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

// Shown and active, as a window the person works in.
void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// The name of the control that holds the focus (an editable choice's inner
// field counts as the choice).
std::string focused()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty()) return w->objectName().toStdString();
    return "(ninguno)";
}

std::vector<std::string> tabThrough(QWidget* first, std::size_t count, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    first->setFocus(Qt::TabFocusReason);
    std::vector<std::string> seen{focused()};
    for (std::size_t i = 1; i < count; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, mods);
        seen.push_back(focused());
    }
    return seen;
}

}  // namespace

TEST_F(SkinTest, EscapeLeavesTheWorkingWindowsOpenAndClosesTheDialogs)
{
    activate(skin->menu);
    QTest::keyClick(skin->menu, Qt::Key_Escape);
    EXPECT_TRUE(skin->menu->isVisible()) << "Escape on the start menu would end the program";

    auto window = [&](std::string_view instancia) {
        for (Form* f : skin->app().formularios())
            if (f->instancia() == instancia) return skin->windowOf(*f);
        ADD_FAILURE() << instancia;
        return static_cast<app::FormWindow*>(nullptr);
    };
    for (const char* working : {"FParcelgen", "FGMLEdif"}) {
        bool stayed = false;
        whenModal([&](QWidget* w) {
            auto* mx = w->findChild<QPlainTextEdit*>("MX");
            mx->setFocus();
            QTest::keyClick(mx, Qt::Key_Escape);
            stayed = w->isVisible();
        });
        window(working)->showModal();
        EXPECT_TRUE(stayed) << working;
    }

    for (const char* dialog : {"FRef", "FAcercade", "FVPrev"}) {
        bool closed = false;
        whenModal([&](QWidget* w) {
            QTest::keyClick(w, Qt::Key_Escape);
            closed = !w->isVisible();
        });
        window(dialog)->showModal();
        EXPECT_TRUE(closed) << dialog;
    }
}

TEST_F(SkinTest, TabLeavesTheCoordinateListsAndFollowsTheParcelLayout)
{
    ParcelWindow* w = skin->parcel;
    activate(w);
    const std::vector<std::string> expected{
        "qt_tabwidget_tabbar", "RBRefCatas", "ERefCatas", "BBDescargar", "ESup", "ESupRegistral", "CBHuso", "BBgml", "BBCargarXML",
        "BBComprobar",         "BBComparar", "BBDesplazamiento", "BBImprimir", "BBInforme", "BBLimpiarTodo", "EArchivoDXF", "SBCargarDXF", "MX",       "MY",       "BBGuardar",
        "BBCargar",            "BBLimpiar",  "BBCalcular", "BBVista",    "BBVerMapa",  "BBExcel",  "BBList",
        "BBCambiarHuso",       "BBAyuda",    "BBAcercade", "qt_tabwidget_tabbar"};
    EXPECT_EQ(tabThrough(w->PageControl->tabBar(), expected.size()), expected);

    std::vector<std::string> backwards(expected.rbegin(), expected.rend());
    EXPECT_EQ(tabThrough(w->PageControl->tabBar(), backwards.size(), Qt::ShiftModifier), backwards);

    // The other page, reached from the tabs with the keyboard.
    w->PageControl->tabBar()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->PageControl->tabBar(), Qt::Key_Right);
    EXPECT_EQ(tabThrough(w->PageControl->tabBar(), 10),
              (std::vector<std::string>{"qt_tabwidget_tabbar", "BitBtn1", "BitBtn2", "BBCompararMulti", "BBVPrevMulti", "LBOrigen",
                                        "SpeedButton1", "SpeedButton2", "SpeedButton3", "LBDestino"}));

    // Tab typed inside a list moves on and leaves no tab character.
    w->PageControl->setCurrentIndex(0);
    w->MX->setPlainText("500000");
    w->MX->setFocus(Qt::TabFocusReason);
    w->MX->moveCursor(QTextCursor::End);
    QTest::keyClick(w->MX, Qt::Key_Tab);
    EXPECT_EQ(focused(), "MY");
    QTest::keyClick(w->MY, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "MX");
    EXPECT_EQ(w->MX->toPlainText(), "500000");
    w->hide();
}

TEST_F(SkinTest, TabLeavesTheCoordinateListsAndFollowsTheBuildingLayout)
{
    BuildingWindow* w = skin->building;
    activate(w);
    const std::vector<std::string> expected{
        "ERefCatas",   "RBRefCatas", "CBHuso",     "CBEstado",    "CBUso",       "EFechaConstruc", "ENInmueble",
        "ENViv",       "ENSobreRas", "ESuptot",    "BBgml",       "BBCargarXML", "BBComprobar", "BBComparar", "BBImprimir", "BBInforme",
        "BBLimpiarTodo", "BBVistaTotal", "BBMapaTotal", "BBExcelTodo", "BBCambiarHuso", "BBAyuda", "BBAcercade",  "EArchivoDXF",    "CBTipo",
        "CBIE",        "MX",         "MY",         "BBCargaDXF",  "BBGuardar",   "BBCargar",       "BBLimpiar",
        "BBList",      "BBVista",    "BBVerMapa",  "BBExcel",     "SBNuevo",     "SBBorrar",       "SBSubir",
        "SBBajar",     "LBElementos", "ERefCatas"};
    EXPECT_EQ(tabThrough(w->ERefCatas, expected.size()), expected);
    std::vector<std::string> backwards(expected.rbegin(), expected.rend());
    EXPECT_EQ(tabThrough(w->ERefCatas, backwards.size(), Qt::ShiftModifier), backwards);
    w->hide();
}

TEST_F(SkinTest, EnterPressesTheFocusedButtonAndDoesNothingInAField)
{
    ParcelWindow* w = skin->parcel;
    w->RBRefOtra->setChecked(true);  // leaving the empty reference then warns of nothing
    activate(w);
    w->MX->setPlainText("0\n10\n10\n0");
    w->MY->setPlainText("0\n0\n10\n10");

    w->ESup->setFocus();
    QTest::keyClick(w->ESup, Qt::Key_Return);
    EXPECT_EQ(w->ESup->text(), "");
    w->CBHuso->setFocus();
    w->CBHuso->setCurrentText("27");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w->CBHuso->count(), 4) << "a typed zone is not added to the choices";
    EXPECT_TRUE(script.messages.empty());

    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        w->ESup->clear();
        QWidget* calcular = named(w, "BBCalcular");
        calcular->setFocus();
        QTest::keyClick(calcular, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(w->ESup->text(), "100");
    }
    w->hide();

    BuildingWindow* b = skin->building;
    activate(b);
    QWidget* nuevo = named(b, "SBNuevo");
    nuevo->setFocus();
    QTest::keyClick(nuevo, Qt::Key_Return);
    EXPECT_EQ(skin->app().FGMLEdif->Edificaciones.size(), 2u) << "a small button too";
    b->hide();

    activate(skin->menu);
    bool opened = false;
    whenModal([&](QWidget* m) { opened = m == skin->parcel; });
    QWidget* parcela = named(skin->menu, "BBParcela");
    parcela->setFocus();
    QTest::keyClick(parcela, Qt::Key_Return);
    EXPECT_TRUE(opened);
}

TEST_F(SkinTest, ArrowsHomeAndEndInTheListChooseAConstructionAsAClickDoes)
{
    BuildingWindow* w = skin->building;
    whenModal([](QWidget*) {});
    skin->menu->findChild<QPushButton*>("BBEdif")->click();
    activate(w);
    const TFGMLEdif& f = *skin->app().FGMLEdif;
    QTest::mouseClick(named(w, "SBNuevo"), Qt::LeftButton);
    QTest::mouseClick(named(w, "SBNuevo"), Qt::LeftButton);
    w->MX->setPlainText("3");  // typed on the third, not stored yet
    w->LBElementos->setFocus();

    const struct {
        Qt::Key key;
        const char* shown;
    } moves[] = {{Qt::Key_Up, "Nueva Edificación 2"},
                 {Qt::Key_Home, "Nueva Edificación 1"},
                 {Qt::Key_Down, "Nueva Edificación 2"},
                 {Qt::Key_End, "Nueva Edificación 3"}};
    for (const auto& m : moves) {
        QTest::keyClick(w->LBElementos, m.key);
        EXPECT_EQ(w->EArchivoDXF->text().toStdString(), m.shown);
        EXPECT_EQ(w->LBElementos->currentItem()->text().toStdString(), m.shown);
        EXPECT_EQ(f.Edificaciones[static_cast<std::size_t>(f.elemActual)].nombre, m.shown);
    }
    EXPECT_EQ(f.Edificaciones[2].coorx, CoordList{"3"});
    EXPECT_EQ(w->MX->toPlainText(), "3\n");
    EXPECT_TRUE(script.messages.empty());
    w->hide();
}

TEST_F(SkinTest, MapButtonsOpenTheirDialogWithTheRightPage)
{
    // Every button of both windows now runs its own handler: the map ones
    // open their dialog, and No writes nothing.
    const struct {
        QWidget* window;
        const char* button;
        const char* dialog;
        int opcion;
    } cases[] = {{skin->parcel, "BBVerMapa", "FVPrevWeb2", 0},
                 {skin->building, "BBVerMapa", "FVPrevWeb", 0},
                 {skin->building, "BBMapaTotal", "FVPrevWeb", 1}};
    for (const auto& c : cases) {
        std::string opened;
        whenModal([&](QWidget* dialog) {
            opened = dialog->objectName().toStdString();
            EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->text(), "Se va a abrir en el navegador por defecto");
            EXPECT_EQ(dialog->findChild<QLabel*>("Label1")->font().pixelSize(), 16);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BBNo"), Qt::LeftButton);
        });
        QTest::mouseClick(named(c.window, c.button), Qt::LeftButton);
        EXPECT_EQ(opened, c.dialog) << c.button;
        for (Form* f : skin->app().formularios()) {
            if (f->instancia() == c.dialog) {
                EXPECT_EQ(static_cast<TFVistaWeb*>(f)->opcion, c.opcion) << c.button;
            }
        }
    }
    EXPECT_TRUE(script.opened.empty());
    EXPECT_TRUE(script.messages.empty());
}

TEST_F(SkinTest, HiddenAreaFieldBelongsToTheBuildingWindow)
{
    BuildingWindow* w = skin->building;
    EXPECT_FALSE(w->ESup->isWindow());
    EXPECT_EQ(w->ESup->window(), w);
    EXPECT_FALSE(w->ESup->isVisibleTo(w));
}

TEST_F(SkinTest, WindowTitlesAreExactlyTheirCaptions)
{
    // The toolkit appends an application display name to every title; the
    // program sets none, and is "Vadrel" to the desktop.
    EXPECT_EQ(QApplication::applicationName(), "Vadrel");
    EXPECT_EQ(QApplication::applicationDisplayName(), "Vadrel");
    for (Form* f : skin->app().formularios()) {
        QWidget* w = skin->windowOf(*f);
        EXPECT_EQ(w->windowTitle().toStdString(), f->Caption());
        EXPECT_TRUE(w->windowHandle() == nullptr || w->windowHandle()->title() == w->windowTitle());
    }
}

namespace {

// The building window under a desktop's date conventions: the date typed as
// day/month/year goes into the file and comes back as it was typed.
struct DesktopDates {
    QLocale locale;
    const char* typed;
    const char* shown;
};

}  // namespace

TEST_F(SkinTest, DatesAreDayMonthYearOnEveryDesktop)
{
    const DesktopDates desktops[] = {
        {QLocale(QLocale::Spanish, QLocale::Spain), "3/7/2015", "03/07/2015"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "3/7/2015", "03/07/2015"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "3/7/2015", "03/07/2015"},
        {QLocale(QLocale::Swedish, QLocale::Sweden), "3-7-2015", "03/07/2015"},
        {QLocale(QLocale::German, QLocale::Germany), "3.7.2015", "03/07/2015"},
    };
    for (const auto& d : desktops) {
        const std::string where = d.locale.name().toStdString();
        NumberFormat fmt = app::numberFormatOf(d.locale);
        skin.reset();
        skin = std::make_unique<app::Skin>(Entorno{dir.path(), fmt, {}}, [this](app::WindowRegistry& w) {
            return std::make_unique<ScriptedQtUi>(w, script);
        });
        BuildingWindow* w = skin->building;
        whenModal([](QWidget*) {});
        skin->menu->findChild<QPushButton*>("BBEdif")->click();
        script.messages.clear();

        w->EFechaConstruc->setText(d.typed);
        QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w->EFechaConstruc, &tab);
        EXPECT_EQ(w->EFechaConstruc->text().toStdString(), d.shown) << where;

        w->ERefCatas->setText("1234567AB1234N");
        w->ENInmueble->setText("1");
        w->ENViv->setText("1");
        w->ENSobreRas->setText("1");
        w->ESuptot->setText("80");
        w->CBIE->setCurrentText("Exterior");
        w->MX->setPlainText("440000\n440010\n440010\n440000\n440000");
        w->MY->setPlainText("4470000\n4470000\n4470008\n4470008\n4470000");
        QApplication::sendEvent(w->MX, &tab);
        const auto file = dir / ("edificio_" + where + ".gml");
        script.saveAnswers.push_back(file.string());
        QTest::mouseClick(named(w, "BBgml"), Qt::LeftButton);
        ASSERT_TRUE(std::filesystem::exists(file)) << where << ": " << ::testing::PrintToString(script.messages);
        EXPECT_NE(readFile(file).find("<bu-core2d:beginning>2015-07-03T00:00:00</bu-core2d:beginning>"),
                  std::string::npos)
            << where;

        QTest::mouseClick(named(w, "BBLimpiarTodo"), Qt::LeftButton);
        script.openAnswers.push_back(file.string());
        QTest::mouseClick(named(w, "BBCargarXML"), Qt::LeftButton);
        EXPECT_EQ(w->EFechaConstruc->text().toStdString(), "03/07/2015") << where;
        // Left again, the field reads the same date.
        QApplication::sendEvent(w->EFechaConstruc, &tab);
        EXPECT_EQ(w->EFechaConstruc->text().toStdString(), d.shown) << where;
    }
}

TEST(QtUiSaveDialog, ReplacesAnExistingFileWithoutAsking)
{
    TempDir dir;
    writeFile(dir / "p.gml", "old");
    app::WindowRegistry registry;
    app::QtUi ui(registry);
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(QString::fromStdString((dir / "p.gml").string()));
        // A question about replacing would be answered here, and noticed.
        QTimer::singleShot(300, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->reject();
            }
        });
        QMetaObject::invokeMethod(dialog, "accept");
    });
    auto chosen = ui.saveFileName({"Archivos GML|*.gml", "gml"});
    EXPECT_FALSE(asked);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (dir / "p.gml").string());
}

TEST_F(SkinTest, ListDialogOpensEmptyEveryTimeAndFillsTheLists)
{
    ParcelWindow* w = skin->parcel;
    auto* memo = skin->list->Memo1;
    EXPECT_EQ(skin->list->windowTitle(), "Importar orden List Autocad");
    EXPECT_EQ(skin->list->findChild<QLabel*>("Label1")->text(),
              "Pegue aquí el texto resultante de ejecutar la orden LIST en AUTOCAD:");
    const QFontMetrics metrics(memo->font());  // columns line up: every character as wide as the next
    EXPECT_EQ(metrics.horizontalAdvance(QChar('i')), metrics.horizontalAdvance(QChar('W')));

    for (const char* pasted : {"  at point  X=500000.5  Y=4100000.5\n  at point  X=500010  Y=4100000", "X=1 Y=2"}) {
        bool empty = false;
        QTimer::singleShot(0, &pending_, [&, pasted] {
            auto* dialog = QApplication::activeModalWidget();
            ASSERT_EQ(dialog, skin->list);
            empty = memo->toPlainText().isEmpty();
            memo->setPlainText(pasted);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BBOk"), Qt::LeftButton);
        });
        QTest::mouseClick(named(w, "BBList"), Qt::LeftButton);
        EXPECT_TRUE(empty) << "opened with the previous text";
    }
    // The second paste asked before replacing, and No is the default answer.
    EXPECT_EQ(w->MX->toPlainText(), "500000.5\n500010\n");
    EXPECT_EQ(w->MY->toPlainText(), "4100000.5\n4100000\n");

    whenModal([&](QWidget* dialog) {
        memo->setPlainText("X=9 Y=9");
        QTest::mouseClick(dialog->findChild<QPushButton*>("BBCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(named(w, "BBList"), Qt::LeftButton);
    EXPECT_EQ(w->MX->toPlainText(), "500000.5\n500010\n");
}

TEST_F(SkinTest, GroupingPageListsFollowTheSelection)
{
    ParcelWindow* w = skin->parcel;
    for (const char* f : {"b.gml", "a.gml"}) writeFile(dir / f, "x");
    script.openManyAnswers.push_back({(dir / "b.gml").string(), (dir / "a.gml").string()});
    QTest::mouseClick(named(w, "BitBtn1"), Qt::LeftButton);
    ASSERT_EQ(w->LBOrigen->count(), 2);
    EXPECT_EQ(w->LBOrigen->item(0)->text(), "a.gml");
    w->LBOrigen->item(1)->setSelected(true);
    QTest::mouseClick(named(w, "SpeedButton1"), Qt::LeftButton);
    ASSERT_EQ(w->LBDestino->count(), 1);
    EXPECT_EQ(w->LBDestino->item(0)->text(), "b.gml");
    EXPECT_EQ(w->LBOrigen->count(), 1);
    QTest::mouseClick(named(w, "BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(script.messages.back(),
              "Error. Debe haber más de un archivo GML en la columna de la derecha para poder agruparlos.");
    QTest::mouseClick(named(w, "SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(w->LBOrigen->count() + w->LBDestino->count(), 0);
}

TEST_F(SkinTest, PreviewWindowShowsThePictureAndCopiesIt)
{
    ParcelWindow* w = skin->parcel;
    w->MX->setPlainText("100\n110\n110\n100\n100");
    w->MY->setPlainText("200\n200\n210\n210\n200");
    bool shown = false;
    whenModal([&](QWidget* preview) {
        shown = preview == skin->preview;
        auto* picture = preview->findChild<QLabel*>("IDibujo");
        ASSERT_NE(picture, nullptr);
        const QImage image = picture->pixmap().toImage();
        EXPECT_EQ(image.size(), QSize(390, 390));
        EXPECT_EQ(image.pixelColor(20, 195), QColor(Qt::black)) << "the square's left side";
        EXPECT_EQ(image.pixelColor(195, 195), QColor(Qt::white));
        auto* puntos = preview->findChild<QCheckBox*>("CBPuntos");
        EXPECT_FALSE(puntos->isChecked());
        QTest::mouseClick(puntos, Qt::LeftButton);
        EXPECT_NE(picture->pixmap().toImage(), image) << "the numbers are drawn";
        QTest::mouseClick(preview->findChild<QPushButton*>("BBCopiar"), Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(390, 390));
    });
    QTest::mouseClick(named(w, "BBVista"), Qt::LeftButton);
    EXPECT_TRUE(shown);
    EXPECT_EQ(skin->app().FVPrev->FormuOrigen, "parcela");

    script.messages.clear();
    QTest::mouseClick(named(skin->building, "BBVistaTotal"), Qt::LeftButton);
    EXPECT_EQ(script.messages, std::vector<std::string>{"Error. Debe haber al menos una edificación cargada para poder "
                                                        "mostrarlas."});
}

TEST_F(SkinTest, TheFirstClickInAFreshParcelWindowBringsNoWarning)
{
    // The empty reference warns when left; the window must not start in it.
    whenModal([&](QWidget* w) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QTest::mouseClick(named(w, "BBLimpiar"), Qt::LeftButton);
    });
    QTest::mouseClick(named(skin->menu, "BBParcela"), Qt::LeftButton);
    EXPECT_TRUE(script.messages.empty()) << ::testing::PrintToString(script.messages);
}

// "Cancelar", Escape and the box's close button ask the download to stop;
// the box stays up, saying so, until the request under way has ended, so
// that the window behind takes no click meanwhile.
TEST(ProgressBoxTest, ACancelKeepsTheBoxUpUntilTheDownloadStops)
{
    const std::function<void(QProgressDialog&)> cancels[] = {
        [](QProgressDialog& d) { d.findChild<QPushButton*>()->click(); },
        [](QProgressDialog& d) { d.reject(); },  // what Escape does
        [](QProgressDialog& d) { d.close(); },
    };
    for (const auto& cancel : cancels) {
        SCOPED_TRACE(&cancel - cancels);
        QWidget window;
        window.show();
        {
            vadrel::app::ProgressBox box(&window);
            box.step("Descargando la cartografía catastral: petición 1 de 3");
            auto* dialog = window.findChild<QProgressDialog*>();
            ASSERT_NE(dialog, nullptr);
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->labelText().toStdString(), "Descargando la cartografía catastral: petición 1 de 3");
            EXPECT_FALSE(box.cancelled());
            cancel(*dialog);
            EXPECT_TRUE(box.cancelled());
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_EQ(dialog->labelText().toStdString(), "Cancelando: se espera a que termine la petición en curso…");
            box.step("Descargando la cartografía catastral: petición 2 de 3");
            EXPECT_EQ(dialog->labelText().toStdString(), "Cancelando: se espera a que termine la petición en curso…");
        }
        EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    }
}

// Lines given back unchanged leave the person's text as typed: no line end
// added after the last line, the cursor where it was.
TEST(CoordinateListTest, UnchangedLinesLeaveTheTypedTextAlone)
{
    QPlainTextEdit edit;
    edit.setPlainText("271864.48\n271857.19");
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(3);
    edit.setTextCursor(cursor);
    vadrel::app::setLines(&edit, {"271864.48", "271857.19"});
    EXPECT_EQ(edit.toPlainText().toStdString(), "271864.48\n271857.19");
    EXPECT_EQ(edit.textCursor().position(), 3);
    vadrel::app::setLines(&edit, {"271864.48"});
    EXPECT_EQ(edit.toPlainText().toStdString(), "271864.48\n");
}
