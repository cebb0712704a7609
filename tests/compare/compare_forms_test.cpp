// "Comparar con Catastro" in the parcel window: the question, the chosen
// files or the service, and the report with its figures.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <optional>

#include "compare/cadastre_service.hpp"
#include "compare/compare_forms.hpp"
#include "core/failure.hpp"
#include "parcel/parcel_form.hpp"
#include "support/local_server.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

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
    void TearDown() override { ::unsetenv(compare::kServiceVariable); }

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
    ::setenv(compare::kServiceVariable, server.base().c_str(), 1);
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

}  // namespace
}  // namespace vadrel::test
