// The building window's DXF, LIST and spreadsheet buttons.

#include <gtest/gtest.h>

#include "building_fixture.hpp"
#include "io/dxf_scan.hpp"
#include "io/list_form.hpp"
#include "shell/aplicacion.hpp"

using namespace vadrel;
using test::readFile;
using test::writeFile;

using BuildingIoTest = test::BuildingFormTest;

namespace {

std::string polilinea(double x0)
{
    std::string p = "  0\nLWPOLYLINE\n  8\n0\n";
    for (double dx : {0.0, 10.0, 10.0})
        p += " 10\n" + std::to_string(x0 + dx).substr(0, 8) + "\n 20\n" + (dx == 0 ? "4100000.5" : "4100010.5") + "\n";
    return p;
}


}  // namespace

TEST_P(BuildingIoTest, EachFurtherPolylineStartsAConstruction)
{
    writeFile(dir / "dos.dxf", polilinea(500000) + polilinea(600000) + "  0\nENDSEC\n");
    ui.openAnswers.push_back((dir / "dos.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.openDialogs.at(0).filter, "Archivos DXF|*.dxf");
    EXPECT_EQ(nombres(), (std::vector<std::string>{"Nueva Edificación 1", "Nueva Edificación 2"}));
    EXPECT_EQ(form->LBElementos, nombres());
    EXPECT_EQ(form->Edificaciones[0].coorx, (CoordList{"500000.0", "500010.0", "500010.0"}));
    // The last polyline stays in the editor until the next store.
    EXPECT_EQ(form->elemActual, 1);
    EXPECT_EQ(form->MX, (CoordList{"600000.0", "600010.0", "600010.0"}));
    EXPECT_TRUE(form->Edificaciones[1].coorx.empty());
    form->GuardaElem();
    EXPECT_EQ(form->Edificaciones[1].coorx, form->MX);
}

TEST_P(BuildingIoTest, AConstructionWithARingGetsANewOneEvenWhenTheDialogIsCancelled)
{
    anade(kEdificacion, kExterior, xs(0), ys(), true);
    ui.openAnswers.push_back(std::nullopt);
    form->BBCargaDXFClick();
    EXPECT_EQ(nombres(), (std::vector<std::string>{"Nueva Edificación 1", "Nueva Edificación 2"}));
    EXPECT_TRUE(form->MX.empty());

    // One line is no ring yet: the points go after it.
    form->MX = {"1"};
    form->MY = {"2"};
    writeFile(dir / "una.dxf", polilinea(500000));
    ui.openAnswers.push_back((dir / "una.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_EQ(form->Edificaciones.size(), 2u);
    EXPECT_EQ(form->MX, (CoordList{"1", "500000.0", "500010.0", "500010.0"}));
}

TEST_P(BuildingIoTest, ADrawingThatIsNoUtmOfSpainChangesNoConstruction)
{
    // A shown ring would normally get a construction of its own, and the
    // second polyline another; its third vertex is in local units.
    const CoordList x{"440000", "440010", "440010"}, y{"4470000", "4470000", "4470010"};
    anade(kEdificacion, kExterior, x, y, true);
    std::string dibujo = polilinea(500000) + polilinea(600000) + "  0\nENDSEC\n";
    const std::size_t tercero = dibujo.rfind("600010.");
    dibujo.replace(tercero, 8, "1234.567");
    writeFile(dir / "local.dxf", dibujo);
    const auto antes = form->Edificaciones;
    ui.openAnswers.push_back((dir / "local.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 30 "
                                                    "(vértice 3: X=1234.567, Y=4100010.5)."});
    EXPECT_EQ(nombres(), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(form->LBElementos, nombres());
    EXPECT_EQ(form->elemActual, 0);
    EXPECT_EQ(form->MX, x);
    EXPECT_EQ(form->MY, y);
    EXPECT_EQ(form->Edificaciones[0].coorx, antes[0].coorx);

    // Swapped in the window's own zone 29.
    ui.messages.clear();
    form->CBHuso = "29";
    writeFile(dir / "girado.dxf", "  0\nLWPOLYLINE\n 10\n4100000.5\n 20\n500000.5\n");
    ui.openAnswers.push_back((dir / "girado.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: "
                                                    "X=4100000.5, Y=500000.5)."});
    EXPECT_EQ(nombres(), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(form->MX, x);
}

TEST_P(BuildingIoTest, ARealDrawingInLocalUnitsChangesNoConstruction)
{
    const auto shared = test::sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample drawings are not here";
    const CoordList x{"440000", "440010", "440010"}, y{"4470000", "4470000", "4470010"};
    anade(kEdificacion, kExterior, x, y, true);
    ui.openAnswers.push_back((shared / "samples/dxf/libredwg_sample_r14.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 30 "
                                                    "(vértice 1: X=-50.3187, Y=-85.3042)."});
    EXPECT_EQ(nombres(), std::vector<std::string>{"Nueva Edificación 1"});
    EXPECT_EQ(form->MX, x);
    EXPECT_EQ(form->MY, y);
}

TEST_P(BuildingIoTest, ADrawingFarFromTheZonesMeridianIsLoadedAndWarnedOfOnce)
{
    // 4.1° west of zone 30's meridian, both polylines.
    std::string dibujo;
    for (int k = 0; k < 2; ++k)
        dibujo += "  0\nLWPOLYLINE\n 10\n149972.8667\n 20\n4435814.8333\n 10\n149982.8667\n 20\n4435814.8333\n";
    writeFile(dir / "lejos.dxf", dibujo);
    ui.openAnswers.push_back((dir / "lejos.dxf").string());
    form->BBCargaDXFClick();
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso."});
    EXPECT_EQ(nombres(), (std::vector<std::string>{"Nueva Edificación 1", "Nueva Edificación 2"}));
    EXPECT_EQ(form->MX, (CoordList{"149972.8667", "149982.8667"}));
}

TEST_P(BuildingIoTest, ListReplacesTheShownConstructionsLists)
{
    Aplicacion app([&](std::string_view) -> Ui& { return ui; }, Entorno{dir.path(), NumberFormat::withDecimal(GetParam()), {}});
    TFGMLEdif& f = *app.FGMLEdif;
    f.FormShow();
    ui.onShowModal = [](Form& shown) {
        static_cast<TFList&>(shown).Memo1 = {"at point X=1 Y=2", "at point X=3 Y=4", "at point X=5 Y=6"};
        return ModalResult::Ok;
    };
    f.BBListClick();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(f.MX, (CoordList{"1", "3", "5"}));
    EXPECT_EQ(f.MY, (CoordList{"2", "4", "6"}));
}

TEST_P(BuildingIoTest, AllConstructionsTableByteForByteWithTheUnequalOneLeftOut)
{
    valores();
    anade(kEdificacion, kExterior, {"0", "10", "10"}, {"0", "0", "8,5"}, true);
    form->EArchivoDXF = "Casa <principal>";
    form->CBIEExit();
    anade(kEdificacion, kInterior, {"1", "2", "3", "4"}, {"1", "2", "3"});
    anade(kPiscina, kExterior, {"20,5", "25", "25"}, {"0", "0", "4"});
    form->EArchivoDXF = "Piscina";
    form->CBIEExit();
    form->MX = {"7,5"};  // the editor's own lists are normalised as well
    form->MY = {"1"};

    ui.saveAnswers.push_back((dir / "todo").string());
    form->BBExcelTodoClick();
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Se han sustituido las comas por puntos. (Formato de coordenada correcto)",
                                        "Error en la edificación 1: Nueva Edificación 2. Debe haber el mismo número de "
                                        "coordenadas en X que en Y.",
                                        "Fichero excel generado"}));
    EXPECT_EQ(readFile(dir / "todo.xls"), readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "io/data/edificio.xls"));
    EXPECT_EQ(form->Edificaciones[0].coory[2], "8,5") << "the stored lists are not changed";
    EXPECT_EQ(form->MX, CoordList{"7.5"});
}

TEST_P(BuildingIoTest, ShownConstructionTableIsHeadedByItsName)
{
    anade(kEdificacion, kExterior, {"1", "2"}, {"3", "4"}, true);
    form->EArchivoDXF = "Garaje";
    ui.saveAnswers.push_back((dir / "g.xls").string());
    form->BBExcelClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Fichero excel generado"});
    const std::string t = readFile(dir / "g.xls");
    EXPECT_NE(t.find("\r\n           <h3>Garaje</h3>\r\n"), std::string::npos);
    EXPECT_NE(t.find("\r\n           4\r\n"), std::string::npos);

    ui.messages.clear();
    form->BBExcelTodoClick();  // cancelled
    EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Separators, BuildingIoTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
