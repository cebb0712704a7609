#include "core/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace vadrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal whose digits, read as one integer, stay within 2^53 and
// whose fraction has at most 22 digits: that integer and the power of ten
// are exact doubles, so one division rounds correctly, the same double
// from_chars gives. Every surveyed coordinate takes this road.
bool parseSimple(std::string_view t, char decimalSeparator, double& out)
{
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExact = std::uint64_t{1} << 53;
    std::size_t i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    std::uint64_t mantissa = 0;
    std::size_t digits = 0, fraction = 0;
    bool inFraction = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (isDigit(c)) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            if (mantissa > kExact) return false;
            ++digits;
            if (inFraction) ++fraction;
        } else if (c == decimalSeparator && !inFraction) {
            inFraction = true;
        } else {
            return false;
        }
    }
    if (digits == 0 || fraction > 22) return false;
    const double v = static_cast<double>(mantissa) / kPow10[fraction];
    out = negative ? -v : v;
    return true;
}

}  // namespace

bool parseNumber(std::string_view text, char decimalSeparator, double& out)
{
    std::size_t i = 0, n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    while (n > i && isBlank(text[n - 1])) --n;
    if (parseSimple(text.substr(i, n - i), decimalSeparator, out)) return true;

    // Rebuilt in the form from_chars reads: "-digits.digitsEexp".
    std::string canon;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') canon += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) { canon += text[i++]; ++digits; }
    if (i < n && text[i] == decimalSeparator) {
        canon += '.';
        ++i;
        while (i < n && isDigit(text[i])) { canon += text[i++]; ++digits; }
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        canon += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-') canon += '-';
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i])) { canon += text[i++]; ++expDigits; }
        if (expDigits == 0) return false;
    }
    if (i != n) return false;

    double value = 0;
    auto [end, ec] = std::from_chars(canon.data(), canon.data() + canon.size(), value);
    if (ec != std::errc() || end != canon.data() + canon.size()) return false;
    out = value;
    return true;
}

std::string formatFixed(double value, int decimals, char decimalSeparator)
{
    if (std::isfinite(value) && std::round(std::fabs(value) * std::pow(10.0, decimals)) == 0) value = 0;
    char buf[400];  // the largest double in full, and its decimals
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string out(buf, res.ec == std::errc() ? res.ptr : buf);
    if (const std::size_t dot = out.find('.'); dot != std::string::npos) out[dot] = decimalSeparator;
    return out;
}

std::string formatGeneral(double value, char decimalSeparator)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    // 15 significant digits, correctly rounded: d.dddddddddddddde±x
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);

    std::string out;
    std::size_t pos = 0;
    if (sci[0] == '-') { out += '-'; pos = 1; }
    std::size_t e = sci.find('e');
    std::string mant;
    for (std::size_t k = pos; k < e; ++k)
        if (sci[k] != '.') mant += sci[k];
    int exp = std::atoi(sci.c_str() + e + 1);
    while (mant.size() > 1 && mant.back() == '0') mant.pop_back();

    if (exp >= 15 || exp < -15) {
        out += mant[0];
        if (mant.size() > 1) { out += decimalSeparator; out.append(mant, 1); }
        out += 'E';
        out += std::to_string(exp);
        return out;
    }
    if (exp < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exp - 1), '0');
        out += mant;
        return out;
    }
    auto intDigits = static_cast<std::size_t>(exp) + 1;
    if (mant.size() <= intDigits) {
        out += mant;
        out.append(intDigits - mant.size(), '0');
    } else {
        out.append(mant, 0, intDigits);
        out += decimalSeparator;
        out.append(mant, intDigits);
    }
    return out;
}

}  // namespace vadrel
