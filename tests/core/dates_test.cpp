#include "core/dates.hpp"

#include <gtest/gtest.h>

#include "core/numeric_text.hpp"

using namespace vadrel;

TEST(ParseFecha, DayMonthYearWithTheLocaleSeparatorOrASlashShownWithSlashes)
{
    NumberFormat slash;  // "/"
    NumberFormat dash;
    dash.dateSeparator = '-';
    NumberFormat dot;
    dot.dateSeparator = '.';

    const struct {
        const char* text;
        const NumberFormat* fmt;
        const char* shown;  // "" for refused
    } cases[] = {
        {"3/7/2015", &slash, "03/07/2015"}, {"3-7-2015", &dash, "03/07/2015"}, {"3/7/2015", &dash, "03/07/2015"},
        {"3.7.2015", &dot, "03/07/2015"},   {"3/7/2015", &dot, "03/07/2015"},  {"29/02/2000", &slash, "29/02/2000"},
        {"12/31/2015", &slash, ""},         {"2015-7-3", &dash, ""},           {"3-7-2015", &slash, ""},
        {"29/02/1900", &slash, ""},         {"1/1/49", &slash, "01/01/2049"},  {"1/1/50", &slash, "01/01/1950"},
        {"32/1/2000", &slash, ""},          {"1/1/20000", &slash, ""},         {"1//2000", &slash, ""},
        {"1/1/2000/", &slash, ""},          {"-1/1/2000", &slash, ""},         {"", &slash, ""},
    };
    for (const auto& c : cases) {
        auto f = parseFecha(c.text, *c.fmt);
        EXPECT_EQ(f ? textoFecha(*f) : "", c.shown) << c.text;
    }
    EXPECT_EQ(fechaHoraGml({3, 7, 2015}), "2015-07-03T00:00:00");
}

TEST(EnteroDe, WholeNumbersWithin32Bits)
{
    const std::pair<const char*, std::optional<int>> table[] = {
        {"0", 0},       {" 12 ", 12},          {"+3", 3},           {"-1", -1},
        {"2147483647", 2147483647}, {"2147483648", std::nullopt}, {"2.5", std::nullopt}, {"", std::nullopt},
        {"1e3", std::nullopt}, {"+-1", std::nullopt}, {"0x10", std::nullopt}, {"1 2", std::nullopt}};
    for (auto [text, value] : table) EXPECT_EQ(enteroDe(text), value) << text;
}
