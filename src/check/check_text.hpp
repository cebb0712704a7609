#pragma once
// Numbers as a GML writes them and as the messages show them.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vadrel::check {

// An xs:double or xs:decimal text ("." only, optional sign and exponent) as
// a finite number; nothing for anything else, INF and NaN included.
std::optional<double> xmlNumber(std::string_view text);

// Fixed decimals with a decimal comma: 238.4712 with 2 gives "238,47".
std::string spanishNumber(double value, int decimals);

// The pieces one after the other (a message built without temporaries).
std::string concat(std::initializer_list<std::string_view> parts);

// "(x y)" as the file would write the point.
std::string pointText(double x, double y);

// "%20" and the like as the bytes they stand for; a "%" not followed by
// two hexadecimal digits stays as it is.
std::string percentDecoded(std::string_view text);

// The path a "file:" address names, still escaped: "file:///home/a" and
// "file:/home/a" give "/home/a"; "file:/Z:/a" and "file:///Z:/a" (libxml2
// on Windows) give "Z:/a". Any other text comes back as it is.
std::string_view pathOfFileUrl(std::string_view location);

// A file's text quoted in a message, cut when long.
std::string quoted(std::string_view text);

// The longest name shown whole; a longer one is cut with "…".
inline constexpr std::size_t kLongestName = 200;

// `text` cut to its first `longest` characters and "…" when longer.
std::string cutText(std::string_view text, std::size_t longest);

// Text fit for a terminal or a dialog: control characters (C0, DEL, C1)
// and bytes that are not UTF-8 are shown escaped ("\n", "\x1b"), so that a
// name in a file cannot print lines of its own or drive the terminal; cut
// to `longest` characters when longer.
std::string printable(std::string_view text, std::size_t longest = std::string_view::npos);

// Printable text for a document a person reads: as printable, and also the
// characters that show nothing themselves but change how the rest reads
// (bidirectional controls such as U+202E, zero-width and other format
// characters, line separators, invisible fillers) shown as "\u202e", or
// "\U000e0041" above U+FFFF, so that a reference cannot pass for another.
std::string visible(std::string_view text, std::size_t longest = std::string_view::npos);

}  // namespace vadrel::check
