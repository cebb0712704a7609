#include "core/coord_list.hpp"

#include <gtest/gtest.h>

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

TEST(LimpiaCoordenadas, CleansEachListOnItsOwn)
{
    CoordList x{"1", "", "2"}, y{"5", "6", "7"};
    limpiaCoordenadas(x, y);
    EXPECT_EQ(x, (CoordList{"1", "2"}));
    EXPECT_EQ(y, (CoordList{"5", "6", "7"}));

    CoordList runs{"", "", "a", "", "", " ", ""}, none;
    limpiaCoordenadas(runs, none);
    EXPECT_EQ(runs, (CoordList{"a", " "}));
}

TEST(PartirPosList, AppendsPairsAndKeepsOtherWhitespaceInTokens)
{
    CoordList x{"0"}, y{"0"};
    partirPosList(" 1 2\n3 4", x, y);
    EXPECT_EQ(x, (CoordList{"0", "1", "4"}));
    EXPECT_EQ(y, (CoordList{"0", "2\n3"}));

    CoordList ex, ey;
    partirPosList("", ex, ey);
    partirPosList(" ", ex, ey);
    EXPECT_TRUE(ex.empty() && ey.empty());
}
