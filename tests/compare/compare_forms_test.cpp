// "Comparar con Catastro" in the parcel window: the question, the chosen
// files or the service, and the report with its figures.

#include <gtest/gtest.h>

#include <functional>

#include <atomic>
#include <cstdlib>
#include <optional>

#include "compare/cadastre_service.hpp"
#include "building/building_form.hpp"
#include "compare/compare_forms.hpp"
#include "compare/comparison.hpp"
#include "core/failure.hpp"
#include "parcel/parcel_form.hpp"
#include "support/local_server.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"
#include "support/environment.hpp"

namespace vadrel::test {
namespace {

class CompareFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastral map to compare with";
        stageTemplates(dir.path());
        form.emplace(ui, Entorno{dir.path(), NumberFormat::withDecimal('.'), {}});
        form->FormCreate();
        // 2041508TP7124S with its corner moved 1 m into 2041506TP7124S.
        form->ERefCatas = "2041508TP7124S";
        form->MX = {"271864.4771", "271857.19", "271902.87", "271909.59"};
        form->MY = {"4814037.2781", "4814056.72", "4814073.01", "4814054.17"};
        block = (sharedDir() / "samples/gml/parcel/wfs-cp-bbox-29-parcels.gml").string();
    }
    void TearDown() override { test::unsetEnv(compare::kServiceVariable); }

    TempDir dir;
    ScriptedUi ui;
    std::optional<TFParcelgen> form;
    std::string block;
};

