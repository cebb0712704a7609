#pragma once
// Message texts both working windows show.

namespace vadrel::msg {

inline constexpr const char* kPocasCoordenadas = "Error. Debe haber al menos tres coordenadas X e Y.";
inline constexpr const char* kDistintasCoordenadas = "Error. Debe haber el mismo número de coordenadas X que Y";
inline constexpr const char* kCaracteresReferencia =
    "Error. No puede haber espacios o caracteres especiales en la referencia.";
inline constexpr const char* kSuperficieNoNumerica =
    "Debe rellenar la superficie con un número. Asegúrese de no haber escrito letras ni símbolos.";

}  // namespace vadrel::msg
