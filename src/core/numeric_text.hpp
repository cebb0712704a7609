#pragma once
// Number texts as the windows read and round them.

#include <optional>
#include <string>
#include <string_view>

#include "core/number_format.hpp"

namespace vadrel {

// A coordinate text as a number, whichever decimal separator it was typed
// with. Empty text is 0; anything else that is no number throws Failure.
double MiStrToFloat(std::string_view cadena, const NumberFormat& fmt);

// True when every character is an ASCII letter, a digit, "-" or "_".
bool compruebaCaracteres(std::string_view cadena);

// Cuts a number text to `precision` decimals; the next digit rounds up only
// from 6 on. Throws Failure when that next character is no digit.
std::string redondeaCadena(std::string_view origen, int precision);

// EPSG code of a zone ("Huso") text, read without its surrounding blanks:
// 28 (32628), 29, 30 or 31 (258xx); an empty zone is 30. Any other text
// throws Failure: written as zone 30, a parcel lands hundreds of
// kilometres away without a word.
std::string husoAEpsg(std::string_view huso);
// The zone field as its number, 28 to 31; refused as husoAEpsg refuses.
int husoNumero(std::string_view huso);

inline constexpr const char* kHusoInvalido = "Error. El huso debe ser 28, 29, 30 o 31.";

// The zone a GML's srsName names: its last two characters (…/25830 is
// "30", …::32628 is "28"), not validated.
std::string husoDeSrsName(std::string_view srsName);

// The EPSG code at the end of "urn:ogc:def:crs:EPSG::25830",
// "http://www.opengis.net/def/crs/EPSG/0/25830" or "EPSG:25830"; none for a
// text that names no EPSG code.
std::optional<int> epsgDeSrsName(std::string_view srsName);

// Prepares the area field before a GML is written: "." as separator and at
// most four decimals. Returns true when the text is not a number (the
// area-not-numeric flag); the field is then left with "." but unrounded.
bool normalizaSuperficie(std::string& ESup, const NumberFormat& fmt);

// A whole number as the counts of a building are typed: optional blanks
// around, an optional sign, decimal digits, within 32 bits.
std::optional<int> enteroDe(std::string_view text);

// Characters (not bytes) of a UTF-8 text.
std::size_t characterCount(std::string_view text);

// The text with A-Z as a-z and every other byte as it is (so UTF-8 stays
// whole, whatever the locale).
std::string asciiLower(std::string_view s);

// Text with blanks and control characters trimmed from both ends.
std::string_view trimmed(std::string_view s);

}  // namespace vadrel
