#include "report/report_numbers.hpp"

#include <algorithm>
#include <optional>

#include "core/numeric_text.hpp"

namespace vadrel::report {

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

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

// The pieces with a comma and `decimals` decimals, the missing ones zeros
// (never fewer than the text has). A bare separator goes, a bare fraction
// gets its zero: neither changes the value.
std::string render(const Pieces& p, std::size_t decimals)
{
    decimals = std::max(decimals, p.fraction.size());
    std::string out(p.sign);
    out += p.whole.empty() ? std::string_view("0") : p.whole;
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
    return p ? render(*p, 0) : std::string(text);
}

std::vector<std::string> paddedColumn(const std::vector<std::string>& texts)
{
    std::vector<std::optional<Pieces>> pieces;
    pieces.reserve(texts.size());
    std::size_t decimals = 0;
    for (const std::string& t : texts) {
        pieces.push_back(piecesOf(t));
        // An exponent shifts the decimals: such a text sets no width.
        if (pieces.back() && pieces.back()->exponent.empty()) decimals = std::max(decimals, pieces.back()->fraction.size());
    }
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::optional<Pieces>& p = pieces[i];
        if (!p) out.push_back(texts[i]);
        else out.push_back(render(*p, p->exponent.empty() ? decimals : 0));
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
