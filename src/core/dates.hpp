#pragma once
// Dates as the person types them (always day/month/year, the form the
// field asks for, whatever the desktop's own order) and as the building GML
// carries them.

#include <optional>
#include <string>
#include <string_view>

#include "core/number_format.hpp"

namespace vadrel {

struct Fecha {
    int dia = 1;
    int mes = 1;
    int anio = 2000;
};

// Day, month and year in that order, separated by the locale's separator or
// "/"; two-digit years are 1950-2049. Nothing for an invalid or empty text.
std::optional<Fecha> parseFecha(std::string_view text, const NumberFormat& fmt);

// "dd/mm/yyyy", the field's own form on every desktop.
std::string textoFecha(const Fecha& f);

// "yyyy-mm-ddT00:00:00", the xs:dateTime of a date at midnight.
std::string fechaHoraGml(const Fecha& f);

// A date that does not convert ends the write with this.
inline constexpr std::string_view kNotADate = "'%s' no es una fecha válida. Escríbala como día/mes/año (dd/mm/aaaa).";

}  // namespace vadrel
