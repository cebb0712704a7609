// The report's number forms: a decimal comma whatever the figure was typed
// with, the table's columns padded with zeros and rounded only past the
// fourth decimal, and only figures changed in a text that also holds names.

#include <gtest/gtest.h>

#include "report/report_numbers.hpp"

using namespace vadrel::report;

namespace {

struct Typed {
    const char* text;
    const char* shown;
};

class WithComma : public ::testing::TestWithParam<Typed> {};

TEST_P(WithComma, ShowsTheTypedValueWithAComma)
{
    EXPECT_EQ(withComma(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Report, WithComma,
                         ::testing::Values(Typed{"1001.59", "1001,59"}, Typed{"1001,59", "1001,59"},
                                           Typed{"572", "572"}, Typed{"-3.5", "-3,5"}, Typed{" 12.50 ", "12,50"},
                                           Typed{".5", "0,5"}, Typed{"7.", "7"}, Typed{"1.5E3", "1,5E3"},
                                           // No number: as typed, dots and all.
                                           Typed{"cien", "cien"}, Typed{"1.2.3", "1.2.3"}, Typed{"12.5 m", "12.5 m"},
                                           Typed{"", ""}, Typed{"-", "-"}, Typed{"1e", "1e"}));

struct Column {
    const char* name;
    std::vector<std::string> typed;
    std::vector<std::string> shown;
};

class PaddedColumn : public ::testing::TestWithParam<Column> {};

TEST_P(PaddedColumn, PadsWithZerosToTheMostPreciseAndRoundsOnlyPastFourDecimals)
{
    EXPECT_EQ(paddedColumn(GetParam().typed), GetParam().shown);
}

const Column kColumns[] = {
    {"whole_beside_two_decimals", {"4482651", "4482669.14"}, {"4482651,00", "4482669,14"}},
    {"comma_and_point_typed", {"4482651,5", "4482669.14", "4482670"}, {"4482651,50", "4482669,14", "4482670,00"}},
    {"four_decimals_kept_whole", {"440000.1234", "440001.9"}, {"440000,1234", "440001,9000"}},
    // Past the fourth decimal, rounded half away from zero on the digits:
    // the column is as wide as four, whatever a text held.
    {"twelve_decimals_rounded_to_four", {"440000.123456789012", "440001.9"}, {"440000,1235", "440001,9000"}},
    {"rounding_down_and_a_half_up", {"4470000.12344999", "-4470000.00005"}, {"4470000,1234", "-4470000,0001"}},
    {"carry_into_the_whole", {"439999.99995", "9.99999"}, {"440000,0000", "10,0000"}},
    {"negative_rounds_to_no_sign", {"-0.00004", "1"}, {"0,0000", "1,0000"}},
    {"bare_fraction_rounded", {".123456"}, {"0,1235"}},
    {"trailing_zeros_count", {"440000.500", "440001"}, {"440000,500", "440001,000"}},
    {"all_whole_unchanged", {"500000", "500010", "-3"}, {"500000", "500010", "-3"}},
    {"bare_separator_and_fraction", {"7.", ".25", "1"}, {"7,00", "0,25", "1,00"}},
    {"blanks_around_dropped", {" 440000.5", "440001 "}, {"440000,5", "440001,0"}},
    // An exponent shifts the decimals: it keeps its own and sets no width.
    {"exponent_only_gets_its_comma", {"4.4E5", "440000.12"}, {"4,4E5", "440000,12"}},
    {"exponent_of_four_decimals_kept", {"4.400001234E5", "4.4e-3"}, {"4,400001234E5", "4,4e-3"}},
    // An exponent text with more decimals than four is written out, then
    // rounded like any other, and sets the width like any other.
    {"exponent_of_many_decimals_written_out", {"4.40000123456E5", "440001"}, {"440000,1235", "440001,0000"}},
    {"small_exponent_rounds_to_nothing", {"-1.5E-9", "1E-00000000000000000009", "5e-5"}, {"0,0000", "0,0000", "0,0001"}},
    {"no_number_as_it_is", {"norte", "1.5"}, {"norte", "1,5"}},
    {"empty_column", {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Report, PaddedColumn, ::testing::ValuesIn(kColumns),
                         [](const auto& info) { return std::string(info.param.name); });

struct Line {
    const char* name;
    const char* text;
    const char* shown;
};

class PointsWithComma : public ::testing::TestWithParam<Line> {};

TEST_P(PointsWithComma, ChangesOnlyThePointsTheCheckQuotes)
{
    EXPECT_EQ(pointsWithComma(GetParam().text), GetParam().shown);
}

const Line kLines[] = {
    {"vertex_repeated", "parcela 8429105VK1882N, anillo exterior, vértice 3: error: El vértice repite el anterior "
                        "(440000.5 4470000).",
     "parcela 8429105VK1882N, anillo exterior, vértice 3: error: El vértice repite el anterior (440000,5 4470000)."},
    {"two_points_negative", "no repite el primero (-12.25 3.5) ni (1 2.75)",
     "no repite el primero (-12,25 3,5) ni (1 2,75)"},
    {"identifier_with_dots", "parcela ES.SDGC.CP.12.5: error: (1.5 2.5)", "parcela ES.SDGC.CP.12.5: error: (1,5 2,5)"},
    {"one_number_in_brackets", "(areaValue 12.5) (1.5)", "(areaValue 12.5) (1.5)"},
    {"quoted_text_not_a_point", "línea 3: error: '12.5.3' no es un número (3.2.1 4)",
     "línea 3: error: '12.5.3' no es un número (3.2.1 4)"},
    {"unclosed", "(440000.5 4470000.25", "(440000.5 4470000.25"},
};

INSTANTIATE_TEST_SUITE_P(Report, PointsWithComma, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Report, CommaBetweenDigitsLeavesOtherDotsAlone)
{
    EXPECT_EQ(commaBetweenDigits("diferencia: -9.80 m2 (-0.97 %)."), "diferencia: -9,80 m2 (-0,97 %).");
    EXPECT_EQ(commaBetweenDigits(".5 y 5. …"), ".5 y 5. …");
}

}  // namespace
