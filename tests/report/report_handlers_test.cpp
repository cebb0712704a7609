// "Informe PDF" of the parcel window: the report of the GML "Crear GML"
// would write, or the same refusal.

#include <gtest/gtest.h>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/messages.hpp"
#include "parcel/parcel_fixture.hpp"

using namespace vadrel;
using test::ParcelFormTest;

using ParcelReportTest = ParcelFormTest;

TEST_P(ParcelReportTest, WritesTheReportOfTheGmlAndOpensIt)
{
    square();
    ui.saveAnswers.push_back((dir / "informe.pdf").string());
    form->BBInformeClick();
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].filter, "Documentos PDF|*.pdf");
    EXPECT_EQ(ui.saveDialogs[0].defaultExt, "pdf");
    ASSERT_EQ(ui.writtenReports.size(), 1u);
    EXPECT_EQ(ui.writtenReports[0].first, (dir / "informe.pdf").string());
    EXPECT_EQ(ui.writtenReports[0].second, "Informe de coordenadas de la parcela 1234567AB1234N");
    EXPECT_EQ(ui.openedWithDesktop, std::vector<std::string>{(dir / "informe.pdf").string()});
    // The ring closed, as "Crear GML" closes it; no GML left anywhere here.
    EXPECT_EQ(form->MX.size(), 5u);
    EXPECT_FALSE(std::filesystem::exists(dir / "informe.gml"));
}

TEST_P(ParcelReportTest, RefusesWhatCreatingTheGmlRefusesAndWritesNothing)
{
    struct Caso {
        CoordList mx, my;
        std::string area;
        const char* mensaje;
    };
    for (const Caso& c : {Caso{{"500000", "500010"}, {"4100000", "4100000"}, "100", msg::kPocasCoordenadas},
                          Caso{{"500000", "500010", "500010", "500000"}, {"4100000", "4100000", "4100010"}, "100",
                               msg::kDistintasCoordenadas},
                          Caso{{"500000", "500010", "500010"}, {"4100000", "4100000", "4100010"}, "cien",
                               msg::kSuperficieNoNumerica}}) {
        ui.messages.clear();
        form->MX = c.mx;
        form->MY = c.my;
        form->ESup = c.area;
        ui.saveAnswers.push_back((dir / "informe.pdf").string());
        form->BBInformeClick();
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.mensaje});
        ui.saveAnswers.clear();
    }
    EXPECT_TRUE(ui.saveDialogs.empty());
    EXPECT_TRUE(ui.writtenReports.empty());
}

TEST_P(ParcelReportTest, CancelledDialogWritesNothing)
{
    square();
    ui.saveAnswers.push_back(std::nullopt);
    form->BBInformeClick();
    EXPECT_TRUE(ui.writtenReports.empty());
    EXPECT_TRUE(ui.openedWithDesktop.empty());
}

// In Spain's UTM range, so "Crear GML" would write it; the plan cannot
// take it, and the window says so before the dialog.
TEST_P(ParcelReportTest, GeometryWiderThanAHundredKilometresIsToldBeforeTheDialog)
{
    square();
    form->MX = {"300000", "500000", "500000", "300000"};
    form->ESup = "2000000";
    ui.saveAnswers.push_back((dir / "informe.pdf").string());
    try {
        form->BBInformeClick();
        ADD_FAILURE() << "no refusal";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "Error. La geometría mide más de 100 km; no cabe en un plano.");
    }
    EXPECT_TRUE(ui.saveDialogs.empty());
    EXPECT_TRUE(ui.writtenReports.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "informe.pdf"));
}

