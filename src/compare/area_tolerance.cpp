#include "compare/area_tolerance.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "compare/comparison.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"

namespace vadrel::compare {

double technicalTolerance(double area, double perimeter)
{
    double limit1 = perimeter;
    if (area < 500)
        limit1 = 0.1 * perimeter;
    else if (area < 3000)
        limit1 = 0.0002 * area * perimeter;
    else if (area < 5000)
        limit1 = 0.00014 * area * perimeter;
    if (limit1 > 0.1 * area) return 0.1 * area;
    return std::max(limit1, 0.03 * area);
}

RegisteredBand registeredBand(double area, double registered)
{
    // Compared as products, not as a rounded percentage: 1260 against 1200 is
    // exactly 5 %. The slack is a few units of the last place, no more.
    const double hundredfold = std::abs(area - registered) * 100;
    const double slack = 1 + 1e-12;
    if (hundredfold <= 5 * registered * slack) return RegisteredBand::UpTo5;
    if (hundredfold <= 10 * registered * slack) return RegisteredBand::UpTo10;
    return RegisteredBand::Over10;
}

std::optional<double> registeredArea(std::string_view text)
{
    std::string number(trimmed(text));
    if (number.empty()) return std::nullopt;
    std::replace(number.begin(), number.end(), ',', '.');
    double value = 0;
    const auto end = std::from_chars(number.data(), number.data() + number.size(), value);
    // No sum of land reaches a million km2: a larger figure is a slip.
    if (end.ec != std::errc() || end.ptr != number.data() + number.size() || !(value > 0) || value > 1e12)
        throw Failure(kBadRegisteredArea);
    return value;
}

namespace {

// Two decimals with the separator asked for.
std::string cents(double v, char decimal)
{
    std::string text = twoDecimals(v);
    std::replace(text.begin(), text.end(), '.', decimal);
    return text;
}

}  // namespace

std::string toleranceLine(double newArea, double cadastralArea, double cadastralPerimeter, char decimal)
{
    const double tolerance = technicalTolerance(cadastralArea, cadastralPerimeter);
    return "margen de tolerancia técnica: " + cents(tolerance, decimal) + " m2 (la diferencia está " +
           (std::abs(newArea - cadastralArea) <= tolerance ? "dentro" : "fuera") + ")";
}

std::string registeredLine(double newArea, double registered, char decimal)
{
    const double change = newArea - registered;
    const char* band = "más del 10 % (arts. 201 y 203 LH)";
    switch (registeredBand(newArea, registered)) {
    case RegisteredBand::UpTo5: band = "hasta el 5 % (art. 201.3.b LH)"; break;
    case RegisteredBand::UpTo10: band = "hasta el 10 % (arts. 9.b y 201.3.a LH)"; break;
    case RegisteredBand::Over10: break;
    }
    return "superficie registral: " + cents(registered, decimal) + " m2, diferencia " + cents(change, decimal) +
           " m2 (" + cents(change / registered * 100, decimal) + " %): " + band;
}

}  // namespace vadrel::compare
