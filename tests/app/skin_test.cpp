#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/about_window.hpp"
#include "app/building_window.hpp"
#include "building/building_form.hpp"
#include <QListWidget>
#include <QShortcut>
#include "app/form_window.hpp"
#include "app/image_canvas.hpp"
#include "app/locale_format.hpp"
#include "app/menu_window.hpp"
#include "app/parcel_window.hpp"
#include "parcel/parcel_form.hpp"
#include "shell/menu_form.hpp"
#include "skin_fixture.hpp"
#include "support/environment.hpp"

using namespace vadrel;
using namespace vadrel::test;
using vadrel::app::ParcelWindow;
using vadrel::app::BuildingWindow;

namespace {

template <class T = QAbstractButton>
T* child(QWidget* w, const char* name)
{
    T* c = w->findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void click(QWidget* w, const char* name) { QTest::mouseClick(child(w, name), Qt::LeftButton); }

}  // namespace

TEST_F(SkinTest, StartUpCreatesTheElevenWindowsInOrderWithTheirTitles)
{
    const char* expected[][2] = {{"FMenu", "Vadrel"},
                                 {"FParcelgen", "Generador GML PARCELAS"},
                                 {"FAcercade", "Acerca de"},
                                 {"FVPrev", "Vista Previa"},
                                 {"FVPrevMulti", "Vista Previa"},
                                 {"FRef", "Introduzca Nombre / Referencia"},
                                 {"FGMLEdif", "Generador de GML de Edificio"},
                                 {"FVPrevWeb", "Vista Previa"},
                                 {"FVPrevTotal", "Vista Previa"},
                                 {"FList", "Importar orden List Autocad"},
                                 {"FVPrevWeb2", "Vista Previa de Parcela"}};
    auto forms = skin->app().formularios();
    ASSERT_EQ(forms.size(), 11u);
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(forms[i]->instancia(), expected[i][0]);
        EXPECT_EQ(skin->windowOf(*forms[i])->windowTitle().toStdString(), expected[i][1]);
    }
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(child<QLabel>(skin->menu, "Label9")->text(), "Vadrel");
    EXPECT_EQ(child(skin->menu, "BBParcela")->text(), "GML Parcela");
    EXPECT_EQ(child(skin->menu, "BBEdif")->text(), "GML Edificio");
}

TEST_F(SkinTest, ParcelWindowContentsSurviveClosingAndReopening)
{
    skin->menu->show();
    whenModal([&](QWidget* w) {
        ASSERT_EQ(w, skin->parcel);
        skin->parcel->MX->setPlainText("1\n2\n3");
        skin->parcel->ERefCatas->setText("R1");
    });
    click(skin->menu, "BBParcela");
    EXPECT_EQ(skin->app().FParcelgen->MX, (CoordList{"1", "2", "3"}));

    whenModal([&](QWidget* w) {
        ASSERT_EQ(w, skin->parcel);
        EXPECT_EQ(skin->parcel->MX->toPlainText(), "1\n2\n3") << "as typed: no line end added";
        EXPECT_EQ(skin->parcel->ERefCatas->text(), "R1");
    });
    click(skin->menu, "BBParcela");
}

TEST_F(SkinTest, BuildingButtonOpensTheBuildingWindow)
{
    bool seen = false;
    whenModal([&](QWidget* w) { seen = w && w->windowTitle() == "Generador de GML de Edificio"; });
    click(skin->menu, "BBEdif");
    EXPECT_TRUE(seen);
}

