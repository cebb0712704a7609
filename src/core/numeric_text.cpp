#include "core/numeric_text.hpp"

#include <algorithm>
#include <charconv>
#include <string>

#include "core/failure.hpp"

namespace vadrel {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void replaceFirst(std::string& s, char from, char to)
{
    if (auto pos = s.find(from); pos != std::string::npos) s[pos] = to;
}

// The text as the locale's conversion wants it: the other separator, if
// present, becomes the locale's one (first occurrence only).
std::string toLocaleSeparator(std::string_view text, char decimalSeparator)
{
    std::string s(text);
    if (decimalSeparator == ',')
        replaceFirst(s, '.', ',');
    else if (decimalSeparator == '.')
        replaceFirst(s, ',', '.');
    return s;
}

// Adds one to the digits of `kept` from the right. Dropped nines and the
// separator disappear from a fraction; in the integer part they become zeros.
std::string roundUp(std::string kept, std::size_t sepPos)
{
    while (kept.size() > sepPos + 1) {
        char& c = kept.back();
        if (c == '9') {
            kept.pop_back();
            continue;
        }
        if (isDigit(c))
            ++c;
        else
            kept += '1';
        return kept;
    }
    kept.pop_back();  // the separator itself
    for (std::size_t i = kept.size(); i-- > 0;) {
        char& c = kept[i];
        if (c == '9') {
            c = '0';
            continue;
        }
        if (isDigit(c)) {
            ++c;
            return kept;
        }
        kept.insert(i + 1, 1, '1');  // past the first digit: a sign stays in front
        return kept;
    }
    kept.insert(0, 1, '1');
    return kept;
}

}  // namespace

double MiStrToFloat(std::string_view cadena, const NumberFormat& fmt)
{
    if (cadena.empty()) return 0;
    double value = 0;
    // Most texts already carry the locale's separator: read them in place.
    const char other = fmt.decimalSeparator == ',' ? '.' : fmt.decimalSeparator == '.' ? ',' : '\0';
    if (other == '\0' || cadena.find(other) == std::string_view::npos) {
        if (parseNumber(cadena, fmt.decimalSeparator, value)) return value;
        throw Failure(formatMessage(kNotAFloat, std::string(cadena)));
    }
    const std::string s = toLocaleSeparator(cadena, fmt.decimalSeparator);
    if (!parseNumber(s, fmt.decimalSeparator, value)) throw Failure(formatMessage(kNotAFloat, s));
    return value;
}

bool compruebaCaracteres(std::string_view cadena)
{
    for (char c : cadena) {
        bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c) || c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

std::string redondeaCadena(std::string_view origen, int precision)
{
    std::size_t sep = origen.find(',');
    if (sep == std::string_view::npos) sep = origen.find('.');
    if (sep == std::string_view::npos) return std::string(origen);
    // An exponent scales the decimals rather than extending them: the
    // mantissa is cut and rounded, the exponent kept ("1.23456E15" is no
    // 1.2346).
    if (const std::size_t e = origen.find_first_of("eE", sep + 1); e != std::string_view::npos) {
        std::string mantissa = redondeaCadena(origen.substr(0, e), precision);
        mantissa += origen.substr(e);
        return mantissa;
    }

    std::size_t keepEnd = sep + 1 + static_cast<std::size_t>(precision < 0 ? 0 : precision);
    if (keepEnd > origen.size()) keepEnd = origen.size();
    std::string kept(origen.substr(0, keepEnd));
    if (keepEnd >= origen.size()) return kept;

    char next = origen[keepEnd];
    if (!isDigit(next)) throw Failure(formatMessage(kNotAnInteger, std::string(1, next)));
    if (next <= '5') return kept;
    return roundUp(std::move(kept), sep);
}

std::string husoAEpsg(std::string_view huso)
{
    huso = trimmed(huso);
    if (huso == "28") return "32628";
    if (huso == "29") return "25829";
    if (huso == "30" || huso.empty()) return "25830";
    if (huso == "31") return "25831";
    throw Failure(kHusoInvalido);
}

int husoNumero(std::string_view huso) { return std::stoi(husoAEpsg(huso).substr(3)); }

std::string husoDeSrsName(std::string_view srsName)
{
    return std::string(srsName.size() > 2 ? srsName.substr(srsName.size() - 2) : srsName);
}

std::optional<int> epsgDeSrsName(std::string_view srsName)
{
    srsName = trimmed(srsName);
    if (asciiLower(srsName).find("epsg") == std::string::npos) return std::nullopt;
    std::size_t start = srsName.size();
    while (start > 0 && srsName[start - 1] >= '0' && srsName[start - 1] <= '9') --start;
    const std::string_view digits = srsName.substr(start);
    if (digits.empty() || digits.size() > 6 || start == 0 || (srsName[start - 1] != ':' && srsName[start - 1] != '/'))
        return std::nullopt;
    return std::stoi(std::string(digits));
}

bool normalizaSuperficie(std::string& ESup, const NumberFormat& fmt)
{
    double ignored = 0;
    bool notNumeric = !parseNumber(toLocaleSeparator(ESup, fmt.decimalSeparator), fmt.decimalSeparator, ignored);
    replaceFirst(ESup, ',', '.');
    if (!notNumeric) ESup = redondeaCadena(ESup, 4);
    return notNumeric;
}

std::optional<int> enteroDe(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    text = text.substr(b, e - b);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus) text.remove_prefix(1);
    if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string asciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string_view trimmed(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

}  // namespace vadrel
