// Number texts as the windows read them and as the DXF reader and the area
// round them. The first byte picks the decimals and the number format.

#include <cmath>

#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "fuzz_support.hpp"

using namespace vadrel;

namespace {

// "-12.345" or "12,3": an optional minus, digits, one separator, digits.
bool plainDecimal(std::string_view s)
{
    std::size_t i = !s.empty() && s[0] == '-' ? 1 : 0;
    const std::size_t intStart = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    if (i == intStart || i + 1 >= s.size() || (s[i] != '.' && s[i] != ',')) return false;
    for (++i; i < s.size(); ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

double parsed(std::string_view s, const NumberFormat& fmt)
{
    try {
        return MiStrToFloat(s, fmt);
    } catch (const Failure&) {
        return NAN;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const int precision = (data[0] & 0x0F) - 1;  // -1 to 14
    const NumberFormat fmt = NumberFormat::withDecimal(data[0] & 0x10 ? ',' : '.');
    const NumberFormat other = NumberFormat::withDecimal(data[0] & 0x10 ? '.' : ',');
    const std::string_view text = fuzz::asText(data + 1, size - 1);

    const double value = parsed(text, fmt);
    const double otherValue = parsed(text, other);

    std::string rounded;
    bool roundedOk = true;
    try {
        rounded = redondeaCadena(text, precision);
    } catch (const Failure&) {
        roundedOk = false;
    }

    if (!plainDecimal(text) || text.size() > 40) return 0;
    // Either separator reads the same under both formats.
    if (!(value == otherValue)) __builtin_trap();
    // A plain decimal always rounds, to at most `precision` decimals, and
    // moves by less than one unit of the last decimal kept.
    if (!roundedOk) __builtin_trap();
    const double r = parsed(rounded, fmt);
    if (std::isnan(r)) __builtin_trap();
    const std::size_t sep = rounded.find_first_of(".,");
    const int p = precision < 0 ? 0 : precision;
    if (sep != std::string::npos && rounded.size() - sep - 1 > static_cast<std::size_t>(p)) __builtin_trap();
    if (std::fabs(r - value) > std::pow(10.0, -p) + 1e-9 * std::fmax(1.0, std::fabs(value))) __builtin_trap();
    return 0;
}
