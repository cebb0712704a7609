// What the program writes passes its own check: parcels, groupings of
// parcels and buildings, through the forms as a person makes them.

#include <gtest/gtest.h>

#include "building/building_fixture.hpp"
#include "check/gml_builder.hpp"
#include "check/gml_check.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "support/app_fixture.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

// Errors, and a note that the schemas were missing: what the program
// writes must be checked whole. Warnings (the ring's turn) are allowed.
std::string errorsOf(const std::filesystem::path& file)
{
    std::string out;
    for (const auto& p : check::checkGmlFile(file, testSchemas()))
        if (p.severity == check::Severity::Error || p.message.find("esquema") != std::string::npos)
            out += "\n  " + check::describe(p);
    return out;
}

class OwnParcels : public ProgramaTest {
protected:
    // A parcel as a person makes it: reference, ring, "Cal. Área", "Crear GML".
    std::filesystem::path parcel(const std::string& name, const std::string& ref, bool local, double x0)
    {
        TFParcelgen& f = *app->FParcelgen;
        f.BBLimpiarTodoClick();
        f.setReferenciaCatastral(!local);
        f.ERefCatas = ref;
        f.CBHuso = "30";
        auto at = [&](double dx) { return formatGeneral(x0 + dx, ','); };
        f.MX = {at(0), at(35.45), at(40.67), at(13.06), at(-1.58)};
        f.MY = {"4479210,12", "4479214,47", "4479178,93", "4479169,8", "4479186,55"};
        f.BBCalcularClick();
        ui.saveAnswers.push_back((dir / name).string());
        f.BBgmlClick();
        return dir / name;
    }
};

}  // namespace

TEST_F(OwnParcels, WrittenParcelsAndGroupingsCheckWithoutErrors)
{
    if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's schemas are not here";
    const auto a = parcel("a.gml", "1234567AB1234N", false, 441620.35);
    const auto b = parcel("b.gml", "finca_7", true, 441700);
    const auto c = parcel("c.gml", "1234567AB1234P", false, 441800);
    for (const auto& file : {a, b, c}) EXPECT_EQ(errorsOf(file), "") << file;

    TFParcelgen& f = *app->FParcelgen;
    f.LBDestino = {a.string(), b.string(), c.string()};
    ui.onShowModal = [](Form&) { return ModalResult::Ok; };

    ui.confirmAnswers.push_back(false);  // several parcels
    ui.saveAnswers.push_back((dir / "varias.gml").string());
    f.BitBtn2Click();
    EXPECT_EQ(errorsOf(dir / "varias.gml"), "");

    ui.confirmAnswers.push_back(true);  // one parcel of three pieces
    app->FRef->ERef = "AGRUPADA_1";
    ui.saveAnswers.push_back((dir / "una.gml").string());
    f.BitBtn2Click();
    EXPECT_EQ(errorsOf(dir / "una.gml"), "");
}

using OwnBuildings = BuildingFormTest;

TEST_P(OwnBuildings, AWrittenBuildingWithInteriorsAndAPoolChecksWithoutErrors)
{
    if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's schemas are not here";
    abcdp();
    write("edif.gml");
    ASSERT_TRUE(std::filesystem::exists(dir / "edif.gml"));
    EXPECT_EQ(errorsOf(dir / "edif.gml"), "");
}

INSTANTIATE_TEST_SUITE_P(Separators, OwnBuildings, ::testing::Values('.', ','));
