#pragma once
// The two area figures that decide the legal route of a change: the
// cadastre's technical tolerance (below it the cadastral area stands, Real
// Decreto 1464/2007, disposición adicional segunda) and how far the new area
// is from the registered one (the Ley Hipotecaria's 5 % and 10 % bands).
// The cadastre and the registrar decide; these are the figures they look at.

#include <optional>
#include <string>
#include <string_view>

namespace vadrel::compare {

// S the cadastral area (m2), P its perimeter (m): the larger of limit 1 (by
// the bands of S) and 0.03·S, and 0.1·S when limit 1 exceeds 0.1·S.
double technicalTolerance(double area, double perimeter);

enum class RegisteredBand { UpTo5, UpTo10, Over10 };

// The band of the difference between `area` and `registered` (> 0); a
// difference of exactly 5 % or 10 % is still within the band.
RegisteredBand registeredBand(double area, double registered);

// The registered area as the person types it (m2, "1200.5" or "1200,5",
// blanks around): nothing when blank; Failure (kBadRegisteredArea) when it
// is no number greater than zero.
inline constexpr const char* kBadRegisteredArea =
    "Error. La superficie registral ha de ser un número de m2 mayor que cero (o quedar vacía).";
std::optional<double> registeredArea(std::string_view text);

// "margen de tolerancia técnica: 12.34 m2 (la diferencia está dentro)";
// the client's report asks for "," as the decimal separator.
std::string toleranceLine(double newArea, double cadastralArea, double cadastralPerimeter, char decimal = '.');
// "superficie registral: 1200.00 m2, diferencia 34.56 m2 (2.88 %): hasta el 5 % (art. 201.3.b LH)"
std::string registeredLine(double newArea, double registered, char decimal = '.');

}  // namespace vadrel::compare
