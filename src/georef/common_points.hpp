#pragma once
// The same points measured in the survey and read on the cadastral map, and
// the transformations that carry one onto the other by least squares: the
// affine (six parameters), the similarity (shift, turn, scale) and the
// rigid fit (shift and turn, scale 1: the one that keeps the surveyed
// distances). What the map's shift is, the person and the registrar judge;
// these are the figures they judge by.

#include <string>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::georef {

struct Pair {
    std::string name;  // "N" of the pairs file
    Punto measured;    // Xm, Ym
    Punto cadastral;   // Xc, Yc
};

// Xc = AX·Xm + BX·Ym + CX, Yc = AY·Xm + BY·Ym + CY.
struct Affine {
    double ax = 1, bx = 0, cx = 0, ay = 0, by = 1, cy = 0;
    Punto operator()(Punto p) const { return {ax * p.x + bx * p.y + cx, ay * p.x + by * p.y + cy}; }
};

// Turned by `turn` (radians, counter-clockwise) and scaled by `scale` about
// `from`, which goes to `to`.
struct Similarity {
    Punto from, to;
    double turn = 0, scale = 1;
    Punto operator()(Punto p) const;
    Affine affine() const;
};

struct Fit {
    Affine affine;
    std::vector<double> affineResiduals;  // m, one per pair, in their order
    double affineRms = 0;
    Similarity similarity;
    Similarity rigid;  // scale 1
    std::vector<double> rigidResiduals;
    double rigidRms = 0;
    std::vector<std::string> warnings;  // "Aviso. El punto N no encaja ...", "." decimals
    struct Outlier {
        std::string name;
        double residual = 0;  // m, from the rigid fit of the other pairs
    };
    std::vector<Outlier> outliers;  // the warnings' pairs, for other number formats
};

// "Aviso. El punto N no encaja con los demás (residuo R m)." with R as given.
std::string outlierWarning(const std::string& name, const std::string& residual);

inline constexpr const char* kTooFewPairs = "Error. Hacen falta al menos tres puntos comunes.";
inline constexpr const char* kAlignedPairs = "Error. Los puntos comunes están alineados: no determinan el giro.";
// A pair is told when the rigid fit of the others misses it by more than
// this and by more than three times their own root mean square.
inline constexpr double kOutlierLeast = 0.10;  // m

// The three fits of the pairs. Throws Failure with kTooFewPairs or
// kAlignedPairs (points on one line, or all one point).
Fit fitPairs(const std::vector<Pair>& pairs);

// The rigid fit alone (the same refusals).
Similarity rigidFit(const std::vector<Pair>& pairs);

}  // namespace vadrel::georef
