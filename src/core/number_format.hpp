#pragma once
// The user's number and date conventions, captured once when a form is
// created; never taken from the C locale.

#include <string>
#include <string_view>

namespace vadrel {

struct NumberFormat {
    char decimalSeparator = '.';
    char dateSeparator = '/';

    // "." and "/": the batch command and tests.
    static NumberFormat batch() { return {}; }
    static NumberFormat withDecimal(char sep)
    {
        NumberFormat f;
        f.decimalSeparator = sep;
        return f;
    }
};

// The locale's text-to-number conversion: optional blanks around, optional
// sign, digits with at most one `decimalSeparator`, optional exponent.
// No thousands separators. Returns false when the text is no such number.
bool parseNumber(std::string_view text, char decimalSeparator, double& out);

// The general number format: rounded to 15 significant digits, trailing
// zeros and a bare separator dropped, fixed notation except for magnitudes
// no coordinate or area ever takes.
std::string formatGeneral(double value, char decimalSeparator);

// Fixed notation with `decimals` decimals, correctly rounded; a value that
// rounds to nothing has no sign ("0,00", never "-0,00").
std::string formatFixed(double value, int decimals, char decimalSeparator);

}  // namespace vadrel