TEST_F(CompareFormTest, AChosenFileGivesTheReport)
{
    ui.confirmAnswers = {false};
    ui.openManyAnswers = {{block}};
    form->BBCompararClick();
    EXPECT_EQ(ui.questions, std::vector<std::string>{compare::kAskDownload});
    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_EQ(ui.reports[0].first, "Comparación con la cartografía catastral");
    const std::string& text = ui.reports[0].second;
    EXPECT_NE(text.find("superficie catastral: 970.09 m2 (2041508TP7124S)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nsolape con 2041506TP7124S: "), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\nsolapes: 1\n")) << text;
    EXPECT_TRUE(ui.messages.empty());
}

// A comparison that cannot be computed is told as the window tells any
// failure, with the reason; no report with "nan" or "inf" in it.
TEST_F(CompareFormTest, AComparisonThatCannotBeComputedIsToldAndShowsNoReport)
{
    // The block's neighbour with its ring 2e308 m wide, over the new
    // parcel: its area is no number.
    std::string map = readFile(block);
    const std::size_t parcel = map.find("2041506TP7124S");
    const std::size_t from = map.find('>', map.find("<gml:posList", parcel)) + 1;
    map.replace(from, map.find("</gml:posList>", from) - from,
                "-1e308 -1e308 1e308 -1e308 1e308 1e308 -1e308 1e308 -1e308 -1e308");
    writeFile(dir / "lejos.gml", map);
    ui.confirmAnswers = {false};
    ui.openManyAnswers = {{(dir / "lejos.gml").string()}};
    try {
        form->BBCompararClick();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& e) {
        EXPECT_EQ(std::string(e.what()), std::string(compare::kNoComparison) +
                                             "la superficie de una parcela catastral no es un número finito; "
                                             "revise las coordenadas.");
    }
    EXPECT_TRUE(ui.reports.empty());
}

// The map of the comparison goes into the window's next report, until the
// top "Limpiar".
TEST_F(CompareFormTest, TheReportAfterAComparisonCarriesIt)
{
    form->BBCalcularClick();
    ui.confirmAnswers = {false};
    ui.openManyAnswers = {{block}};
    form->BBCompararClick();
    ui.saveAnswers = {(dir.path() / "informe.pdf").string()};
    form->BBInformeClick();
    ASSERT_EQ(ui.writtenReports.size(), 1u) << (ui.messages.empty() ? "" : ui.messages.back());
    ASSERT_FALSE(ui.lastComparison.empty());
    EXPECT_EQ(ui.lastComparison.back(), (report::FilaComparacion{"Solapes", "1"}));

    const CoordList mx = form->MX, my = form->MY;
    const std::string area = form->ESup;
    ui.confirmAnswers = {true};  // the typed lists may go
    form->BBLimpiarTodoClick();
    form->ERefCatas = "2041508TP7124S";
    form->MX = mx, form->MY = my, form->ESup = area;
    ui.saveAnswers = {(dir.path() / "informe.pdf").string()};
    form->BBInformeClick();
    ASSERT_EQ(ui.writtenReports.size(), 2u);
    EXPECT_TRUE(ui.lastComparison.empty());
}

TEST_F(CompareFormTest, CancellingTheFileDialogDoesNothing)
{
    ui.confirmAnswers = {false};
    form->BBCompararClick();
    EXPECT_TRUE(ui.reports.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CompareFormTest, YesDownloadsFromTheServiceTheEnvironmentNames)
{
    std::atomic<bool> refuse = false;  // read on the server's thread
    LocalServer server([&](const std::string&) {
        return refuse ? Reply{200, "<ExceptionReport><Exception><ExceptionText>Demasiadas parcelas</ExceptionText>"
                                   "</Exception></ExceptionReport>"}
                      : Reply{200, readFile(block)};
    });
    test::setEnv(compare::kServiceVariable, server.base());
    ui.confirmAnswers = {true};
    form->BBCompararClick();
    ASSERT_EQ(ui.reports.size(), 1u);
    EXPECT_TRUE(ui.reports[0].second.ends_with("\nsolapes: 1\n")) << ui.reports[0].second;
    EXPECT_EQ(server.targets().size(), 1u);

    // A refusal is told as the window tells any failure; no report.
    refuse = true;
    ui.confirmAnswers = {true};
    try {
        form->BBCompararClick();
        ADD_FAILURE() << "no failure";
    } catch (const Failure& e) {
        EXPECT_EQ(std::string(e.what()), std::string(compare::kNoMap) +
                                             "el servicio del catastro responde «Demasiadas parcelas»");
    }
    EXPECT_EQ(ui.reports.size(), 1u);
}

// "Descargar del Catastro" fills the window as "Cargar GML" of the same
// answer would; a reference the cadastre does not give changes nothing.
TEST_F(CompareFormTest, DownloadFillsTheWindowAsLoadingTheAnswerWould)
{
    const std::string answer = (sharedDir() / "samples/gml/parcel/wfs-cp-getparcel-8429105VK1882N.gml").string();
    LocalServer server([&](const std::string& target) -> std::optional<Reply> {
        if (target.find("refcat=8429105VK1882N&") != std::string::npos) return Reply{200, readFile(answer)};
        if (target.find("refcat=9999999ZZ9999Z&") != std::string::npos)
            return Reply{200, "<FeatureCollection numberMatched=\"0\" numberReturned=\"0\"/>"};
        return Reply{200, "<ExceptionReport><Exception><ExceptionText>Referencia no v\xc3\xa1lida</ExceptionText>"
                          "</Exception></ExceptionReport>"};
    });
    test::setEnv(compare::kServiceVariable, server.base());

    ScriptedUi fileUi;
    TFParcelgen loaded(fileUi, Entorno{dir.path(), NumberFormat::withDecimal('.'), {}});
    loaded.FormCreate();
    fileUi.openAnswers = {answer};
    loaded.BBCargarXMLClick();

    const struct {
        std::string ref;
        std::string failure;  // empty: the window is filled
    } cases[] = {
        {"1234", "Error. Escriba la referencia catastral de la parcela: 14 letras y cifras."},
        {"9999999ZZ9999Z", std::string(compare::kNoMap) +
                               "el catastro no da ninguna parcela con la referencia 9999999ZZ9999Z."},
        {"1111111AA1111A", std::string(compare::kNoMap) + "el servicio del catastro responde «Referencia no válida»"},
        {" 8429105VK1882N ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ref);
        form->ERefCatas = c.ref;
        const CoordList before = form->MX;
        ui.confirmAnswers = {true};  // the typed lists may go
        try {
            form->BBDescargarClick();
            EXPECT_EQ(c.failure, "");
        } catch (const Failure& e) {
            EXPECT_EQ(e.what(), c.failure);
            EXPECT_EQ(form->MX, before);
        }
    }
    EXPECT_EQ(server.targets().size(), 3u) << "a reference that is none is not asked for";
    EXPECT_EQ(form->ERefCatas, "8429105VK1882N");
    EXPECT_EQ(form->MX, loaded.MX);
    EXPECT_EQ(form->MY, loaded.MY);
    EXPECT_EQ(form->ESup, "572");
    EXPECT_EQ(form->CBHuso, "30");
}

// "Cancelar" in the progress box stops the download and changes nothing,
// the comparison's and the download's alike.
TEST_F(CompareFormTest, ACancelledDownloadChangesNothing)
{
    const std::string answer = (sharedDir() / "samples/gml/parcel/wfs-cp-getparcel-8429105VK1882N.gml").string();
    LocalServer server([&](const std::string& target) {
        return Reply{200, readFile(target.find("refcat=") != std::string::npos ? answer : block)};
    });
    test::setEnv(compare::kServiceVariable, server.base());
    ui.cancelAfterSteps = 1;
    const CoordList before = form->MX;
    const std::function<void()> clicks[] = {[&] { form->BBCompararClick(); },
                                            [&] {
                                                form->ERefCatas = "8429105VK1882N";
                                                form->BBDescargarClick();
                                            }};
    for (const auto& click : clicks) {
        ui.confirmAnswers = {true};
        ui.progressSteps.clear();
        try {
            click();
            ADD_FAILURE() << "not cancelled";
        } catch (const Failure& e) {
            EXPECT_EQ(std::string(e.what()), "Se ha cancelado la descarga.");
        }
        EXPECT_EQ(ui.progressSteps,
                  std::vector<std::string>{"Descargando la cartografía catastral: petición 1 de 1"});
    }
    EXPECT_TRUE(ui.reports.empty());
    EXPECT_EQ(form->MX, before);
    EXPECT_TRUE(form->cartografia.empty());
    EXPECT_EQ(server.targets().size(), 2u);
}

TEST_F(CompareFormTest, GroupingPageComparesTheRightHandFilesAsOneOperation)
{
    form->BBCompararMultiClick();
    EXPECT_EQ(ui.messages.size(), 1u) << "nothing on the right: told, nothing asked";
    EXPECT_TRUE(ui.questions.empty());

    const std::string single = (sharedDir() / "samples/gml/parcel/wfs-cp-getparcel-8429105VK1882N.gml").string();
    form->LBDestino = {single};
    ui.confirmAnswers = {false};
    ui.openManyAnswers = {{single}};
    form->BBCompararMultiClick();
    ASSERT_EQ(ui.reports.size(), 1u);
    const std::string& text = ui.reports[0].second;
    EXPECT_NE(text.find("(8429105VK1882N)\ndiferencia: 0.00 m2 (0.00 %)\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\nsolapes: 0\n")) << text;
}

TEST_F(CompareFormTest, BuildingConstructionsAgainstTheChosenParcel)
{
    ScriptedUi bui;
    TFGMLEdif building(bui, Entorno{dir.path(), NumberFormat::withDecimal('.'), {}});
    building.FormCreate();
    bui.confirmAnswers = {true};  // replace the empty construction
    bui.openAnswers = {(sharedDir() / "samples/gml/building/sede-Building_9531109VK0193B.gml").string()};
    building.BBCargarXMLClick();
    bui.questions.clear();

    // A municipal file without the building's parcel is no answer.
    bui.confirmAnswers = {false};
    bui.openAnswers = {block};
    EXPECT_THROW(building.BBCompararClick(), Failure);
    EXPECT_TRUE(building.parcelaCatastral.empty());

    // A file of one parcel is the parcel chosen, whatever its reference.
    bui.confirmAnswers = {false};
    bui.openAnswers = {(sharedDir() / "samples/gml/parcel/wfs-cp-getparcel-8429105VK1882N.gml").string()};
    building.BBCompararClick();
    EXPECT_EQ(bui.questions.back(), compare::kAskDownloadParcel);
    ASSERT_EQ(bui.reports.size(), 1u);
    EXPECT_TRUE(bui.reports[0].second.ends_with("\nconstrucciones fuera: 2\n")) << bui.reports[0].second;
    EXPECT_EQ(building.parcelaCatastral.size(), 1u) << "kept for the report";
}

}  // namespace
}  // namespace vadrel::test
