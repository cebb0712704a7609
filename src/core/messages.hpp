#pragma once
// Message texts and the GML dialog filter both working windows use.

#include "core/ui.hpp"

namespace vadrel::msg {

inline const FileFilter kFiltroGml{"Archivos GML|*.gml", "gml"};

inline constexpr const char* kAnilloCerrado = "Se ha cerrado el polígono añadiendo la primera coordenada.";

inline constexpr const char* kPocasCoordenadas = "Error. Debe haber al menos tres coordenadas X e Y.";
inline constexpr const char* kDistintasCoordenadas = "Error. Debe haber el mismo número de coordenadas X que Y";
inline constexpr const char* kCaracteresReferencia =
    "Error. No puede haber espacios o caracteres especiales en la referencia.";
inline constexpr const char* kSuperficieNoNumerica =
    "Debe rellenar la superficie con un número. Asegúrese de no haber escrito letras ni símbolos.";
// A ring whose last vertex lacks its Y: loading half a vertex would pass
// for a ring that is not in the file.
inline constexpr const char* kPosListImpar =
    "Error. Un anillo del GML tiene un número impar de valores (a un vértice le falta la coordenada Y). No se ha "
    "cargado el archivo.";

}  // namespace vadrel::msg
