#pragma once
// The file's bytes as one UTF-8 text, so that the program's reader and
// libxml2 read the very same document: only encodings both read alike are
// taken (UTF-8, UTF-16 with its byte-order mark, ISO-8859-1, ISO-8859-15,
// Windows-1252), converted here, with the declaration saying UTF-8. Any other
// (UTF-7, EBCDIC, UTF-32, ...) is refused: libxml2 would decode text, markup
// included, that the program's reader took for something else.

#include <string>

namespace vadrel::check {

// Throws Failure with the reason, in Spanish, for an encoding not taken.
// Lines stay where they were.
std::string asUtf8Document(std::string bytes);

}  // namespace vadrel::check
