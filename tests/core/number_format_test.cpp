#include "core/number_format.hpp"

#include <gtest/gtest.h>

#include <limits>

using vadrel::formatGeneral;
using vadrel::parseNumber;

struct ParseCase {
    const char* text;
    char sep;
    bool ok;
    double value;
};

class ParseNumberTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberTest, ConvertsAsTheLocaleDoes)
{
    const auto& c = GetParam();
    double v = -12345;
    EXPECT_EQ(parseNumber(c.text, c.sep, v), c.ok) << c.text;
    if (c.ok) {
        EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ParseNumberTest,
    ::testing::Values(ParseCase{"1.5", '.', true, 1.5}, ParseCase{"1,5", ',', true, 1.5},
                      ParseCase{"1,5", '.', false, 0}, ParseCase{"1.5", ',', false, 0},
                      ParseCase{"  -12.25  ", '.', true, -12.25}, ParseCase{"+3", '.', true, 3},
                      ParseCase{".5", '.', true, 0.5}, ParseCase{"5.", '.', true, 5},
                      ParseCase{"1e3", '.', true, 1000}, ParseCase{"1,5E-2", ',', true, 0.015},
                      ParseCase{"1e", '.', false, 0}, ParseCase{".", '.', false, 0},
                      ParseCase{"", '.', false, 0}, ParseCase{"   ", '.', false, 0},
                      ParseCase{"1.2.3", '.', false, 0}, ParseCase{"1 000", '.', false, 0},
                      ParseCase{"inf", '.', false, 0}, ParseCase{"nan", '.', false, 0},
                      ParseCase{"0x10", '.', false, 0}, ParseCase{"--1", '.', false, 0},
                      ParseCase{"1e999", '.', false, 0}, ParseCase{"500000.123\t", '.', true, 500000.123}));

struct FormatCase {
    double value;
    char sep;
    const char* text;
};

class FormatGeneralTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGeneralTest, WritesFifteenSignificantDigitsAtMost)
{
    const auto& c = GetParam();
    EXPECT_EQ(formatGeneral(c.value, c.sep), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatGeneralTest,
    ::testing::Values(FormatCase{0, '.', "0"}, FormatCase{-0.0, '.', "0"}, FormatCase{100, '.', "100"},
                      FormatCase{1234.567891, ',', "1234,567891"}, FormatCase{0.1 + 0.2, '.', "0.3"},
                      FormatCase{1.0 / 3, '.', "0.333333333333333"},
                      FormatCase{4100013.3333333335, '.', "4100013.33333333"},
                      FormatCase{500010.16666666666, ',', "500010,166666667"},
                      FormatCase{-22.5, '.', "-22.5"}, FormatCase{0.000123, '.', "0.000123"},
                      FormatCase{123456789012345.0, '.', "123456789012345"},
                      FormatCase{1e15, '.', "1E15"}, FormatCase{1.5e-16, ',', "1,5E-16"},
                      FormatCase{999999999999999.9, '.', "1E15"},
                      FormatCase{std::numeric_limits<double>::infinity(), '.', "INF"}));
