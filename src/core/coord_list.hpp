#pragma once
// The two coordinate lists of a window: text lines, authoritative as typed.

#include <string>
#include <string_view>
#include <vector>

namespace vadrel {

class Ui;
struct NumberFormat;
namespace utm {
class Review;
}

using CoordList = std::vector<std::string>;

// A multi-line field's text as lines: breaks are CR LF, LF or CR, and a final
// break does not start another line.
CoordList splitLines(std::string_view text);
// The field's text again, each line ended by `eol`.
std::string joinLines(const CoordList& lines, std::string_view eol = "\r\n");

inline constexpr std::string_view kCommasReplaced =
    "Se han sustituido las comas por puntos. (Formato de coordenada correcto)";

// First "," of every line becomes "."; tells the person once if anything changed.
void limpiaComas(CoordList& MX, CoordList& MY, Ui& ui);
// The same on one list, silently; true when a line changed.
bool sustituyeComas(CoordList& list);
// Drops the lines empty in both lists (and the empty lines past the end of
// the shorter one). A line empty in one list only throws Failure ("Error.
// La línea N tiene X pero no Y.", or the reverse) before anything changes.
void limpiaCoordenadas(CoordList& MX, CoordList& MY);

// The lists' vertices judged by `review` against Spain's UTM range (see
// core/utm_spain.hpp): the first that does not fit is told, X and Y as the
// lists hold them, and false returned. Several rings share one review.
bool compruebaUtm(Ui& ui, utm::Review& review, const CoordList& MX, const CoordList& MY, const NumberFormat& fmt);
// Once every ring is judged: tells, once, that some vertex lies beyond the
// zone (a warning; the operation goes on).
void avisaHuso(Ui& ui, const utm::Review& review);

// Appends the X Y pairs of a GML position list, whose values any run of
// XML white space (blanks, tabs, line breaks) separates.
void partirPosList(std::string_view t, CoordList& MX, CoordList& MY);
// How many values partirPosList finds in the text (an odd count leaves a
// vertex without its Y).
std::size_t cuentaValoresPosList(std::string_view t);

}  // namespace vadrel
