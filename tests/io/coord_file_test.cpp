#include "io/coord_file.hpp"

#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using test::readFile;
using test::ScriptedUi;
using test::TempDir;
using test::writeFile;

struct LineCase {
    const char* line;
    const char* x;
    const char* y;
};

class PartirLineaTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(PartirLineaTest, GivesSomePairForAnyLine)
{
    const auto& c = GetParam();
    std::string_view x = "stale", y = "stale";
    partirLineaCoordenadas(c.line, x, y);
    EXPECT_EQ(x, c.x) << c.line;
    EXPECT_EQ(y, c.y) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PartirLineaTest,
    ::testing::Values(LineCase{"7;10;20", "10", "20"}, LineCase{"1;10;;;20", "10", "20"},
                      LineCase{"1;10;20;30", "10", "20;30"}, LineCase{"500", "", "500"},
                      LineCase{"10;20", "", "10;20"}, LineCase{"3;10.5;20.25", "10.5", "20.25"},
                      LineCase{"1;;20", "", "20"}, LineCase{"1;10;", "10", ""}, LineCase{";", "", ""},
                      LineCase{"1; 10 ; 20 ", " 10 ", " 20 "}));

TEST(GuardarCoordenadas, NormalisesCommasAndWritesNumberedLines)
{
    TempDir dir;
    ScriptedUi ui;
    ui.saveAnswers.push_back((dir / "c").string());
    CoordList x{"10,5"}, y{"20,25"};
    guardarCoordenadas(ui, x, y);
    EXPECT_EQ(x, CoordList{"10.5"});
    EXPECT_EQ(y, CoordList{"20.25"});
    EXPECT_EQ(readFile(dir / "c.txt"), "1;10.5;20.25\r\n");
    ASSERT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.saveDialogs[0].filter, "Archivos de Texto|*.txt");
    EXPECT_EQ(ui.saveDialogs[0].defaultExt, "txt");
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Se han sustituido las comas por puntos. (Formato de coordenada correcto)"});
}

TEST(GuardarCoordenadas, UnequalListsWriteNothing)
{
    TempDir dir;
    ScriptedUi ui;
    ui.saveAnswers.push_back((dir / "c.txt").string());
    CoordList x{"1", "2", "3,5"}, y{"1", "2"};
    guardarCoordenadas(ui, x, y);
    EXPECT_FALSE(std::filesystem::exists(dir / "c.txt"));
    EXPECT_EQ(x.back(), "3.5");
    EXPECT_EQ(ui.messages.back(), "Error. Debe haber el mismo número de coordenadas en X que en Y.");
}

TEST(GuardarCoordenadas, EmptyListsGiveAnEmptyFileAndCancelGivesNone)
{
    TempDir dir;
    ScriptedUi ui;
    ui.saveAnswers.push_back((dir / "e.txt").string());
    CoordList x, y;
    guardarCoordenadas(ui, x, y);
    EXPECT_TRUE(std::filesystem::exists(dir / "e.txt"));
    EXPECT_EQ(readFile(dir / "e.txt"), "");

    CoordList cx{"1,5"}, cy{"2"};
    guardarCoordenadas(ui, cx, cy);  // no answer left: cancelled
    EXPECT_EQ(cx, CoordList{"1,5"});
}

TEST(CargarCoordenadas, AppendsAfterWhatTheListsHold)
{
    TempDir dir;
    writeFile(dir / "c.txt", "1;10;20\r\n\r\n2;11;21\n3;12;22");
    ScriptedUi ui;
    ui.openAnswers.push_back((dir / "c.txt").string());
    CoordList x{"1", "2", "3", "4", "5"}, y{"6", "7", "8", "9", "0"};
    cargarCoordenadas(ui, x, y);
    EXPECT_EQ(x, (CoordList{"1", "2", "3", "4", "5", "10", "11", "12"}));
    EXPECT_EQ(y, (CoordList{"6", "7", "8", "9", "0", "20", "21", "22"}));
    EXPECT_EQ(ui.openDialogs.at(0).filter, "Archivos de Texto|*.txt");
}

TEST(CargarCoordenadas, MissingFileEndsWithAMessageAndChangesNothing)
{
    TempDir dir;
    ScriptedUi ui;
    ui.openAnswers.push_back((dir / "no.txt").string());
    CoordList x{"1"}, y{"2"};
    EXPECT_THROW(cargarCoordenadas(ui, x, y), Failure);
    EXPECT_EQ(x, CoordList{"1"});
}

TEST(CoordinateFile, SaveThenLoadGivesTheListsBack)
{
    TempDir dir;
    ScriptedUi ui;
    ui.saveAnswers.push_back((dir / "r.txt").string());
    ui.openAnswers.push_back((dir / "r.txt").string());
    CoordList x{"441620.35", "-0.000", " 5 ", "año"}, y{"4479210.12", "+7", "1e3", "x;y"};
    guardarCoordenadas(ui, x, y);
    CoordList bx, by;
    cargarCoordenadas(ui, bx, by);
    EXPECT_EQ(bx, x);
    EXPECT_EQ(by, y);
}
