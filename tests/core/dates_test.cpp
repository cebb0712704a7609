#include "core/dates.hpp"

#include <gtest/gtest.h>

#include "core/numeric_text.hpp"

using namespace vadrel;

TEST(ParseFecha, FollowsTheLocaleOrderAndSeparator)
{
    NumberFormat dmy;  // day/month/year with "/"
    NumberFormat mdy;
    mdy.dateOrder = DateOrder::MDY;
    NumberFormat ymdDash;
    ymdDash.dateOrder = DateOrder::YMD;
    ymdDash.dateSeparator = '-';
    NumberFormat dmyDot;
    dmyDot.dateSeparator = '.';

    const struct {
        const char* text;
        const NumberFormat* fmt;
        const char* shown;  // "" for refused
    } cases[] = {
        {"3/7/2015", &dmy, "03/07/2015"},   {"7/3/2015", &mdy, "03/07/2015"},  {"2015-7-3", &ymdDash, "03-07-2015"},
        {"3.7.2015", &dmyDot, "03.07.2015"}, {"3/7/2015", &dmyDot, "03.07.2015"}, {"29/02/2000", &dmy, "29/02/2000"},
        {"29/02/1900", &dmy, ""},            {"1/1/49", &dmy, "01/01/2049"},    {"1/1/50", &dmy, "01/01/1950"},
        {"32/1/2000", &dmy, ""},             {"1/1/20000", &dmy, ""},           {"1//2000", &dmy, ""},
        {"1/1/2000/", &dmy, ""},             {"-1/1/2000", &dmy, ""},           {"", &dmy, ""},
    };
    for (const auto& c : cases) {
        auto f = parseFecha(c.text, *c.fmt);
        EXPECT_EQ(f ? textoFecha(*f, c.fmt->dateSeparator) : "", c.shown) << c.text;
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
