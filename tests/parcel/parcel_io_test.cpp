// The parcel window's DXF, LIST and spreadsheet buttons.

#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "io/dxf_scan.hpp"
#include "io/list_form.hpp"
#include "parcel_fixture.hpp"
#include "shell/aplicacion.hpp"

using namespace vadrel;
using test::readFile;
using test::writeFile;

using ParcelIoTest = test::ParcelFormTest;

namespace {

const char* const kVarias = "Se han encontrado varias polilíneas. Se han cargado solo las coordenadas de la primera.";

// A drawing exported in UTM coordinates: AutoCAD's layout, its R14 class
// entry first, then the parcel, a text of its name, and a second outline.
const char* const kDxfUtm =
    "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1014\r\n  0\r\nENDSEC\r\n"
    "  0\r\nSECTION\r\n  2\r\nCLASSES\r\n  0\r\nCLASS\r\n  1\r\nLWPOLYLINE\r\n  2\r\nAcDbPolyline\r\n  0\r\nENDSEC\r\n"
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
    "  0\r\nLWPOLYLINE\r\n  5\r\n2A\r\n100\r\nAcDbEntity\r\n  8\r\nPARCELA\r\n100\r\nAcDbPolyline\r\n 90\r\n        4\r\n"
    " 70\r\n     1\r\n 43\r\n0.0\r\n"
    " 10\r\n440123.456789\r\n 20\r\n4474123.98761\r\n"
    " 10\r\n440163.4567\r\n 20\r\n4474123.9876\r\n"
    " 10\r\n440163.45\r\n 20\r\n4474153.1\r\n"
    " 10\r\n440123.456789\r\n 20\r\n4474153.123456\r\n"
    "  0\r\nTEXT\r\n  8\r\nTEXTOS\r\n 10\r\n440140.5\r\n 20\r\n4474140.5\r\n 40\r\n2.5\r\n  1\r\nParcela 12\r\n"
    "  0\r\nLWPOLYLINE\r\n  8\r\nVECINA\r\n 10\r\n440200.5\r\n 20\r\n4474200.5\r\n 10\r\n440210.5\r\n 20\r\n4474200.5\r\n"
    "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

}  // namespace

