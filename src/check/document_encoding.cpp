#include "check/document_encoding.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "check/check_text.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"

namespace vadrel::check {

namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be, Latin1, Latin9, Cp1252 };

constexpr const char* kTaken = "UTF-8, UTF-16 (con marca de orden de bytes), ISO-8859-1, ISO-8859-15 o Windows-1252";

// `encoding` as the file names it, or in our words (not quoted).
[[noreturn]] void refuse(std::string_view encoding, bool named = true)
{
    throw Failure(concat({"El archivo está en la codificación ", named ? quoted(encoding) : encoding,
                          ", que no se comprueba: un GML va en ", kTaken, "."}));
}

std::optional<Encoding> named(std::string_view name)
{
    const std::string n = asciiLower(name);
    if (n == "utf-8" || n == "utf8") return Encoding::Utf8;
    if (n == "iso-8859-1" || n == "iso_8859-1" || n == "latin1" || n == "latin-1") return Encoding::Latin1;
    if (n == "iso-8859-15" || n == "iso_8859-15" || n == "latin9" || n == "latin-9") return Encoding::Latin9;
    if (n == "windows-1252" || n == "cp1252") return Encoding::Cp1252;
    return std::nullopt;
}

std::string fromUtf16(std::string_view bytes, bool little)
{
    if (bytes.size() % 2 != 0) throw Failure("El archivo en UTF-16 tiene un número impar de bytes: está cortado.");
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(little ? a | (b << 8) : (a << 8) | b);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp < 0xE000) throw Failure("El archivo en UTF-16 tiene una mitad de carácter suelta.");
        appendUtf8(out, cp);
    }
    return out;
}

std::string fromSingleByte(std::string_view bytes, Encoding encoding)
{
    if (encoding == Encoding::Cp1252) return cp1252ToUtf8(bytes);
    // ISO-8859-15 is ISO-8859-1 with eight places changed (the euro sign...).
    static constexpr std::array<std::pair<unsigned char, char32_t>, 8> kLatin9{{{0xA4, 0x20AC},
                                                                              {0xA6, 0x0160},
                                                                              {0xA8, 0x0161},
                                                                              {0xB4, 0x017D},
                                                                              {0xB8, 0x017E},
                                                                              {0xBC, 0x0152},
                                                                              {0xBD, 0x0153},
                                                                              {0xBE, 0x0178}}};
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        char32_t cp = c;
        if (encoding == Encoding::Latin9)
            for (const auto& [from, to] : kLatin9)
                if (c == from) cp = to;
        appendUtf8(out, cp);
    }
    return out;
}

struct Declaration {
    std::size_t end = 0;  // just after "?>"; 0 when the text has none
    std::string version = "1.0";
    std::string encoding;  // as written; empty when not given
    std::string standalone;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The declaration at the start of `text` (ASCII in every encoding taken);
// nothing when one is there but is not read as XML reads it.
std::optional<Declaration> declarationOf(std::string_view text)
{
    Declaration d;
    if (!text.starts_with("<?xml") || text.size() < 6 || !isBlank(text[5])) return d;
    const std::size_t close = text.find("?>");
    if (close == std::string_view::npos) return std::nullopt;
    d.end = close + 2;
    std::string_view rest = text.substr(5, close - 5);
    bool seenVersion = false;
    while (true) {
        std::size_t i = 0;
        while (i < rest.size() && isBlank(rest[i])) ++i;
        rest.remove_prefix(i);
        if (rest.empty()) break;
        const std::size_t eq = rest.find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        std::string_view name = rest.substr(0, eq);
        while (!name.empty() && isBlank(name.back())) name.remove_suffix(1);
        rest.remove_prefix(eq + 1);
        i = 0;
        while (i < rest.size() && isBlank(rest[i])) ++i;
        rest.remove_prefix(i);
        if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return std::nullopt;
        const std::size_t end = rest.find(rest[0], 1);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string value(rest.substr(1, end - 1));
        rest.remove_prefix(end + 1);
        if (name == "version" && !seenVersion && d.encoding.empty() && d.standalone.empty())
            d.version = value, seenVersion = true;
        else if (name == "encoding" && seenVersion && d.encoding.empty() && d.standalone.empty() && !value.empty())
            d.encoding = value;
        else if (name == "standalone" && seenVersion && d.standalone.empty())
            d.standalone = value;
        else
            return std::nullopt;
        if (!rest.empty() && !isBlank(rest[0])) return std::nullopt;
    }
    if (!seenVersion) return std::nullopt;
    return d;
}

}  // namespace

std::string asUtf8Document(std::string bytes)
{
    std::optional<Encoding> found;
    const std::string_view start(bytes.data(), std::min<std::size_t>(bytes.size(), 4));
    if (start.starts_with("\xEF\xBB\xBF")) {
        bytes.erase(0, 3);
        found = Encoding::Utf8;
    } else if (start == std::string_view("\xFF\xFE\0\0", 4) || start == std::string_view("\0\0\xFE\xFF", 4)) {
        refuse("UTF-32", false);
    } else if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        const bool little = start[0] == '\xFF';
        bytes = fromUtf16(std::string_view(bytes).substr(2), little);
        found = little ? Encoding::Utf16Le : Encoding::Utf16Be;
    } else if (start.find('\0') != std::string_view::npos) {
        refuse("UTF-16 o UTF-32 sin marca de orden de bytes", false);
    } else if (start == "\x4C\x6F\xA7\x94") {
        refuse("EBCDIC", false);
    }

    const std::optional<Declaration> declaration = declarationOf(bytes);
    if (!declaration) throw Failure("El archivo empieza por una declaración XML (<?xml ...?>) mal escrita.");
    const std::string& said = declaration->encoding;
    if (found && found != Encoding::Utf8) {
        // Converted from UTF-16 already: the declaration may only agree.
        const std::string n = asciiLower(said);
        if (!said.empty() && n != "utf-16" && n != "utf16" && n != (found == Encoding::Utf16Le ? "utf-16le" : "utf-16be"))
            refuse(concat({said, " dentro de UTF-16"}));
    } else if (!said.empty()) {
        const std::optional<Encoding> declared = named(said);
        if (!declared || (found == Encoding::Utf8 && declared != Encoding::Utf8)) refuse(said);
        if (declared != Encoding::Utf8) bytes = fromSingleByte(bytes, *declared);
    }
    if (said.empty() || asciiLower(said) == "utf-8") return bytes;

    // The same declaration, saying UTF-8; its line breaks kept after it so
    // that every later line keeps its number.
    std::string rewritten = concat({"<?xml version=\"", declaration->version, "\" encoding=\"UTF-8\""});
    if (!declaration->standalone.empty()) rewritten += concat({" standalone=\"", declaration->standalone, "\""});
    rewritten += "?>";
    for (std::size_t i = 0; i < declaration->end; ++i)
        if (bytes[i] == '\n') rewritten += '\n';
    bytes.replace(0, declaration->end, rewritten);
    return bytes;
}

}  // namespace vadrel::check
