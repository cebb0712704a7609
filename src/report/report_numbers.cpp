#include "report/report_numbers.hpp"

#include <algorithm>
#include <optional>

#include "core/numeric_text.hpp"

namespace vadrel::report {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

// The table's coordinates to a tenth of a millimetre: no survey measures
// finer, and more decimals would run out of the column.
constexpr std::size_t kMostDecimals = 4;

// A number text cut into its pieces, the separator left out.
struct Pieces {
    std::string_view sign, whole, fraction, exponent;
};

std::size_t digitsFrom(std::string_view s, std::size_t i)
{
    while (i < s.size() && digit(s[i])) ++i;
    return i;
}

// Optional sign, digits, one "." or "," and digits, an optional exponent;
// at least one digit before the exponent. Blanks around are dropped.
std::optional<Pieces> piecesOf(std::string_view text)
{
    const std::string_view s = trimmed(text);
    Pieces p;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    p.sign = s.substr(0, i);
    std::size_t end = digitsFrom(s, i);
    p.whole = s.substr(i, end - i);
    i = end;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        end = digitsFrom(s, i + 1);
        p.fraction = s.substr(i + 1, end - i - 1);
        i = end;
    }
    if (p.whole.empty() && p.fraction.empty()) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        end = digitsFrom(s, j);
        if (end == j) return std::nullopt;
        p.exponent = s.substr(i);
        i = end;
    }
    if (i != s.size()) return std::nullopt;
    return p;
}

// A number text's pieces owned, once changed for the table.
struct Number {
    std::string sign, whole, fraction, exponent;
};

// Half away from zero on the digits themselves, so that the table shows
// the text's own value to the decimal: "0.99996" is "1.0000".
void roundTo(Number& n, std::size_t decimals)
{
    if (n.fraction.size() <= decimals) return;
    const bool up = n.fraction[decimals] >= '5';
    n.fraction.resize(decimals);
    if (n.whole.empty()) n.whole = "0";
    if (up) {
        std::string digits = n.whole + n.fraction;
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) digits.insert(digits.begin(), '1');
        else ++digits[i - 1];
        n.whole = digits.substr(0, digits.size() - decimals);
        n.fraction = digits.substr(digits.size() - decimals);
    }
    if (n.whole.find_first_not_of('0') == std::string::npos && n.fraction.find_first_not_of('0') == std::string::npos)
        n.sign.clear();  // no "-0,0000"
}

// The power of ten of an exponent text, held within ten million either
// way: beyond that every digit is far on one side of the point.
long exponentOf(const Pieces& p)
{
    std::string_view e = p.exponent.substr(1);
    const bool negative = !e.empty() && e.front() == '-';
    if (!e.empty() && (e.front() == '-' || e.front() == '+')) e.remove_prefix(1);
    while (e.size() > 1 && e.front() == '0') e.remove_prefix(1);
    constexpr long kFar = 10000000;
    long exponent = kFar;
    if (e.size() < 8) {
        exponent = 0;
        for (char c : e) exponent = exponent * 10 + (c - '0');
    }
    return negative ? -std::min(exponent, kFar) : std::min(exponent, kFar);
}

// The decimals an exponent text's value has: its fraction's, less the
// places the exponent moves the point right.
long decimalsOf(const Pieces& p) { return static_cast<long>(p.fraction.size()) - exponentOf(p); }