TEST_F(SkinTest, EveryParcelControlHasItsCaptionAndHint)
{
    const char* buttons[][3] = {
        {"BBgml", "Crear GML", "Crea el archivo GML"},
        {"BBCargarXML", "Cargar GML", "Rellenar los datos desde un GML ya creado"},
        {"BBComprobar", "Comprobar", "Comprueba el GML antes de entregarlo al catastro"},
        {"BBComparar", "Comparar con Catastro",
         "Compara con la cartografía catastral: solapes con las parcelas colindantes y diferencias de superficie y de "
         "perímetro"},
        {"BBDesplazamiento", "Desplazamiento",
         "Calcula el desplazamiento y el giro de la cartografía catastral con puntos comunes"},
        {"BBImprimir", "Imprimir", "Imprime la pantalla"},
        {"BBInforme", "Informe PDF", "Guarda un informe en PDF con el plano, las coordenadas y la superficie"},
        {"BBLimpiarTodo", "Limpiar", "Borra TODOS los datos"},
        {"BBDescargar", "Descargar del Catastro",
         "Carga las coordenadas, la superficie y el huso de la parcela catastral de la referencia"},
        {"BBCompararMulti", "Comparar con Catastro",
         "Compara los GMLs de la columna derecha, como una sola operación, con la cartografía catastral"},
        {"BBGuardar", "Guardar", "Guardar las coordenadas"},
        {"BBCargar", "Cargar", "Cargar las coordenadas"},
        {"BBLimpiar", "Limpiar", "Borrar las Coordenadas"},
        {"BBCalcular", "Cal. Área", "Calcular área del polígono definido por las coordenadas."},
        {"BBVista", "Vista Prev.", "Visualiza la representación gráfica del polígono definido por las coordenadas."},
        {"BBVerMapa", "Ver Mapa", "Muestra sobre el mapa de catastro la edificación seleccionada."},
        {"BBExcel", "Exportar", "Exportar las coordenadas a un formato Excel"},
        {"BBList", "List Autocad", "Introducir el contenido de la orden LIST de autocad para extraer las coordenadas"},
        {"BBAyuda", "Ayuda", "¡No me entero! ¡Ayúdame!"},
        {"BBAcercade", "® Acerca de", ""},
        {"BitBtn1", "Cargar GMLs", "Añade GMLs a la lista para poder unirlos o visualizarlos"},
        {"BitBtn2", "Agrupar GMLs", "Guarda todos los GMLs de la lista de la derecha como un solo archivo."},
        {"BBVPrevMulti", "Vista Prev.", "Visualiza la representación gráfica de los GMLs de la columna derecha."},
    };
    for (auto& b : buttons) {
        QAbstractButton* w = child(skin->parcel, b[0]);
        if (!w) continue;
        EXPECT_EQ(w->text().toStdString(), b[1]) << b[0];
        EXPECT_EQ(w->toolTip().toStdString(), b[2]) << b[0];
    }
    EXPECT_EQ(child(skin->parcel, "SBCargarDXF")->toolTip(), "Cargar Coordenadas desde un Fichero DXF");
    EXPECT_EQ(skin->parcel->RBRefCatas->text(), "Referencia Catastral");
    EXPECT_EQ(skin->parcel->RBRefOtra->text(), "Nueva/Otra Referencia");
    EXPECT_TRUE(skin->parcel->RBRefCatas->isChecked());
    EXPECT_EQ(skin->parcel->ESup->toolTip(), "Superficie con número entero, (redondear)");
    EXPECT_EQ(skin->parcel->CBHuso->toolTip(), "Huso Geográfico");
    EXPECT_EQ(skin->parcel->CBHuso->currentText(), "30");
    EXPECT_EQ(skin->parcel->CBHuso->count(), 4);
    EXPECT_EQ(skin->parcel->EArchivoDXF->toolTip(), "Ruta y nombre del Fichero DXF cargado");
    EXPECT_TRUE(skin->parcel->ERefCatas->toolTip().startsWith("Esta es la Referencia Catastral de la finca"));
    EXPECT_EQ(skin->parcel->PageControl->tabText(0), "GML");
    EXPECT_EQ(skin->parcel->PageControl->tabText(1), "Agrupar GMLs");
    // A fixed size that fits the contents.
    EXPECT_EQ(skin->parcel->minimumSize(), skin->parcel->maximumSize());
}

TEST_F(SkinTest, CalcAreaAndCreateGmlThroughTheWindow)
{
    ParcelWindow* w = skin->parcel;
    w->ERefCatas->setText("1234567AB1234N");
    w->MX->setPlainText("500000\n500030\n500000");
    w->MY->setPlainText("4100000\n4100000\n4100040\n");
    click(w, "BBCalcular");
    EXPECT_EQ(w->ESup->text(), "600");

    script.saveAnswers.push_back((dir / "p").string());
    click(w, "BBgml");
    EXPECT_TRUE(std::filesystem::exists(dir / "p.gml"));
    EXPECT_EQ(script.messages, std::vector<std::string>{"Se ha cerrado el polígono añadiendo la primera coordenada."});
    EXPECT_EQ(w->MX->toPlainText(), "500000\n500030\n500000\n500000\n");
}

