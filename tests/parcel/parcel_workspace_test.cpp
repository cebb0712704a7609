#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "parcel_fixture.hpp"

using namespace vadrel;
using test::ParcelFormTest;
using test::writeFile;

using ParcelWorkspaceTest = ParcelFormTest;

namespace {
const char* const kFewPoints = "Error. Debe haber al menos tres coordenadas X e Y.";
const char* const kCountsDiffer = "Error. Debe haber el mismo número de coordenadas X que Y";
const char* const kRef14 =
    "Si va a rellenar la Referencia Catastral real para validar el GML en catastro, recuerde que sólo debe "
    "introducir los 14 primeros caracteres";
}  // namespace

TEST_P(ParcelWorkspaceTest, CalcAreaWritesTheRoundedAreaInTheLocaleForm)
{
    form->MX = {"0", "10", "10", "0"};
    form->MY = {"0", "0", "10", "10"};
    form->BBCalcularClick();
    EXPECT_EQ(form->ESup, "100");

    form->MX = {"0", "1", "1", "0"};
    form->MY = {"0", "0", "1234.567891", "1234,567891"};
    form->BBCalcularClick();
    EXPECT_EQ(form->ESup, GetParam() == ',' ? "1234,5679" : "1234.5679");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(ParcelWorkspaceTest, CalcAreaChecksCountsAfterDroppingEmptyLines)
{
    const struct {
        CoordList x, y;
        const char* message;
    } cases[] = {
        {{"0", "1", "1", "0"}, {"0", "0", "1"}, kCountsDiffer},
        {{"0", "1"}, {"0", "1"}, kFewPoints},
        {{"0", "1", "1"}, {"0", "1"}, kFewPoints},
        {{"0", "", "1", "1", ""}, {"0", "", "0", "1", ""}, nullptr},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        form->ESup = "kept";
        form->MX = c.x;
        form->MY = c.y;
        form->BBCalcularClick();
        if (c.message) {
            EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
            EXPECT_EQ(form->ESup, "kept");
        } else {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_EQ(form->ESup, GetParam() == ',' ? "0,5" : "0.5");
            EXPECT_EQ(form->MX.size(), 3u);
        }
    }
}

TEST_P(ParcelWorkspaceTest, CalcAreaLeavesTheAreaOnABadCoordinate)
{
    form->ESup = "kept";
    form->MX = {"0", "1", "x"};
    form->MY = {"0", "0", "1"};
    EXPECT_THROW(form->BBCalcularClick(), Failure);
    EXPECT_EQ(form->ESup, "kept");
}

TEST_P(ParcelWorkspaceTest, ReferenceLengthWarningOnlyForCadastralReferences)
{
    const struct {
        const char* ref;
        bool catastral;
        bool warns;
    } cases[] = {{"12345678901234567890", false, false}, {"12345678901234567890", true, true},
                 {"", true, true},
                 {"1234567AB1234N", true, false},
                 {"1234567AB1234Ñ", true, false},
                 {"123", false, false}};
    for (const auto& c : cases) {
        ui.messages.clear();
        form->setReferenciaCatastral(c.catastral);
        form->ERefCatas = c.ref;
        form->ERefCatasExit();
        EXPECT_EQ(ui.messages, c.warns ? std::vector<std::string>{kRef14} : std::vector<std::string>{}) << c.ref;
        EXPECT_EQ(form->ERefCatas, c.ref);
    }
}

TEST_P(ParcelWorkspaceTest, ClearingTheTopBoxOrOnlyTheCoordinates)
{
    auto fill = [&] {
        form->ERefCatas = "R";
        form->ESup = "5";
        form->CBHuso = "28";
        form->EArchivoDXF = "/x.dxf";
        form->MX = {"1"};
        form->MY = {"2"};
        form->setReferenciaCatastral(false);
    };
    fill();
    form->BBLimpiarClick();
    EXPECT_TRUE(form->MX.empty() && form->MY.empty() && form->EArchivoDXF.empty());
    EXPECT_EQ(form->ERefCatas, "R");
    EXPECT_EQ(form->ESup, "5");
    EXPECT_EQ(form->CBHuso, "28");

    fill();
    ui.confirmAnswers = {true};  // the typed lists may go
    form->BBLimpiarTodoClick();
    EXPECT_TRUE(form->ERefCatas.empty() && form->ESup.empty() && form->MX.empty() && form->EArchivoDXF.empty());
    EXPECT_EQ(form->CBHuso, "30");
    EXPECT_TRUE(form->RBRefOtra);
}

TEST_P(ParcelWorkspaceTest, CreationCapturesFolderAndFormatEvenWhenATemplateFails)
{
    std::filesystem::remove(dir / "BASE_PARCELAS.XML");
    writeFile(dir / "BASE_MULTIPLE.XML", "<roto>");
    try {
        createForm();
        FAIL() << "no failure";
    } catch (const Failure& f) {
        std::string m = f.what();
        EXPECT_NE(m.find("BASE_PARCELAS.XML"), std::string::npos);
        EXPECT_NE(m.find("BASE_MULTIPLE.XML"), std::string::npos);
    }
    EXPECT_EQ(form->directorio, dir.path());
    EXPECT_EQ(form->formato.decimalSeparator, GetParam());
}

TEST_P(ParcelWorkspaceTest, CoordinateButtonsUseTheWindowsLists)
{
    form->MX = {"1,5", "2"};
    form->MY = {"3", "4"};
    ui.saveAnswers.push_back((dir / "c.txt").string());
    form->BBGuardarClick();
    ui.openAnswers.push_back((dir / "c.txt").string());
    form->BBCargarClick();
    EXPECT_EQ(form->MX, (CoordList{"1.5", "2", "1.5", "2"}));
    EXPECT_EQ(form->MY, (CoordList{"3", "4", "3", "4"}));
}

INSTANTIATE_TEST_SUITE_P(Separators, ParcelWorkspaceTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
