#include "georef/pair_file.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "check/check_text.hpp"
#include "core/failure.hpp"
#include "core/text_file.hpp"
#include "georef/shift_text.hpp"

namespace vadrel::georef {

bool coordinateOf(std::string_view field, double& value)
{
    std::string text(field);
    std::replace(text.begin(), text.end(), ',', '.');
    // Blanks around a field are the spreadsheet's, not the number's.
    const auto first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    if (first == std::string::npos) return false;
    text = text.substr(first, last - first + 1);
    const char* begin = text.data();
    if (*begin == '+') ++begin;
    const auto end = std::from_chars(begin, text.data() + text.size(), value);
    return end.ec == std::errc() && end.ptr == text.data() + text.size() && std::isfinite(value) &&
           std::abs(value) < 1e9;  // beyond any projected coordinate
}

std::vector<Pair> readPairs(std::string_view text)
{
    std::vector<Pair> pairs;
    LineReader reader(text);
    std::string_view line;
    for (std::size_t number = 1; reader.next(line); ++number) {
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        std::vector<std::string_view> fields;
        for (std::size_t from = 0;;) {
            const std::size_t semicolon = line.find(';', from);
            fields.push_back(line.substr(from, semicolon - from));
            if (semicolon == std::string_view::npos) break;
            from = semicolon + 1;
        }
        Pair p;
        const bool ok = fields.size() == 5 && coordinateOf(fields[1], p.measured.x) && coordinateOf(fields[2], p.measured.y) &&
                        coordinateOf(fields[3], p.cadastral.x) && coordinateOf(fields[4], p.cadastral.y);
        std::string_view name = fields[0];
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
        p.name = check::printable(name, check::kLongestName);
        if (!ok || p.name.empty())
            throw Failure("Error. La línea " + std::to_string(number) + " no es N;Xm;Ym;Xc;Yc.");
        pairs.push_back(std::move(p));
    }
    return pairs;
}

std::string pairsText(const std::vector<Pair>& pairs)
{
    std::string text;
    for (const Pair& p : pairs)
        text += p.name + ";" + fixed(p.measured.x, 3) + ";" + fixed(p.measured.y, 3) + ";" + fixed(p.cadastral.x, 3) +
                ";" + fixed(p.cadastral.y, 3) + "\r\n";
    return text;
}

}  // namespace vadrel::georef
