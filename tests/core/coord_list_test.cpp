#include "core/coord_list.hpp"

#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "support/scripted_ui.hpp"

using namespace vadrel;

TEST(SplitLines, FinalBreakStartsNoLine)
{
    EXPECT_EQ(splitLines("1\r\n2\r\n"), (CoordList{"1", "2"}));
    EXPECT_EQ(splitLines("1\n\n2"), (CoordList{"1", "", "2"}));
    EXPECT_EQ(splitLines("1\r2\r\n\r\n"), (CoordList{"1", "2", ""}));
    EXPECT_EQ(splitLines(""), CoordList{});
    EXPECT_EQ(joinLines({"1", "2"}), "1\r\n2\r\n");
}

TEST(LimpiaComas, ReplacesOnlyTheFirstCommaAndTellsOnce)
{
    test::ScriptedUi ui;
    CoordList x{"123,45,6", "500,5", "7"}, y{"1,2", "3"};
    limpiaComas(x, y, ui);
    EXPECT_EQ(x, (CoordList{"123.45,6", "500.5", "7"}));
    EXPECT_EQ(y, (CoordList{"1.2", "3"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Se han sustituido las comas por puntos. (Formato de coordenada correcto)");
}

TEST(LimpiaComas, SilentWithoutCommas)
{
    test::ScriptedUi ui;
    CoordList x{"1.5", " a "}, y{"2"};
    limpiaComas(x, y, ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(x, (CoordList{"1.5", " a "}));
}

TEST(LimpiaComas, CommaInTheYListAloneAlsoTells)
{
    test::ScriptedUi ui;
    CoordList x{"1"}, y{"2,5"};
    limpiaComas(x, y, ui);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(LimpiaCoordenadas, DropsBlankVerticesAndRefusesHalfVertices)
{
    const struct {
        const char* what;
        CoordList x, y;
        CoordList cleanX, cleanY;  // when it goes through
        const char* error;         // else
    } cases[] = {
        {"a line empty in both lists is dropped from both", {"1", "", "2"}, {"5", "", "7"}, {"1", "2"}, {"5", "7"},
         nullptr},
        {"runs of blank vertices", {"", "", "a", "", " "}, {"", "", "b", "", "c"}, {"a", " "}, {"b", "c"}, nullptr},
        {"empty lines past the shorter list go", {"1", "2", "", ""}, {"5", "6"}, {"1", "2"}, {"5", "6"}, nullptr},
        {"X without Y", {"1", "", "2"}, {"5", "6", "7"}, {}, {}, "Error. La línea 2 tiene Y pero no X."},
        {"Y without X", {"1", "2", "3"}, {"5", "6", ""}, {}, {}, "Error. La línea 3 tiene X pero no Y."},
        {"empty X and empty Y on different lines", {"1", "", "3", "4"}, {"5", "6", "", "8"}, {}, {},
         "Error. La línea 2 tiene Y pero no X."},
    };
    for (const auto& c : cases) {
        CoordList x = c.x, y = c.y;
        if (c.error) {
            try {
                limpiaCoordenadas(x, y);
                ADD_FAILURE() << c.what;
            } catch (const Failure& f) {
                EXPECT_STREQ(f.what(), c.error) << c.what;
            }
            EXPECT_EQ(x, c.x) << c.what << ": nothing cleaned";
            EXPECT_EQ(y, c.y) << c.what;
        } else {
            limpiaCoordenadas(x, y);
            EXPECT_EQ(x, c.cleanX) << c.what;
            EXPECT_EQ(y, c.cleanY) << c.what;
        }
    }
}

TEST(PartirPosList, AppendsPairsSplitAtAnyRunOfXmlWhiteSpace)
{
    const struct {
        const char* text;
        CoordList x, y;
        std::size_t values;
    } cases[] = {
        {" 1 2\n3 4", {"0", "1", "3"}, {"0", "2", "4"}, 4},
        {"1\t2\t\t3  4 ", {"0", "1", "3"}, {"0", "2", "4"}, 4},
        {"\r\n  441620.35 4474000\r\n  441630 4474010\r\n", {"0", "441620.35", "441630"},
         {"0", "4474000", "4474010"}, 4},
        {"1 2 3", {"0", "1", "3"}, {"0", "2"}, 3},
        {"", {"0"}, {"0"}, 0},
        {" \n\t ", {"0"}, {"0"}, 0},
    };
    for (const auto& c : cases) {
        CoordList x{"0"}, y{"0"};
        partirPosList(c.text, x, y);
        EXPECT_EQ(x, c.x) << c.text;
        EXPECT_EQ(y, c.y) << c.text;
        EXPECT_EQ(cuentaValoresPosList(c.text), c.values) << c.text;
    }
}