TEST_F(SkinTest, FailureInAHandlerIsShownAndTheFieldsKeepWhatChanged)
{
    ParcelWindow* w = skin->parcel;
    w->ESup->setText("5");
    w->MX->setPlainText("500000,5\n500030\nabc");
    w->MY->setPlainText("4100000\n4100000\n4100040");
    script.saveAnswers.push_back((dir / "p.gml").string());
    click(w, "BBgml");
    EXPECT_EQ(script.messages, (std::vector<std::string>{
                                   "Se han sustituido las comas por puntos. (Formato de coordenada correcto)",
                                   "Se ha cerrado el polígono añadiendo la primera coordenada.",
                                   "'abc' is not a valid floating point value"}));
    EXPECT_EQ(w->MX->toPlainText(), "500000.5\n500030\nabc\n500000.5\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "p.gml"));
}

TEST_F(SkinTest, ReaderFillsTheWindowWithItsWarnings)
{
    writeFile(dir / "two.gml",
              "<c xmlns:cp='c' xmlns:gml='g'><cp:CadastralParcel><cp:areaValue>970</cp:areaValue>"
              "<gml:surfaceMember><gml:Surface srsName='x/EPSG/0/25829'><gml:posList>1 2 3 4 5 6 1 2</gml:posList>"
              "</gml:Surface></gml:surfaceMember><localId>A1</localId><namespace>ES.LOCAL.CP</namespace>"
              "</cp:CadastralParcel><cp:CadastralParcel/></c>");
    script.openAnswers.push_back((dir / "two.gml").string());
    click(skin->parcel, "BBCargarXML");
    ParcelWindow* w = skin->parcel;
    EXPECT_EQ(script.messages,
              std::vector<std::string>{"¡Atención! GML con varias geometrias definidas. Sólo se cargará la primera."});
    EXPECT_EQ(w->ERefCatas->text(), "A1");
    EXPECT_TRUE(w->RBRefOtra->isChecked());
    EXPECT_FALSE(w->RBRefCatas->isChecked());
    EXPECT_EQ(w->ESup->text(), "970");
    EXPECT_EQ(w->CBHuso->currentText(), "29");
    EXPECT_EQ(w->MX->toPlainText(), "1\n3\n5\n1\n");
    EXPECT_EQ(w->MY->toPlainText(), "2\n4\n6\n2\n");
}

TEST_F(SkinTest, LeavingTheReferenceFieldWarnsOnlyWhenFocusMovesWithinTheWindow)
{
    ParcelWindow* w = skin->parcel;
    w->ERefCatas->setText("123");
    QFocusEvent toOtherWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w->ERefCatas, &toOtherWindow);
    EXPECT_TRUE(script.messages.empty());

    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w->ERefCatas, &tab);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].substr(0, 48), "Si va a rellenar la Referencia Catastral real pa");

    w->RBRefOtra->setChecked(true);
    QApplication::sendEvent(w->ERefCatas, &tab);
    EXPECT_EQ(script.messages.size(), 1u);
}

TEST_F(SkinTest, EmblemAndAboutButtonOpenTheAboutBox)
{
    int opened = 0;
    auto check = [&](QWidget* w) {
        if (w != skin->about) return;
        ++opened;
        EXPECT_EQ(child<QLabel>(w, "Label1")->text(), "Vadrel 2.0");
        EXPECT_EQ(child<QLabel>(w, "Label2")->text(), "Creado por:");
        EXPECT_EQ(child<QLabel>(w, "Label6")->text(), "Acuerdo de Licencia de Usuario Final");
        EXPECT_EQ(child<QLabel>(w, "Label7")->text(), "Build 010626");
        EXPECT_GE(child<QPlainTextEdit>(w, "Memo1")->document()->blockCount(), 15);
    };
    whenModal(check);
    QTest::mouseDClick(skin->parcel->Image1, Qt::LeftButton);
    whenModal(check);
    click(skin->parcel, "BBAcercade");
    EXPECT_EQ(opened, 2);
}

TEST_F(SkinTest, HelpPrintAndClearing)
{
    click(skin->parcel, "BBAyuda");
    EXPECT_EQ(script.opened, std::vector<std::string>{(dir / "ayuda.pdf").string()});
    click(skin->parcel, "BBImprimir");
    EXPECT_EQ(script.printed, 1);

    ParcelWindow* w = skin->parcel;
    w->ERefCatas->setText("R");
    w->CBHuso->setCurrentText("28");
    w->MX->setPlainText("1");
    click(w, "BBLimpiar");
    EXPECT_EQ(w->MX->toPlainText(), "");
    EXPECT_EQ(w->CBHuso->currentText(), "28");
    click(w, "BBLimpiarTodo");
    EXPECT_EQ(w->ERefCatas->text(), "");
    EXPECT_EQ(w->CBHuso->currentText(), "30");

    click(w, "BBVPrevMulti");
    EXPECT_EQ(script.messages.back(),
              "Error. Debe haber al menos un archivo en la columna de la derecha para poder visualizarlo.");
}

