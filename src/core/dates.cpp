#include "core/dates.hpp"

#include <cstdio>
#include <vector>

#include "core/numeric_text.hpp"

namespace vadrel {

namespace {

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysIn(int month, int year)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : days[month - 1];
}

}  // namespace

std::optional<Fecha> parseFecha(std::string_view text, const NumberFormat& fmt)
{
    text = trimmed(text);
    std::vector<int> parts;
    std::vector<std::size_t> widths;
    std::size_t i = 0;
    while (i < text.size()) {
        int value = 0;
        std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 4) value = value * 10 + (text[i++] - '0');
        if (i == start) return std::nullopt;
        parts.push_back(value);
        widths.push_back(i - start);
        if (i == text.size()) break;
        if (text[i] != fmt.dateSeparator && text[i] != '/') return std::nullopt;
        if (++i == text.size()) return std::nullopt;
    }
    if (parts.size() != 3) return std::nullopt;

    // The field shows and the reader writes day/month/year: reading it in the
    // desktop's order would swap day and month on a month-first desktop.
    Fecha f{parts[0], parts[1], parts[2]};
    if (widths[2] <= 2) f.anio += f.anio < 50 ? 2000 : 1900;
    if (f.anio < 1 || f.mes < 1 || f.mes > 12 || f.dia < 1 || f.dia > daysIn(f.mes, f.anio)) return std::nullopt;
    return f;
}

std::string textoFecha(const Fecha& f)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", f.dia, f.mes, f.anio);
    return buf;
}

std::string fechaHoraGml(const Fecha& f)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT00:00:00", f.anio, f.mes, f.dia);
    return buf;
}

}  // namespace vadrel
