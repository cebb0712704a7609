#include "core/numeric_text.hpp"
#include "core/spanish_order.hpp"

#include <gtest/gtest.h>

#include "core/failure.hpp"

using namespace vadrel;

class MiStrToFloatTest : public ::testing::TestWithParam<char> {
protected:
    NumberFormat fmt() const { return NumberFormat::withDecimal(GetParam()); }
};

TEST_P(MiStrToFloatTest, AcceptsEitherSeparator)
{
    EXPECT_DOUBLE_EQ(MiStrToFloat("1.5", fmt()), 1.5);
    EXPECT_DOUBLE_EQ(MiStrToFloat("1,5", fmt()), 1.5);
    EXPECT_DOUBLE_EQ(MiStrToFloat("-500000,25", fmt()), -500000.25);
    EXPECT_DOUBLE_EQ(MiStrToFloat("", fmt()), 0);
}

TEST_P(MiStrToFloatTest, FailsWithTheConvertedTextInTheMessage)
{
    const std::string expected =
        GetParam() == ',' ? "'1,234,5' is not a valid floating point value" : "'1.234.5' is not a valid floating point value";
    try {
        MiStrToFloat("1.234,5", fmt());
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_EQ(f.what(), expected);
    }
    EXPECT_THROW(MiStrToFloat("123.45,6", fmt()), Failure);
    EXPECT_THROW(MiStrToFloat("abc", fmt()), Failure);
    EXPECT_THROW(MiStrToFloat(" ", fmt()), Failure);
}

INSTANTIATE_TEST_SUITE_P(Separators, MiStrToFloatTest, ::testing::Values('.', ','));

TEST(CompruebaCaracteres, AllowsLettersDigitsDashAndUnderscoreOnly)
{
    for (const char* ok : {"12345A67890123", "ES-1_b", ""}) EXPECT_TRUE(compruebaCaracteres(ok)) << ok;
    for (const char* bad : {"1234 5", "año", "12.3", "a/b", "é", "x\t"}) EXPECT_FALSE(compruebaCaracteres(bad)) << bad;
}

struct RoundCase {
    const char* origen;
    int precision;
    const char* result;
};

class RedondeaCadenaTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RedondeaCadenaTest, CutsAndRoundsUpFromSix)
{
    const auto& c = GetParam();
    EXPECT_EQ(redondeaCadena(c.origen, c.precision), c.result) << c.origen;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RedondeaCadenaTest,
    ::testing::Values(RoundCase{"123,456789", 4, "123,4568"}, RoundCase{"12.34565", 4, "12.3456"},
                      RoundCase{"12.34566", 4, "12.3457"}, RoundCase{"0.99996", 4, "1"},
                      RoundCase{"9.99996", 4, "10"}, RoundCase{"99.99996", 4, "100"},
                      RoundCase{"12.3", 4, "12.3"}, RoundCase{"1234", 4, "1234"},
                      RoundCase{"12.3496", 2, "12.35"}, RoundCase{"12.3996", 2, "12.4"},
                      RoundCase{"12.3499999", 2, "12.35"}, RoundCase{"12.345999", 2, "12.34"},
                      RoundCase{"-9.99996", 4, "-10"}, RoundCase{"+0.99999", 4, "+1"},
                      RoundCase{"19.99997", 4, "20"}, RoundCase{"1.5,7", 0, "1.6"},
                      RoundCase{"12.7", 0, "13"}, RoundCase{"1234.", 4, "1234."}, RoundCase{"", 4, ""},
                      // The exponent of the general format's large numbers stays.
                      RoundCase{"1.23456789012346E15", 4, "1.2346E15"}, RoundCase{"1.2345e5", 4, "1.2345e5"},
                      RoundCase{"9.99999E-16", 4, "10E-16"}, RoundCase{"4.41e+05", 4, "4.41e+05"}));

TEST(RedondeaCadena, NonDigitAfterTheKeptDecimalsFails)
{
    try {
        redondeaCadena("1.2345x5", 4);
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "'x' is not a valid integer value");
    }
}

TEST(HusoAEpsg, MapsTheFourZonesTrimmedAndRefusesAnyOther)
{
    const std::pair<const char*, const char*> table[] = {
        {"28", "32628"}, {"29", "25829"}, {"30", "25830"}, {"31", "25831"}, {"", "25830"},   {"  ", "25830"},
        {" 30", "25830"}, {"30 ", "25830"}, {"28 ", "32628"}, {"31 ", "25831"}, {"\t29", "25829"}};
    for (auto [zone, epsg] : table) EXPECT_EQ(husoAEpsg(zone), epsg) << '"' << zone << '"';
    // Written as zone 30 these put a parcel hundreds of kilometres away.
    for (const char* bad : {"27", "32", "0", "3 1", "3'0", "031", "huso", "30.0", "25830"}) {
        try {
            husoAEpsg(bad);
            ADD_FAILURE() << '"' << bad << "\" accepted";
        } catch (const Failure& f) {
            EXPECT_STREQ(f.what(), "Error. El huso debe ser 28, 29, 30 o 31.") << bad;
        }
    }
}

struct AreaCase {
    const char* field;
    char sep;
    const char* after;
    bool notNumeric;
};

class NormalizaSuperficieTest : public ::testing::TestWithParam<AreaCase> {};

TEST_P(NormalizaSuperficieTest, LeavesDotAndFourDecimals)
{
    const auto& c = GetParam();
    std::string field = c.field;
    EXPECT_EQ(normalizaSuperficie(field, NumberFormat::withDecimal(c.sep)), c.notNumeric) << c.field;
    EXPECT_EQ(field, c.after) << c.field;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NormalizaSuperficieTest,
    ::testing::Values(AreaCase{"1234,56789", '.', "1234.5679", false}, AreaCase{"1234,56789", ',', "1234.5679", false},
                      AreaCase{"1234.56785", '.', "1234.5678", false}, AreaCase{"1234.56785", ',', "1234.5678", false},
                      AreaCase{"1234", '.', "1234", false}, AreaCase{"abc", '.', "abc", true},
                      AreaCase{"", ',', "", true}, AreaCase{"1.234,5", ',', "1.234.5", true},
                      AreaCase{"12,5x", '.', "12.5x", true}, AreaCase{" 99,99999 ", ',', " 100", false}));

TEST(CharacterCount, CountsCharactersNotBytes)
{
    EXPECT_EQ(characterCount("1234567AB1234Ñ"), 14u);
    EXPECT_EQ(characterCount(""), 0u);
}

TEST(AntesEnEspanol, OrdersAsTheFileDialog)
{
    // Each name comes before the next.
    const std::vector<std::string> orden{"", "1.gml", "02.gml", "10.gml", "a", "A", "á", "Á", "ab", "Ávila", "b",
                                         "n", "nz", "ñ", "Ñu", "o", "parcela2", "parcela10", "y", "ÿ", "z"};
    for (std::size_t i = 0; i + 1 < orden.size(); ++i) {
        EXPECT_TRUE(antesEnEspanol(orden[i], orden[i + 1])) << orden[i] << " < " << orden[i + 1];
        EXPECT_FALSE(antesEnEspanol(orden[i + 1], orden[i])) << orden[i + 1] << " !< " << orden[i];
    }
    EXPECT_FALSE(antesEnEspanol("a", "a"));
    // A stray byte (a Windows-1252 name) still orders one way only.
    EXPECT_NE(antesEnEspanol("x\xF1", "x\xC3\xB1"), antesEnEspanol("x\xC3\xB1", "x\xF1"));
    EXPECT_TRUE(antesEnEspanol("x\xF1", "xo"));
}