TEST_F(SkinTest, CommaLocaleShowsTheAreaWithAComma)
{
    start(',');
    ParcelWindow* w = skin->parcel;
    w->MX->setPlainText("0\n1\n1\n0");
    w->MY->setPlainText("0\n0\n1234.567891\n1234,567891");
    click(w, "BBCalcular");
    EXPECT_EQ(w->ESup->text(), "1234,5679");
}

TEST_F(SkinTest, MissingTemplateIsReportedAndTheWindowStillOpens)
{
    std::filesystem::remove(dir / "BASE_PARCELAS.XML");
    script.messages.clear();
    start();
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_NE(script.messages[0].find("BASE_PARCELAS.XML"), std::string::npos);
    bool opened = false;
    whenModal([&](QWidget* w) { opened = w == skin->parcel; });
    click(skin->menu, "BBParcela");
    EXPECT_TRUE(opened);
}

TEST(QtUiTest, FiltersTranslateToQtForm)
{
    EXPECT_EQ(app::qtFilter("Archivos GML|*.gml"), "Archivos GML (*.gml)");
    EXPECT_EQ(app::qtFilter("Archivos GML|*.gml|Todos los archivos|*.*"),
              "Archivos GML (*.gml);;Todos los archivos (*.*)");
    EXPECT_EQ(app::qtFilter("Dibujos|*.dxf;*.DXF"), "Dibujos (*.dxf *.DXF)");
}

TEST(QtUiTest, RealBoxesShowTheTextAndTheDefaultAnswer)
{
    app::WindowRegistry registry;
    app::QtUi ui(registry);
    QString seenText, seenTitle;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        box->accept();
    });
    ui.message("Error. Debe haber al menos tres coordenadas X e Y.");
    EXPECT_EQ(seenText, "Error. Debe haber al menos tres coordenadas X e Y.");
    EXPECT_EQ(seenTitle, "Vadrel");

    for (bool defaultYes : {true, false}) {
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, Qt::Key_Return);  // the default button
        });
        EXPECT_EQ(ui.confirm("¿Desea continuar?", defaultYes), defaultYes);
    }
}

TEST(QtUiTest, ClipboardTakesTheText)
{
    app::WindowRegistry registry;
    app::QtUi ui(registry);
    ui.setClipboardText("500000 4100000;500030 4100000;");
    EXPECT_EQ(QApplication::clipboard()->text(), "500000 4100000;500030 4100000;");
}

// Labels are kept apart by the sizes the canvas gives: each must be the
// box textOut paints, its white ground and letters.
TEST(ImageCanvasTest, TextSizeIsTheBoxTextOutPaints)
{
    for (const std::string text : {"1/52", "referencias omitidas: 12"}) {
        app::ImageCanvas canvas(300);
        canvas.fillPolygon({{0, 0}, {300, 0}, {300, 300}, {0, 300}}, 0x808080, 255);  // grey, so the white shows
        canvas.textOut(40, 50, text);
        const TextSize size = canvas.textSize(text);
        QRect painted;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 300; ++x)
                if (canvas.image().pixelColor(x, y) != QColor(0x80, 0x80, 0x80)) painted |= QRect(x, y, 1, 1);
        EXPECT_TRUE(QRect(40, 50, size.width, size.height).contains(painted)) << text;
        EXPECT_GE(painted.width() * painted.height(), (size.width - 2) * (size.height - 2)) << text;
    }
}

