#include "check/check_text.hpp"

#include <cmath>

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

std::string spanishNumber(double value, int decimals) { return formatFixed(value, decimals, ','); }

std::string concat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view p : parts) size += p.size();
    std::string out;
    out.reserve(size);
    for (std::string_view p : parts) out += p;
    return out;
}

std::string_view pathOfFileUrl(std::string_view location)
{
    if (location.starts_with("file://"))
        location.remove_prefix(7);
    else if (location.starts_with("file:/"))
        location.remove_prefix(5);
    else
        return location;
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (location.size() >= 4 && location[0] == '/' && letter(location[1]) && location[2] == ':' &&
        (location[3] == '/' || location[3] == '\\'))
        location.remove_prefix(1);
    return location;
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

namespace {

// The length of the UTF-8 sequence starting at `i`, 0 when none is there.
std::size_t sequenceAt(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b = byte(i);
    std::size_t n = 0;
    unsigned min = 0;
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) n = 2, min = 0x80;
    else if ((b & 0xF0) == 0xE0) n = 3, min = 0x800;
    else if ((b & 0xF8) == 0xF0) n = 4, min = 0x10000;
    else return 0;
    if (i + n > text.size()) return 0;
    unsigned cp = b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

void escaped(unsigned value, std::string& out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

}  // namespace

std::string cutText(std::string_view text, std::size_t longest)
{
    std::size_t at = 0, chars = 0;
    while (at < text.size() && chars < longest) {
        const std::size_t n = sequenceAt(text, at);
        at += n ? n : 1;
        ++chars;
    }
    if (at >= text.size()) return std::string(text);
    return concat({text.substr(0, at), "…"});
}

namespace {

// The code point of the valid `n`-byte sequence at `i`.
unsigned codePointAt(std::string_view text, std::size_t i, std::size_t n)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (n == 1) return byte(0);
    unsigned cp = byte(0) & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) cp = (cp << 6) | (byte(k) & 0x3F);
    return cp;
}

// Characters drawn as nothing that still change the text around them: the
// format characters (bidirectional controls, zero-width joiners and
// spaces, the byte order mark, tags), the line and paragraph separators,
// variation selectors and the fillers that render blank.
bool invisible(unsigned cp)
{
    struct Range {
        unsigned first, last;
    };
    static constexpr Range kRanges[] = {
        {0x00AD, 0x00AD},   {0x034F, 0x034F},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
        {0x070F, 0x070F},   {0x08E2, 0x08E2},   {0x115F, 0x1160},   {0x17B4, 0x17B5},   {0x180B, 0x180F},
        {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},   {0x3164, 0x3164},
        {0xFE00, 0xFE0F},   {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
        {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
        {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
    };
    for (const Range& r : kRanges)
        if (cp >= r.first && cp <= r.last) return true;
    return false;
}

// "\u202e", or "\U000e0041" above U+FFFF; "\xad" within the first 256.
void escapedCodePoint(unsigned cp, std::string& out)
{
    if (cp <= 0xFF) {
        escaped(cp, out);
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    const int digits = cp > 0xFFFF ? 8 : 4;
    out += cp > 0xFFFF ? "\\U" : "\\u";
    for (int d = digits - 1; d >= 0; --d) out += kHex[(cp >> (4 * d)) & 0xF];
}

std::string escapedText(std::string_view text, std::size_t longest, bool invisibleToo)
{
    const std::string cut = longest == std::string_view::npos ? std::string() : cutText(text, longest);
    if (longest != std::string_view::npos) text = cut;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceAt(text, i);
        const auto b = static_cast<unsigned char>(text[i]);
        if (n == 0) {
            escaped(b, out);
            ++i;
            continue;
        }
        const unsigned cp = codePointAt(text, i, n);
        if (cp < 0x20 || cp == 0x7F) {
            if (cp == '\n') out += "\\n";
            else if (cp == '\r') out += "\\r";
            else if (cp == '\t') out += "\\t";
            else escaped(cp, out);
        } else if (cp >= 0x80 && cp < 0xA0) {
            escaped(cp, out);  // C1
        } else if (invisibleToo && invisible(cp)) {
            escapedCodePoint(cp, out);
        } else {
            out.append(text, i, n);
        }
        i += n;
    }
    return out;
}

}  // namespace

std::string printable(std::string_view text, std::size_t longest) { return escapedText(text, longest, false); }

std::string visible(std::string_view text, std::size_t longest) { return escapedText(text, longest, true); }

}  // namespace vadrel::check
