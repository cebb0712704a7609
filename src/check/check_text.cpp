#include "check/check_text.hpp"

#include <cmath>
#include <cstdio>

#include "core/number_format.hpp"
#include "core/numeric_text.hpp"

namespace vadrel::check {

std::optional<double> xmlNumber(std::string_view text)
{
    // The locale's reading with "." is exactly the XML number form; INF and
    // NaN it does not take, and what overflows it refuses.
    double value = 0;
    if (!parseNumber(trimmed(text), '.', value) || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string spanishNumber(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string out = buffer;
    if (const std::size_t dot = out.find('.'); dot != std::string::npos) out[dot] = ',';
    // No "-0,00" for a difference that rounds to nothing.
    if (out.front() == '-' && out.find_first_not_of("0,", 1) == std::string::npos) out.erase(0, 1);
    return out;
}

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    std::string out;
    out.reserve(size);
    for (std::string_view p : parts) out += p;
    return out;
}

std::string percentDecoded(std::string_view text)
{
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string pointText(double x, double y)
{
    return concat({"(", formatGeneral(x, '.'), " ", formatGeneral(y, '.'), ")"});
}

std::string quoted(std::string_view text)
{
    constexpr std::size_t kLongest = 40;
    std::string out = "«";
    if (text.size() <= kLongest) {
        out += text;
    } else {
        // Cut on a character boundary, so that the message stays UTF-8.
        std::size_t cut = kLongest;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        out += text.substr(0, cut);
        out += "…";
    }
    out += "»";
    return out;
}

}  // namespace vadrel::check