TEST(LocaleFormatTest, SeparatorsFromTheLocale)
{
    auto es = app::numberFormatOf(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(es.decimalSeparator, ',');
    EXPECT_EQ(es.dateSeparator, '/');
    auto us = app::numberFormatOf(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.decimalSeparator, '.');
    EXPECT_EQ(us.dateSeparator, '/');
    auto de = app::numberFormatOf(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de.decimalSeparator, ',');
    EXPECT_EQ(de.dateSeparator, '.');
    auto c = app::numberFormatOf(QLocale::c());
    EXPECT_EQ(c.decimalSeparator, '.');
}

namespace {

std::vector<std::string> listItems(QListWidget* l)
{
    std::vector<std::string> out;
    for (int i = 0; i < l->count(); ++i) out.push_back(l->item(i)->text().toStdString());
    return out;
}

std::vector<std::string> storedNames(const TFGMLEdif& f)
{
    std::vector<std::string> out;
    for (const auto& e : f.Edificaciones) out.push_back(e.nombre);
    return out;
}

void leave(QWidget* w)
{
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &tab);
}

}  // namespace

TEST_F(SkinTest, BuildingEditorListStaysInStepWithTheConstructions)
{
    BuildingWindow* w = skin->building;
    whenModal([](QWidget*) {});
    click(skin->menu, "BBEdif");  // showing the window starts one construction
    const TFGMLEdif& f = *skin->app().FGMLEdif;
    EXPECT_EQ(listItems(w->LBElementos), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(w->EArchivoDXF->text(), "Nueva Edificación 1");

    w->EArchivoDXF->setText("Casa");
    w->CBIE->setCurrentText("Exterior");
    w->MX->setPlainText("1\n2\n3");
    leave(w->MX);
    EXPECT_EQ(f.Edificaciones[0].coorx, (CoordList{"1", "2", "3"}));
    leave(w->CBIE);
    EXPECT_EQ(listItems(w->LBElementos), std::vector<std::string>{"Casa"});

    click(w, "SBNuevo");
    click(w, "SBNuevo");
    EXPECT_EQ(listItems(w->LBElementos), storedNames(f));
    EXPECT_EQ(w->LBElementos->currentRow(), 2);
    EXPECT_EQ(w->EArchivoDXF->text(), "Nueva Edificación 3");
    EXPECT_EQ(w->MX->toPlainText(), "");

    // Clicking the first line stores the shown one and shows the first.
    w->MX->setPlainText("9");
    QRect r = w->LBElementos->visualItemRect(w->LBElementos->item(0));
    QTest::mouseClick(w->LBElementos->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(f.Edificaciones[2].coorx, CoordList{"9"});
    EXPECT_EQ(w->EArchivoDXF->text(), "Casa");
    EXPECT_EQ(w->MX->toPlainText(), "1\n2\n3\n");

    click(w, "SBBajar");
    EXPECT_EQ(storedNames(f), (std::vector<std::string>{"Nueva Edificación 2", "Casa", "Nueva Edificación 3"}));
    EXPECT_EQ(listItems(w->LBElementos), storedNames(f));
    EXPECT_EQ(w->LBElementos->currentRow(), 1) << "the selection follows the moved construction";
    EXPECT_EQ(w->EArchivoDXF->text(), "Casa");

    // Y typed and the arrow pressed at once: the line is stored, not lost.
    w->MY->setPlainText("4\n5\n6");
    click(w, "SBSubir");
    EXPECT_EQ(storedNames(f), (std::vector<std::string>{"Casa", "Nueva Edificación 2", "Nueva Edificación 3"}));
    EXPECT_EQ(f.Edificaciones[0].coory, (CoordList{"4", "5", "6"}));
    EXPECT_EQ(w->MY->toPlainText(), "4\n5\n6") << "as typed: no line end added";
    EXPECT_EQ(w->LBElementos->currentRow(), 0);
    click(w, "SBSubir");
    EXPECT_EQ(script.messages.back(), "Error. No puede subir más la primera edificación.");

    w->LBElementos->setCurrentRow(2);
    click(w, "SBSubir");
    EXPECT_EQ(storedNames(f), (std::vector<std::string>{"Casa", "Nueva Edificación 3", "Nueva Edificación 2"}));
    EXPECT_EQ(listItems(w->LBElementos), storedNames(f));
    EXPECT_EQ(w->LBElementos->currentRow(), 1);

    click(w, "SBBorrar");  // the scripted question takes its default, Yes
    EXPECT_EQ(storedNames(f), (std::vector<std::string>{"Casa", "Nueva Edificación 2"}));
    EXPECT_EQ(listItems(w->LBElementos), storedNames(f));
    EXPECT_EQ(w->LBElementos->currentRow(), 0);

    // Shown again: one new construction, the coordinates as they were.
    whenModal([](QWidget*) {});
    click(skin->menu, "BBEdif");
    EXPECT_EQ(listItems(w->LBElementos), std::vector<std::string>{"Nueva Edificación 1"});
}

TEST_F(SkinTest, BuildingWindowCaptionsHintsAndDateCheck)
{
    BuildingWindow* w = skin->building;
    const char* buttons[][3] = {
        {"BBgml", "Crear GML", "Crea el archivo GML"},
        {"BBCargarXML", "Cargar GML", "Rellenar los datos desde un GML ya creado"},
        {"BBComprobar", "Comprobar", "Comprueba el GML antes de entregarlo al catastro"},
        {"BBComparar", "Comparar con Catastro", nullptr},
        {"BBImprimir", "Imprimir", "Imprime la pantalla"},
        {"BBInforme", "Informe PDF", "Guarda un informe en PDF con el plano, las coordenadas y la superficie"},
        {"BBLimpiarTodo", "Limpiar", "Borra TODOS los datos"},
        {"BBVistaTotal", "Vista Previa",
         "Visualiza la representación gráfica de todos los polígonos que haya en la Lista de Edificaciones"},
        {"BBMapaTotal", "Ver en Mapa", nullptr},
        {"BBExcelTodo", "Exportar", "Exportar las coordenadas a un formato Excel"},
        {"BBAyuda", "Ayuda", nullptr},
        {"BBAcercade", "® Acerca de", nullptr},
        {"BBCargaDXF", "Abre DXF", "Cargar coordenadas desde archivo DXF"},
        {"BBGuardar", "Guardar", "Guardar las coordenadas"},
        {"BBCargar", "Cargar", "Cargar las coordenadas"},
        {"BBLimpiar", "Limpiar", "Borrar las Coordenadas"},
        {"BBList", "List Autocad", "Introducir el contenido de la orden LIST de autocad para extraer las coordenadas"},
        {"BBVista", "Vista Previa", nullptr},
        {"BBVerMapa", "Ver en Mapa", nullptr},
        {"BBExcel", "Exportar", "Exportar las coordenadas a un formato Excel"},
    };
    for (auto& b : buttons) {
        QAbstractButton* btn = child(w, b[0]);
        if (!btn) continue;
        EXPECT_EQ(btn->text().toStdString(), b[1]) << b[0];
        if (b[2]) {
            EXPECT_EQ(btn->toolTip().toStdString(), b[2]) << b[0];
        }
    }
    EXPECT_EQ(child(w, "SBSubir")->toolTip(), "Subir edificación una posición");
    EXPECT_EQ(child(w, "SBBajar")->toolTip(), "Bajar edificación una posición");
    EXPECT_EQ(w->CBEstado->currentText(), "Funcional");
    EXPECT_EQ(w->CBUso->currentText(), "Residencial");
    EXPECT_EQ(w->CBEstado->count(), 6);
    EXPECT_EQ(w->CBUso->itemText(5), "Serv. Públicos");
    EXPECT_EQ(w->CBTipo->itemText(0), "Edificación");
    EXPECT_EQ(w->CBIE->itemText(1), "Interior");
    EXPECT_FALSE(w->ESup->isVisibleTo(w));
    EXPECT_EQ(w->ESup->text(), "Superficie Oculta");

    w->EFechaConstruc->setText("3/7/2015");
    leave(w->EFechaConstruc);
    EXPECT_EQ(w->EFechaConstruc->text(), "03/07/2015");
    w->EFechaConstruc->setText("");
    leave(w->EFechaConstruc);
    EXPECT_TRUE(script.messages.empty()) << "an empty date passes";
    w->EFechaConstruc->setText("31/2/2020");
    leave(w->EFechaConstruc);
    EXPECT_EQ(script.messages.back(), "Fecha inválida. Por favor, ingrese una fecha en formato dd/mm/aaaa");
}

TEST_F(SkinTest, BuildingGmlWrittenAndReadThroughTheWindow)
{
    BuildingWindow* w = skin->building;
    whenModal([](QWidget*) {});
    click(skin->menu, "BBEdif");
    w->ERefCatas->setText("1234567AB1234N");
    w->EFechaConstruc->setText("01/02/2003");
    w->ENInmueble->setText("1");
    w->ENViv->setText("1");
    w->ENSobreRas->setText("2");
    w->ESuptot->setText("80");
    w->CBTipo->setCurrentText("Edificación");
    w->CBIE->setCurrentText("Exterior");
    w->MX->setPlainText("440000\n440010\n440010\n440000");
    w->MY->setPlainText("4470000\n4470000\n4470008\n4470008");
    leave(w->MX);
    script.saveAnswers.push_back((dir / "edificio").string());
    click(w, "BBgml");
    ASSERT_TRUE(std::filesystem::exists(dir / "edificio.gml"));

    click(w, "BBLimpiarTodo");
    EXPECT_EQ(w->ERefCatas->text(), "1234567AB1234N") << "No, the default, keeps everything";
    script.confirmAnswers.push_back(true);
    click(w, "BBLimpiarTodo");
    EXPECT_EQ(w->ERefCatas->text(), "");
    script.messages.clear();
    script.openAnswers.push_back((dir / "edificio.gml").string());
    click(w, "BBCargarXML");
    EXPECT_EQ(w->ERefCatas->text(), "1234567AB1234N");
    EXPECT_EQ(w->EFechaConstruc->text(), "01/02/2003");
    EXPECT_EQ(listItems(w->LBElementos), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(w->MX->toPlainText(), "440000\n440010\n440010\n440000\n440000\n");
    EXPECT_EQ(script.messages.front(), "He encontrado 1 recintos en el edificio.");

    auto* copy = w->findChild<QShortcut*>("Action1");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->key(), QKeySequence("Ctrl+Alt+C"));
    emit copy->activated();  // a shortcut needs an active window, which offscreen tests lack
    EXPECT_EQ(QApplication::clipboard()->text(),
              "440000 4470000;440010 4470000;440010 4470008;440000 4470008;440000 4470000;");
}

TEST_F(SkinTest, ComprobarListsTheProblemsInADialogAndChangesNoField)
{
    // The shared catalog when there is one; else a missing one, so that the
    // check never reaches for the network or the person's cache.
    const auto shared = sharedDir();
    const std::string catalog = shared.empty() ? (dir / "no-catalog.xml").string() : (shared / "schemas/catalog.xml").string();
    test::setEnv("XML_CATALOG_FILES", catalog);
    writeFile(dir / "abierto.gml",
              "<FeatureCollection xmlns='http://www.opengis.net/wfs/2.0' xmlns:gml='http://www.opengis.net/gml/3.2' "
              "xmlns:cp='http://inspire.ec.europa.eu/schemas/cp/4.0'><member><cp:CadastralParcel gml:id='ES.LOCAL.CP.A1'>"
              "<gml:Surface srsName='urn:ogc:def:crs:EPSG::25830'><gml:patches><gml:PolygonPatch><gml:exterior>"
              "<gml:LinearRing><gml:posList>0 0 10 0 10 10 0 9</gml:posList></gml:LinearRing></gml:exterior>"
              "</gml:PolygonPatch></gml:patches></gml:Surface></cp:CadastralParcel></member></FeatureCollection>");

    for (QWidget* w : std::initializer_list<QWidget*>{skin->parcel, skin->building}) {
        auto* ref = w->findChild<QLineEdit*>("ERefCatas");
        ref->setText("SIN CAMBIOS");
        script.openAnswers.push_back((dir / "abierto.gml").string());
        QString title, text;
        bool copyButton = false;
        whenModal([&](QWidget* modal) {
            ASSERT_NE(modal, nullptr);
            EXPECT_EQ(modal->objectName(), "Informe");
            title = modal->windowTitle();
            text = modal->findChild<QPlainTextEdit*>("Texto")->toPlainText();
            for (auto* b : modal->findChildren<QPushButton*>()) copyButton = copyButton || b->text() == "Copiar";
        });
        click(w, "BBComprobar");
        EXPECT_EQ(title, "Comprobación de abierto.gml");
        EXPECT_TRUE(text.contains("parcela A1, anillo exterior: error: El anillo no está cerrado")) << text.toStdString();
        EXPECT_TRUE(copyButton);
        EXPECT_EQ(ref->text(), "SIN CAMBIOS");
        EXPECT_TRUE(script.messages.empty()) << ::testing::PrintToString(script.messages);
    }

    if (!shared.empty()) {
        script.openAnswers.push_back((shared / "samples/gml/official/cp_ejemplo_explicativo.gml").string());
        click(skin->parcel, "BBComprobar");
        EXPECT_EQ(script.messages, std::vector<std::string>{"No se han encontrado problemas."});
    }
    test::unsetEnv("XML_CATALOG_FILES");
}
