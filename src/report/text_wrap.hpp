#pragma once
// A paragraph cut into the lines of a given width, for the report's page:
// the writer draws each line as it comes, so every line must fit.

#include <string>
#include <string_view>
#include <vector>

#include "report/text_measure.hpp"

namespace vadrel::report {

// How a paragraph is set: its size in points and its weight.
struct Letra {
    double puntos = 0;
    bool negrita = false;
};

// `texto` in lines no wider than `ancho` mm: broken at blanks (the blank
// at a break dropped, blanks inside a line kept), a word wider than a line
// broken between its characters. Never no line: an empty text is one
// empty line; a single character wider than the line stands alone.
std::vector<std::string> parteEnLineas(std::string_view texto, double ancho, Letra letra, const MedidaTexto& medida);

}  // namespace vadrel::report
