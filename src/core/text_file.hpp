#pragma once
// The plain text files that travel to and from Spanish desktops: read as
// UTF-8 when valid, else as Windows-1252; written as Windows-1252 with CR LF.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vadrel {

bool isValidUtf8(std::string_view bytes);
// Where the first byte that starts no valid UTF-8 character is; npos if none.
std::size_t invalidUtf8At(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// One code point appended to a UTF-8 text.
void appendUtf8(std::string& out, char32_t cp);
// Characters the code page lacks become "?".
std::string utf8ToCp1252(std::string_view text);

// The file's text in UTF-8, a UTF-8 byte-order mark dropped. Throws Failure
// when the file cannot be opened or read.
std::string readText(const std::filesystem::path& path);

// Lines in UTF-8, without their CR LF or LF; a UTF-8 byte-order mark is
// dropped. Throws Failure when the file cannot be opened or read.
std::vector<std::string> readTextLines(const std::filesystem::path& path);

// One line after another of a text, each without its CR LF or LF; a final
// line break does not start another line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line);

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The text in Windows-1252, written atomically.
void writeText(const std::filesystem::path& path, std::string_view text);

// Each line in Windows-1252 ended by CR LF, written atomically.
void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace vadrel