TEST_P(ParcelIoTest, UtmDrawingImportedAndWrittenGivesItsVerticesInOrder)
{
    writeFile(dir / "parcela.dxf", kDxfUtm);
    form->MX = {};
    ui.openAnswers.push_back((dir / "parcela.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.openDialogs.at(0).filter, "Archivos DXF|*.dxf");
    EXPECT_EQ(form->EArchivoDXF, (dir / "parcela.dxf").string());
    EXPECT_EQ(ui.messages, std::vector<std::string>{kVarias});
    EXPECT_EQ(form->MX, (CoordList{"440123.4568", "440163.4567", "440163.45", "440123.4568"}));
    EXPECT_EQ(form->MY, (CoordList{"4474123.9876", "4474123.9876", "4474153.1", "4474153.1234"}));

    form->ERefCatas = "1234567AB1234N";
    form->BBCalcularClick();
    auto doc = write();
    EXPECT_EQ(text(doc, "gml:posList"),
              " 440123.4568 4474123.9876 440163.4567 4474123.9876 440163.45 4474153.1 440123.4568 4474153.1234"
              " 440123.4568 4474123.9876");
}

TEST_P(ParcelIoTest, DxfPointsComeAfterTheListsAndACancelChangesNothing)
{
    writeFile(dir / "p.dxf", "  0\nLWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n");
    form->MX = {"1"};
    form->MY = {"2"};
    form->EArchivoDXF = "antes.dxf";
    ui.openAnswers.push_back(std::nullopt);
    form->SBCargarDXFClick();
    EXPECT_EQ(form->EArchivoDXF, "antes.dxf");
    ui.openAnswers.push_back((dir / "p.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(form->MX, (CoordList{"1", "500000.5"}));
    EXPECT_EQ(form->MY, (CoordList{"2", "4100000.5"}));

    ui.openAnswers.push_back((dir / "nada.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.messages.back(), kDxfNoSeAbre);
    EXPECT_EQ(form->EArchivoDXF, (dir / "nada.dxf").string()) << "the path is shown before the file is read";
    EXPECT_EQ(form->MX.size(), 2u);
}

TEST_P(ParcelIoTest, ADrawingThatGivesNothingIsNotShownAsLoaded)
{
    // The first polyline sits in a block definition; the drawing's own is
    // in local units.
    writeFile(dir / "local.dxf", "  0\nSECTION\n  2\nBLOCKS\n  0\nLWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n"
                                 "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n 10\n12.5\n 20\n7.5\n"
                                 "  0\nENDSEC\n");
    form->MX = {"1"};
    form->MY = {"2"};
    form->EArchivoDXF = "antes.dxf";
    ui.openAnswers.push_back((dir / "local.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kDxfNoUtm});
    EXPECT_EQ(form->EArchivoDXF, "antes.dxf");
    EXPECT_EQ(form->MX, CoordList{"1"});
    EXPECT_EQ(form->MY, CoordList{"2"});
}

TEST_P(ParcelIoTest, ADrawingThatIsNoUtmOfSpainLoadsNothing)
{
    // Swapped in the drawing itself: refused with the values the lists
    // would have held.
    std::string swapped = kDxfUtm;
    const std::string first = " 10\r\n440123.456789\r\n 20\r\n4474123.98761\r\n";
    swapped.replace(swapped.find(first), first.size(), " 10\r\n4474123.98761\r\n 20\r\n440123.456789\r\n");
    writeFile(dir / "girado.dxf", swapped);
    form->MX = {"440000"};
    form->MY = {"4470000"};
    form->EArchivoDXF = "antes.dxf";
    ui.openAnswers.push_back((dir / "girado.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: "
                                                    "X=4474123.9876, Y=440123.4568)."});
    EXPECT_EQ(form->EArchivoDXF, "antes.dxf");
    EXPECT_EQ(form->MX, CoordList{"440000"});
    EXPECT_EQ(form->MY, CoordList{"4470000"});

    // The same drawing in the zone of the Canaries.
    ui.messages.clear();
    writeFile(dir / "parcela.dxf", kDxfUtm);
    form->CBHuso = "28";
    ui.openAnswers.push_back((dir / "parcela.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 28 "
                                                    "(vértice 1: X=440123.4568, Y=4474123.9876)."});
    EXPECT_EQ(form->MX, CoordList{"440000"});
}

TEST_P(ParcelIoTest, ARealDrawingInLocalUnitsLoadsNothing)
{
    const auto shared = test::sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample drawings are not here";
    // Its values have long decimals: the length rule lets them through.
    form->MX = {"440000", "440010"};
    form->MY = {"4470000", "4470000"};
    form->EArchivoDXF = "antes.dxf";
    ui.openAnswers.push_back((shared / "samples/dxf/libredwg_sample_r14.dxf").string());
    form->SBCargarDXFClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 30 "
                                                    "(vértice 1: X=-50.3187, Y=-85.3042)."});
    EXPECT_EQ(form->EArchivoDXF, "antes.dxf");
    EXPECT_EQ(form->MX, (CoordList{"440000", "440010"}));
    EXPECT_EQ(form->MY, (CoordList{"4470000", "4470000"}));
}

TEST_P(ParcelIoTest, ListButtonGoesThroughThePasteDialog)
{
    Aplicacion app([&](std::string_view) -> Ui& { return ui; }, Entorno{dir.path(), NumberFormat::withDecimal(GetParam()), {}});
    TFParcelgen& f = *app.FParcelgen;
    f.MX = {"9"};
    f.MY = {"9"};
    ui.onShowModal = [](Form& shown) {
        static_cast<TFList&>(shown).Memo1 = {"  at point  X=500000.5  Y=4100000.5  Z=0.0", "  at point  X= 500010  Y= 4100000"};
        return ModalResult::Ok;
    };
    ui.confirmAnswers.push_back(true);
    f.BBListClick();
    EXPECT_EQ(ui.shownModal, std::vector<std::string>{"FList"});
    EXPECT_EQ(ui.questions, std::vector<std::string>{"Se van a sobreescribir las coordenadas actuales con las que se "
                                                     "encuentran en el LIST. ¿Desea continuar?"});
    EXPECT_EQ(f.MX, (CoordList{"500000.5", "500010"}));
    EXPECT_EQ(f.MY, (CoordList{"4100000.5", "4100000"}));
}

TEST_P(ParcelIoTest, SpreadsheetTableByteForByte)
{
    form->ERefCatas = "1234567AB1234N";
    form->MX = {"500000,5", "500010", "500010"};
    form->MY = {"4100000", "4100000", "4100010,25"};
    ui.saveAnswers.push_back((dir / "tabla").string());
    form->BBExcelClick();
    EXPECT_EQ(ui.saveDialogs.at(0).filter, "Archivos Excel|*.xls");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Se han sustituido las comas por puntos. (Formato de coordenada "
                                                     "correcto)",
                                                     "Fichero excel generado"}));
    EXPECT_EQ(form->MX[0], "500000.5") << "the lists on screen keep the points";
    EXPECT_EQ(readFile(dir / "tabla.xls"), readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "io/data/parcela.xls"));
}

TEST_P(ParcelIoTest, SpreadsheetRefusalsAndEscapedHeading)
{
    form->MX = {"1", "2"};
    form->MY = {"1"};
    ui.saveAnswers.push_back((dir / "t.xls").string());
    form->BBExcelClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Debe haber el mismo número de coordenadas en X que en Y."});
    EXPECT_FALSE(std::filesystem::exists(dir / "t.xls"));

    ui.messages.clear();
    form->BBExcelClick();  // cancelled: no answer left
    EXPECT_TRUE(ui.messages.empty());

    form->ERefCatas = "Finca <3> & huerto";
    form->MX = {};
    form->MY = {};
    ui.saveAnswers.push_back((dir / "t.xls").string());
    form->BBExcelClick();
    const std::string t = readFile(dir / "t.xls");
    EXPECT_NE(t.find("           <h3>Finca &lt;3&gt; &amp; huerto</h3>\r\n"), std::string::npos);
    EXPECT_EQ(t.find("<td>"), std::string::npos) << "no vertex rows";
    EXPECT_NE(t.find("           Coord. Y\r\n"), std::string::npos);
}

TEST_P(ParcelIoTest, SpreadsheetCellsHoldNumbersOnlyAndEveryTextIsEscaped)
{
    const struct {
        const char* x;
        const char* failure;  // nullptr: written
    } cases[] = {
        {"=1+1", "'=1+1' is not a valid floating point value"},
        {"=HYPERLINK(\"http://x\";\"y\")", "'=HYPERLINK(\"http://x\";\"y\")' is not a valid floating point value"},
        {"<img src=x onerror=alert(1)>", "'<img src=x onerror=alert(1)>' is not a valid floating point value"},
        {"1e999", "'1e999' is not a valid floating point value"},
        {" 384464.656 ", nullptr},
        {"3.84464656E5", nullptr},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "t.xls");
        ui.messages.clear();
        form->ERefCatas = "Finca \"A\"";
        form->MX = {"10.5", c.x};
        form->MY = {"20", "4100000.25"};
        ui.saveAnswers.push_back((dir / "t.xls").string());
        if (c.failure) {
            try {
                form->BBExcelClick();
                ADD_FAILURE() << c.x;
            } catch (const Failure& f) {
                EXPECT_EQ(f.what(), std::string(c.failure));
            }
            EXPECT_FALSE(std::filesystem::exists(dir / "t.xls")) << c.x;
            continue;
        }
        form->BBExcelClick();
        const std::string t = readFile(dir / "t.xls");
        EXPECT_NE(t.find("<h3>Finca &quot;A&quot;</h3>"), std::string::npos);
        EXPECT_NE(t.find("<td sdval=\"384464.656\" sdnum=\"1033;0;General\" x:num=\"384464.656\">\r\n"
                         "           " + std::string(c.x) + "\r\n"),
                  std::string::npos)
            << c.x;
        EXPECT_NE(t.find("<td sdval=\"10.5\""), std::string::npos);
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Fichero excel generado"});
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, ParcelIoTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
