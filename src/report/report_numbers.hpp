#pragma once
// The report's numbers in the Spanish text's own form: a decimal comma,
// whatever separator a figure was typed, written or computed with, and the
// table's coordinates padded to a common number of decimals. A client
// checks the table against the GML, so values are rounded only past the
// fourth decimal, a tenth of a millimetre.

#include <string>
#include <string_view>
#include <vector>

namespace vadrel::report {

// A number text as typed ("1001.59", " -3,5", "572", ".5") with a decimal
// comma ("1001,59", "-3,5", "572", "0,5"); any other text as it is.
std::string withComma(std::string_view text);

// One column of coordinate texts with a decimal comma, each padded with
// zeros to the decimals of the most precise one ("4482651" beside
// "4482669.14" is "4482651,00"), none past the fourth: more are rounded
// ("440000.123456" is "440000,1235"). A text in exponent form gets its
// comma and keeps its decimals, unless its value has more than four, when
// it is written out and rounded; a text that is no number stays as it is.
std::vector<std::string> paddedColumn(const std::vector<std::string>& texts);

// Every "." between two digits as ",": for a text whose only dotted digits
// are figures.
std::string commaBetweenDigits(std::string_view text);

// The points the check's messages quote, "(440000.5 4470000)", with a
// decimal comma; the rest of the text (names, identifiers, quoted file
// text) as it is.
std::string pointsWithComma(std::string_view text);

}  // namespace vadrel::report