// An exponent text's value written out without it: "4.4000012345e5" is
// "440000.12345". Only for one whose value has decimals to round, so the
// point never falls right of its digits.
Number writtenOut(const Pieces& p)
{
    const std::string digits = std::string(p.whole) + std::string(p.fraction);
    // Where the point falls among the digits; five places or more before
    // the first of them and the value rounds to nothing all the same.
    const long point = std::max(static_cast<long>(p.whole.size()) + exponentOf(p), -5L);
    Number n{std::string(p.sign), {}, {}, {}};
    if (point <= 0) {
        n.whole = "0";
        n.fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else {
        n.whole = digits.substr(0, static_cast<std::size_t>(point));
        n.fraction = digits.substr(static_cast<std::size_t>(point));
    }
    const std::size_t first = n.whole.find_first_not_of('0');
    n.whole.erase(0, first == std::string::npos ? n.whole.size() - 1 : first);
    return n;
}

// A coordinate as the table takes it: at most kMostDecimals decimals, an
// exponent text kept as typed unless its value has more.
Number forTable(const Pieces& p)
{
    if (!p.exponent.empty() && decimalsOf(p) <= static_cast<long>(kMostDecimals))
        return Number{std::string(p.sign), std::string(p.whole), std::string(p.fraction), std::string(p.exponent)};
    Number n = p.exponent.empty() ? Number{std::string(p.sign), std::string(p.whole), std::string(p.fraction), {}}
                                  : writtenOut(p);
    roundTo(n, kMostDecimals);
    return n;
}

// The pieces with a comma and `decimals` decimals, the missing ones zeros
// (never fewer than the text has). A bare separator goes, a bare fraction
// gets its zero: neither changes the value.
std::string render(const Number& p, std::size_t decimals)
{
    decimals = std::max(decimals, p.fraction.size());
    std::string out(p.sign);
    out += p.whole.empty() ? std::string_view("0") : std::string_view(p.whole);
    if (decimals > 0) {
        out += ',';
        out += p.fraction;
        out.append(decimals - p.fraction.size(), '0');
    }
    out += p.exponent;
    return out;
}

// The length of a point's coordinate as the check writes it ("-12",
// "440000.5") from `i`; 0 when there is none.
std::size_t coordinateAt(std::string_view s, std::size_t i)
{
    const std::size_t start = i;
    if (i < s.size() && s[i] == '-') ++i;
    const std::size_t whole = digitsFrom(s, i);
    if (whole == i) return 0;
    i = whole;
    if (i + 1 < s.size() && s[i] == '.' && digit(s[i + 1])) i = digitsFrom(s, i + 1);
    return i - start;
}

}  // namespace

std::string withComma(std::string_view text)
{
    const std::optional<Pieces> p = piecesOf(text);
    return p ? render(Number{std::string(p->sign), std::string(p->whole), std::string(p->fraction),
                             std::string(p->exponent)},
                      0)
             : std::string(text);
}

std::vector<std::string> paddedColumn(const std::vector<std::string>& texts)
{
    std::vector<std::optional<Number>> numbers;
    numbers.reserve(texts.size());
    std::size_t decimals = 0;
    for (const std::string& t : texts) {
        const std::optional<Pieces> p = piecesOf(t);
        numbers.push_back(p ? std::optional<Number>(forTable(*p)) : std::nullopt);
        // An exponent shifts the decimals: such a text sets no width.
        if (numbers.back() && numbers.back()->exponent.empty())
            decimals = std::max(decimals, numbers.back()->fraction.size());
    }
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<Number>& n = numbers[i];
        if (!n) out.push_back(texts[i]);
        else out.push_back(render(*n, n->exponent.empty() ? decimals : 0));
    }
    return out;
}

std::string commaBetweenDigits(std::string_view text)
{
    std::string out(text);
    for (std::size_t i = 1; i + 1 < out.size(); ++i)
        if (out[i] == '.' && digit(out[i - 1]) && digit(out[i + 1])) out[i] = ',';
    return out;
}

std::string pointsWithComma(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        // "(" x " " y ")", nothing else between the brackets.
        if (text[i] == '(') {
            const std::size_t x = coordinateAt(text, i + 1);
            const std::size_t gap = i + 1 + x;
            const std::size_t y = x > 0 && gap < text.size() && text[gap] == ' ' ? coordinateAt(text, gap + 1) : 0;
            const std::size_t close = gap + 1 + y;
            if (y > 0 && close < text.size() && text[close] == ')') {
                out += commaBetweenDigits(text.substr(i, close + 1 - i));
                i = close + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

}  // namespace vadrel::report
