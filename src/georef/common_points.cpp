#include "georef/common_points.hpp"

#include <algorithm>
#include <cmath>

#include "core/failure.hpp"
#include "georef/shift_text.hpp"

namespace vadrel::georef {

namespace {

// The sums of the centred coordinates: UTM millions taken away first, so
// that the squares keep every millimetre.
struct Sums {
    double n = 0;
    Punto measured, cadastral;          // the centroids
    double xx = 0, xy = 0, yy = 0;      // measured with measured
    double xX = 0, yX = 0, xY = 0, yY = 0;  // measured with cadastral
    double cc = 0;                      // cadastral with itself, XX + YY
};

// On one line the spread has no width: the smaller axis of the points'
// inertia, relative to the larger, is nothing (a millimetre in a kilometre
// is still a width; rounding noise is not).
bool aligned(const Sums& s)
{
    const double trace = s.xx + s.yy, det = s.xx * s.yy - s.xy * s.xy;
    return !(trace > 0) || !(det > 1e-12 * trace * trace) || !std::isfinite(det);
}

// The sums of the others when pair `p` is left out, from the sums of all:
// each pair once, whatever their number, rather than a fit per pair.
Sums without(const Sums& s, const Pair& p)
{
    Sums o = s;
    o.n = s.n - 1;
    const double x = p.measured.x - s.measured.x, y = p.measured.y - s.measured.y;
    const double X = p.cadastral.x - s.cadastral.x, Y = p.cadastral.y - s.cadastral.y;
    o.measured = {s.measured.x - x / o.n, s.measured.y - y / o.n};
    o.cadastral = {s.cadastral.x - X / o.n, s.cadastral.y - Y / o.n};
    const double k = s.n / o.n;
    o.xx -= k * x * x;
    o.xy -= k * x * y;
    o.yy -= k * y * y;
    o.xX -= k * x * X;
    o.yX -= k * y * X;
    o.xY -= k * x * Y;
    o.yY -= k * y * Y;
    o.cc -= k * (X * X + Y * Y);
    return o;
}

Sums sumsOf(const std::vector<Pair>& pairs)
{
    if (pairs.size() < 3) throw Failure(kTooFewPairs);
    Sums s;
    const double n = s.n = static_cast<double>(pairs.size());
    for (const Pair& p : pairs) {
        s.measured.x += p.measured.x / n;
        s.measured.y += p.measured.y / n;
        s.cadastral.x += p.cadastral.x / n;
        s.cadastral.y += p.cadastral.y / n;
    }
    for (const Pair& p : pairs) {
        const double x = p.measured.x - s.measured.x, y = p.measured.y - s.measured.y;
        const double X = p.cadastral.x - s.cadastral.x, Y = p.cadastral.y - s.cadastral.y;
        s.xx += x * x;
        s.xy += x * y;
        s.yy += y * y;
        s.xX += x * X;
        s.yX += y * X;
        s.xY += x * Y;
        s.yY += y * Y;
        s.cc += X * X + Y * Y;
    }
    if (aligned(s)) throw Failure(kAlignedPairs);
    return s;
}

Similarity similarityOf(const Sums& s, bool rigid)
{
    const double a = s.xX + s.yY, b = s.xY - s.yX;
    Similarity t{s.measured, s.cadastral, std::atan2(b, a), 1};
    if (!rigid) t.scale = std::hypot(a, b) / (s.xx + s.yy);
    return t;
}

double distance(Punto a, Punto b) { return std::hypot(a.x - b.x, a.y - b.y); }

template <class Transform>
std::vector<double> residuals(const std::vector<Pair>& pairs, const Transform& t)
{
    std::vector<double> out;
    for (const Pair& p : pairs) out.push_back(distance(t(p.measured), p.cadastral));
    return out;
}

double rms(const std::vector<double>& residuals)
{
    double sum = 0;
    for (double r : residuals) sum += r * r;
    return residuals.empty() ? 0 : std::sqrt(sum / static_cast<double>(residuals.size()));
}

}  // namespace

Punto Similarity::operator()(Punto p) const
{
    const double c = scale * std::cos(turn), s = scale * std::sin(turn);
    const double x = p.x - from.x, y = p.y - from.y;
    return {to.x + c * x - s * y, to.y + s * x + c * y};
}

Affine Similarity::affine() const
{
    const double c = scale * std::cos(turn), s = scale * std::sin(turn);
    return {c, -s, to.x - c * from.x + s * from.y, s, c, to.y - s * from.x - c * from.y};
}

Similarity rigidFit(const std::vector<Pair>& pairs) { return similarityOf(sumsOf(pairs), true); }

Fit fitPairs(const std::vector<Pair>& pairs)
{
    const Sums s = sumsOf(pairs);
    Fit f;
    // The normal equations of each row of the affine, centred: the shift
    // falls out as the centroids'.
    const double det = s.xx * s.yy - s.xy * s.xy;
    f.affine.ax = (s.yy * s.xX - s.xy * s.yX) / det;
    f.affine.bx = (s.xx * s.yX - s.xy * s.xX) / det;
    f.affine.ay = (s.yy * s.xY - s.xy * s.yY) / det;
    f.affine.by = (s.xx * s.yY - s.xy * s.xY) / det;
    f.affine.cx = s.cadastral.x - f.affine.ax * s.measured.x - f.affine.bx * s.measured.y;
    f.affine.cy = s.cadastral.y - f.affine.ay * s.measured.x - f.affine.by * s.measured.y;
    // The millions of UTM make the shift's own rounding a few tenths of a
    // micrometre; the residuals come from the centred form instead.
    const auto centred = [&](Punto p) {
        const double x = p.x - s.measured.x, y = p.y - s.measured.y;
        return Punto{s.cadastral.x + f.affine.ax * x + f.affine.bx * y,
                     s.cadastral.y + f.affine.ay * x + f.affine.by * y};
    };
    f.affineResiduals = residuals(pairs, centred);
    f.affineRms = rms(f.affineResiduals);
    f.similarity = similarityOf(s, false);
    f.rigid = similarityOf(s, true);
    f.rigidResiduals = residuals(pairs, f.rigid);
    f.rigidRms = rms(f.rigidResiduals);

    // Each pair against the rigid fit of the others, made without it: with
    // it in, the fit leans towards it and hides it.
    if (pairs.size() >= 4) {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const Sums others = without(s, pairs[i]);
            if (aligned(others)) continue;  // the others alone do not say the turn
            const Similarity fit = similarityOf(others, true);
            const double off = distance(fit(pairs[i].measured), pairs[i].cadastral);
            // Their rigid fit's sum of squares, from the sums themselves.
            const double squares = others.xx + others.yy + others.cc -
                                   2 * std::hypot(others.xX + others.yY, others.xY - others.yX);
            if (off > kOutlierLeast && off > 3 * std::sqrt(std::max(squares, 0.0) / others.n)) {
                f.warnings.push_back(outlierWarning(pairs[i].name, fixed(off, 3)));
                f.outliers.push_back({pairs[i].name, off});
            }
        }
    }
    return f;
}

std::string outlierWarning(const std::string& name, const std::string& residual)
{
    return "Aviso. El punto " + name + " no encaja con los demás (residuo " + residual + " m).";
}

}  // namespace vadrel::georef