// "Datos del informe" comes after the checks and before the file dialog;
// what the person fills reaches the heading, and cancelling writes nothing.
TEST_P(ParcelReportTest, TheSignersDetailsAreAskedBeforeTheFile)
{
    const report::FirmaInforme firma{"Ana Pérez", "Arquitecta técnica, colegiada nº 1234", "Juan Gómez",
                                     "Calle Mayor 1, Segovia"};
    square();
    ui.firmaAnswers.push_back(firma);
    ui.saveAnswers.push_back((dir / "informe.pdf").string());
    form->BBInformeClick();
    ASSERT_EQ(ui.firmasMostradas.size(), 1u);
    ASSERT_EQ(ui.writtenReports.size(), 1u);
    std::string cabecera;
    for (const std::string& linea : ui.lastHeading) cabecera += linea + "\n";
    for (const std::string& valor : {firma.autor, firma.colegiado, firma.cliente, firma.situacion})
        EXPECT_NE(cabecera.find(valor), std::string::npos) << valor << " not in\n" << cabecera;

    ui.firmaAnswers.push_back(std::nullopt);
    ui.saveAnswers.push_back((dir / "otro.pdf").string());
    form->BBInformeClick();
    EXPECT_EQ(ui.firmasMostradas.size(), 2u);
    EXPECT_EQ(ui.saveDialogs.size(), 1u) << "no file asked for after Cancel";
    EXPECT_EQ(ui.writtenReports.size(), 1u);

    // A refusal comes before the dialog: nothing to fill in vain.
    form->MX.pop_back();
    form->BBInformeClick();
    EXPECT_EQ(ui.firmasMostradas.size(), 2u);
}

// The area question names what the button makes; No makes nothing.
TEST_P(ParcelReportTest, TheAreaQuestionNamesTheReportOrTheGml)
{
    const struct {
        void (TFParcelgen::*boton)();
        const char* final;
    } casos[] = {{&TFParcelgen::BBInformeClick, "¿Desea generar el informe de todos modos?"},
                 {&TFParcelgen::BBgmlClick, "¿Desea generar el GML de todos modos?"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.final);
        square();
        form->ESup = "90";
        ui.questions.clear();
        ui.confirmAnswers.push_back(false);
        (*form.*c.boton)();
        ASSERT_EQ(ui.questions.size(), 1u);
        EXPECT_TRUE(ui.questions[0].ends_with(c.final)) << ui.questions[0];
    }
    EXPECT_TRUE(ui.firmasMostradas.empty());
    EXPECT_TRUE(ui.saveDialogs.empty());
}

INSTANTIATE_TEST_SUITE_P(Separadores, ParcelReportTest, ::testing::Values('.', ','));

TEST(BuildingReport, EveryConstructionOfTheGmlCreatingItWouldWrite)
{
    test::TempDir dir;
    test::stageTemplates(dir.path());
    test::ScriptedUi ui;
    TFGMLEdif form(ui, Entorno{dir.path(), NumberFormat::batch(), {}});
    form.FormCreate();
    form.ERefCatas = "1234567AB1234N";
    form.EFechaConstruc = "01/02/2003";
    form.ENInmueble = form.ENViv = form.ENSobreRas = "1";
    form.ESuptot = "100";
    form.Edificaciones = {EdifProp{1, "Casa", kEdificacion, kExterior, {"500000", "500010", "500010", "500000"},
                                   {"4100000", "4100000", "4100010", "4100010"}},
                          EdifProp{2, "Piscina 1", kPiscina, kExterior, {"500020", "500024", "500024"},
                                   {"4100000", "4100000", "4100002"}}};
    form.elemActual = 0;  // the editor shows the first
    form.MX = form.Edificaciones[0].coorx;
    form.MY = form.Edificaciones[0].coory;
    ui.saveAnswers.push_back((dir / "edificio.pdf").string());
    form.BBInformeClick();
    ASSERT_EQ(ui.writtenReports.size(), 1u) << (ui.messages.empty() ? "" : ui.messages.back());
    EXPECT_EQ(ui.writtenReports[0].second, "Informe de coordenadas de la edificación 1234567AB1234N");
    EXPECT_EQ(ui.openedWithDesktop, std::vector<std::string>{(dir / "edificio.pdf").string()});
}
