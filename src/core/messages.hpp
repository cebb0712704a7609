#pragma once
// Message texts and the GML dialog filter both working windows use.

#include <string>
#include <string_view>

#include "core/ui.hpp"
#include "core/utm_spain.hpp"

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

// A file of the other window's kind, refused with where it opens.
inline constexpr const char* kAbraloEnParcelas = "Ábralo en la ventana de parcelas.";
inline constexpr const char* kAbraloEnEdificios = "Ábralo en la ventana de edificios.";

// Coordinates that are no UTM of Spain in the window's (or the file's) zone:
// the first vertex that does not fit, numbered from 1, with its X and Y as
// the lists or the file hold them.
inline constexpr std::string_view kIntercambiadas = "Error. Las coordenadas X e Y parecen intercambiadas (vértice ";
inline constexpr std::string_view kNoUtmDeEspana = "Error. Las coordenadas no son UTM de España en el huso ";

inline std::string rechazoUtm(const utm::Review& review, std::string_view x, std::string_view y)
{
    const std::string vertice =
        std::to_string(review.faultVertex()) + ": X=" + std::string(x) + ", Y=" + std::string(y) + ").";
    if (review.fault() == utm::Fit::swapped) return std::string(kIntercambiadas) + vertice;
    return std::string(kNoUtmDeEspana) + std::to_string(review.zone()) + " (vértice " + vertice;
}

// True for either refusal above, whatever its vertex.
inline bool esRechazoUtm(std::string_view message)
{
    return message.starts_with(kIntercambiadas) || message.starts_with(kNoUtmDeEspana);
}

// In range but far from the zone's meridian: most likely another zone.
inline std::string fueraDelHuso(int huso)
{
    return "Aviso. Las coordenadas caen fuera del huso " + std::to_string(huso) + "; compruebe el huso.";
}

}  // namespace vadrel::msg
