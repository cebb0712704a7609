// The fits from common points: known transformations recovered, a noisy
// case against the normal equations solved here by hand, the refusals and
// the pair that does not fit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/failure.hpp"
#include "georef/common_points.hpp"
#include "georef/shift_text.hpp"
#include "report/report_georef.hpp"

namespace vadrel::georef {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// A survey's corners in UTM, a few tens of metres apart.
const std::vector<Punto> kMeasured{
    {271863.90, 4814037.88}, {271857.19, 4814056.72}, {271902.87, 4814073.01}, {271909.59, 4814054.17},
    {271885.12, 4814049.33}};

std::vector<Pair> pairsOf(const std::vector<Punto>& measured, const std::vector<Punto>& cadastral)
{
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < measured.size(); ++i) pairs.push_back({std::to_string(i + 1), measured[i], cadastral[i]});
    return pairs;
}

TEST(CommonPointsTest, KnownTransformationsAreRecoveredExactly)
{
    struct Case {
        const char* name;
        double dx, dy, turn, scale;  // turn in degrees, about the origin
    };
    const Case cases[] = {
        {"a shift", 1.234, -0.567, 0, 1},
        {"a turn of 0.01°", 0, 0, 0.01, 1},
        {"a scale of 20 ppm", 0, 0, 0, 1.00002},
        {"the three together", -2.5, 3.75, 0.01, 1.00002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double cs = c.scale * std::cos(c.turn * kDegree), sn = c.scale * std::sin(c.turn * kDegree);
        std::vector<Punto> cadastral;
        for (const Punto& m : kMeasured) cadastral.push_back({cs * m.x - sn * m.y + c.dx, sn * m.x + cs * m.y + c.dy});
        const Fit f = fitPairs(pairsOf(kMeasured, cadastral));
        EXPECT_NEAR(f.affine.ax, cs, 1e-10);
        EXPECT_NEAR(f.affine.bx, -sn, 1e-10);
        EXPECT_NEAR(f.affine.ay, sn, 1e-10);
        EXPECT_NEAR(f.affine.by, cs, 1e-10);
        // The shift at the origin, millions of metres from the points: a
        // part in 1e-10 of the parameters is a few tenths of a millimetre.
        EXPECT_NEAR(f.affine.cx, c.dx, 1e-3);
        EXPECT_NEAR(f.affine.cy, c.dy, 1e-3);
        EXPECT_NEAR(f.similarity.turn, c.turn * kDegree, 1e-10);
        EXPECT_NEAR(f.similarity.scale, c.scale, 1e-10);
        for (double r : f.affineResiduals) EXPECT_LT(r, 1e-6);
        EXPECT_LT(f.affineRms, 1e-6);
        if (c.scale == 1) {
            for (double r : f.rigidResiduals) EXPECT_LT(r, 1e-6);
        } else {
            // The rigid fit keeps the surveyed distances: 20 ppm of tens of
            // metres remains.
            EXPECT_GT(f.rigidRms, 1e-4);
        }
        EXPECT_TRUE(f.warnings.empty());
        // The similarity and its affine form agree.
        const Affine a = f.similarity.affine();
        const Punto p = f.similarity(kMeasured[2]), q = a(kMeasured[2]);
        EXPECT_NEAR(p.x, q.x, 1e-6);
        EXPECT_NEAR(p.y, q.y, 1e-6);
    }
}

double squares(const std::vector<Pair>& pairs, const Similarity& t)
{
    double sum = 0;
    for (const Pair& p : pairs) {
        const Punto q = t(p.measured);
        sum += std::pow(q.x - p.cadastral.x, 2) + std::pow(q.y - p.cadastral.y, 2);
    }
    return sum;
}

TEST(CommonPointsTest, WithNoiseTheFitsAreTheLeastSquares)
{
    // Four pairs with centimetres of noise, small coordinates so that the
    // uncentred normal equations below keep their digits.
    const std::vector<Pair> pairs{{"1", {0, 0}, {10.02, 5.01}},
                                  {"2", {100, 0}, {110.00, 6.03}},
                                  {"3", {100, 50}, {109.48, 56.00}},
                                  {"4", {0, 50}, {9.51, 54.98}}};
    // Affine: [Σxx Σxy Σx; Σxy Σyy Σy; Σx Σy n]·(A, B, C) = (ΣxX, ΣyX, ΣX), by Cramer.
    double m[3][3] = {}, bx[3] = {}, by[3] = {};
    for (const Pair& p : pairs) {
        const double v[3] = {p.measured.x, p.measured.y, 1};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) m[i][j] += v[i] * v[j];
            bx[i] += v[i] * p.cadastral.x;
            by[i] += v[i] * p.cadastral.y;
        }
    }
    const auto det = [](double a[3][3]) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const auto solve = [&](const double b[3], int k) {
        double r[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) r[i][j] = j == k ? b[i] : m[i][j];
        return det(r) / det(m);
    };
    const Fit f = fitPairs(pairs);
    EXPECT_NEAR(f.affine.ax, solve(bx, 0), 1e-12);
    EXPECT_NEAR(f.affine.bx, solve(bx, 1), 1e-12);
    EXPECT_NEAR(f.affine.cx, solve(bx, 2), 1e-9);
    EXPECT_NEAR(f.affine.ay, solve(by, 0), 1e-12);
    EXPECT_NEAR(f.affine.by, solve(by, 1), 1e-12);
    EXPECT_NEAR(f.affine.cy, solve(by, 2), 1e-9);
    // The residuals are those of the parameters, and not all nothing.
    double sum = 0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const Punto q = f.affine(pairs[i].measured);
        const double r = std::hypot(q.x - pairs[i].cadastral.x, q.y - pairs[i].cadastral.y);
        EXPECT_NEAR(f.affineResiduals[i], r, 1e-9);
        sum += r * r;
    }
    EXPECT_NEAR(f.affineRms, std::sqrt(sum / 4), 1e-9);
    EXPECT_GT(f.affineRms, 0.001);

    // Similarity and rigid: no small change of turn, scale or shift lowers
    // their sum of squares.
    for (const Similarity& best : {f.similarity, f.rigid}) {
        const double least = squares(pairs, best);
        for (const double step : {1e-4, -1e-4}) {
            Similarity t = best;
            t.turn += step;
            EXPECT_GT(squares(pairs, t), least);
            t = best;
            t.to.x += step * 100;
            EXPECT_GT(squares(pairs, t), least);
            t = best;
            t.to.y += step * 100;
            EXPECT_GT(squares(pairs, t), least);
            if (best.scale != 1) {
                t = best;
                t.scale += step;
                EXPECT_GT(squares(pairs, t), least);
            }
        }
    }
    EXPECT_EQ(f.rigid.scale, 1);
    EXPECT_NEAR(f.rigidRms, std::sqrt(squares(pairs, f.rigid) / 4), 1e-12);
}

TEST(CommonPointsTest, TooFewOrAlignedPairsAreRefused)
{
    struct Case {
        const char* name;
        std::vector<Punto> measured;
        const char* message;
    };
    const Case cases[] = {
        {"none", {}, kTooFewPairs},
        {"two", {{0, 0}, {10, 0}}, kTooFewPairs},
        {"three on a line", {{271000, 4814000}, {271010, 4814010}, {271030, 4814030}}, kAlignedPairs},
        {"four on a line", {{0, 0}, {10, 5}, {20, 10}, {-30, -15}}, kAlignedPairs},
        {"a point repeated", {{5, 5}, {5, 5}, {20, 7}}, kAlignedPairs},
        {"one point", {{5, 5}, {5, 5}, {5, 5}, {5, 5}}, kAlignedPairs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            fitPairs(pairsOf(c.measured, c.measured));
            ADD_FAILURE() << "fitted";
        } catch (const Failure& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    // A millimetre off the line, over tens of metres, is still a triangle.
    EXPECT_NO_THROW(fitPairs(pairsOf({{0, 0}, {50, 0}, {25, 0.001}}, {{0, 0}, {50, 0}, {25, 0.001}})));
}

TEST(CommonPointsTest, APairTheOthersDoNotFitIsTold)
{
    struct Case {
        const char* name;
        double off;  // how far pair 3 is moved on the map, m
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"half a metre", 0.5, {"Aviso. El punto 3 no encaja con los demás (residuo 0.500 m)."}},
        {"below the least", 0.09, {}},
        {"none", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Pair> pairs = pairsOf(kMeasured, kMeasured);
        for (Pair& p : pairs) p.cadastral.x += 0.3;
        pairs[2].cadastral.y += c.off;
        const Fit fit = fitPairs(pairs);
        EXPECT_EQ(fit.warnings, c.warnings);
        // The client's report says it with its own decimal comma.
        report::DatosInforme d;
        report::anadeDesplazamiento(d, pairs, fit, false);
        for (const std::string& w : c.warnings) {
            const std::string comma = std::string(w).replace(w.find("0.500"), 5, "0,500");
            EXPECT_NE(std::find(d.georreferenciacion.lineas.begin(), d.georreferenciacion.lineas.end(), comma),
                      d.georreferenciacion.lineas.end());
        }
    }
    // Noise everywhere, larger than the least, is no single pair's fault.
    std::vector<Pair> noisy = pairsOf(kMeasured, kMeasured);
    const double noise[][2] = {{0.12, -0.1}, {-0.11, 0.13}, {0.1, 0.12}, {-0.13, -0.1}, {0.11, -0.12}};
    for (std::size_t i = 0; i < noisy.size(); ++i) {
        noisy[i].cadastral.x += noise[i][0];
        noisy[i].cadastral.y += noise[i][1];
    }
    EXPECT_TRUE(fitPairs(noisy).warnings.empty());

    // Centimetres of noise and one pair 0.4 m off: told with its distance
    // from the rigid fit of the other four, fitted here on their own.
    std::vector<Pair> off = pairsOf(kMeasured, kMeasured);
    for (std::size_t i = 0; i < off.size(); ++i) {
        off[i].cadastral.x += noise[i][0] / 10;
        off[i].cadastral.y += noise[i][1] / 10;
    }
    off[1].cadastral.x -= 0.4;
    std::vector<Pair> others = off;
    others.erase(others.begin() + 1);
    const Punto fitted = rigidFit(others)(off[1].measured);
    const double residual = std::hypot(fitted.x - off[1].cadastral.x, fitted.y - off[1].cadastral.y);
    EXPECT_EQ(fitPairs(off).warnings,
              std::vector<std::string>{"Aviso. El punto 2 no encaja con los demás (residuo " + fixed(residual, 3) +
                                       " m)."});
    EXPECT_NE(fixed(residual, 3), "0.400") << "the noise moves it";
}

TEST(CommonPointsTest, TheLinesAsThePersonReadsThem)
{
    // A shift of (1, 1) and a turn of 0.01° about the first point.
    const Similarity t{kMeasured[0], {kMeasured[0].x + 1, kMeasured[0].y + 1}, 0.01 * kDegree, 1};
    std::vector<Punto> measured(kMeasured.begin(), kMeasured.begin() + 4), cadastral;
    for (const Punto& m : measured) cadastral.push_back(t(m));
    const std::vector<Pair> pairs = pairsOf(measured, cadastral);
    const std::vector<std::string> lines = shiftLines(pairs, fitPairs(pairs));
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "puntos comunes: 4");
    EXPECT_TRUE(lines[1].starts_with("afín: AX=0.9999999848 BX=-0.0001745329 CX=")) << lines[1];
    EXPECT_TRUE(lines[1].find(" AY=0.0001745329 BY=0.9999999848 CY=") != std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], "afín, residuos: 1: 0.000 m, 2: 0.000 m, 3: 0.000 m, 4: 0.000 m; emc 0.000 m");
    // The centroid moves by the shift and by the turn about the first point.
    EXPECT_TRUE(lines[3].starts_with("desplazamiento: 1.41")) << lines[3];
    EXPECT_TRUE(lines[3].ends_with("° (en el centro de los puntos medidos)")) << lines[3];
    EXPECT_EQ(lines[4], "giro: 0.0100° (0.0111 g)");
    EXPECT_EQ(lines[5], "escala: 1.0000000 (0.0 ppm)");
    EXPECT_EQ(lines[6], "rígido, residuos: 1: 0.000 m, 2: 0.000 m, 3: 0.000 m, 4: 0.000 m; emc 0.000 m");

    // The azimuth from north, clockwise, and the scale in parts per million.
    struct Azimuth {
        double dx, dy;
        const char* line;
    };
    const Azimuth azimuths[] = {{0, 2, "desplazamiento: 2.000 m, acimut 0.0000°"},
                                {3, 0, "desplazamiento: 3.000 m, acimut 90.0000°"},
                                {-1, -1, "desplazamiento: 1.414 m, acimut 225.0000°"},
                                {-0.5, 0, "desplazamiento: 0.500 m, acimut 270.0000°"}};
    for (const Azimuth& a : azimuths) {
        std::vector<Punto> moved;
        for (const Punto& m : measured) moved.push_back({m.x + a.dx, m.y + a.dy});
        const std::vector<Pair> shifted = pairsOf(measured, moved);
        EXPECT_TRUE(shiftLines(shifted, fitPairs(shifted))[3].starts_with(a.line)) << a.line;
    }
    std::vector<Punto> scaled;
    for (const Punto& m : measured) scaled.push_back({m.x + (m.x - 271800) * 12.3e-6, m.y + (m.y - 4814000) * 12.3e-6});
    const std::vector<Pair> grown = pairsOf(measured, scaled);
    EXPECT_EQ(shiftLines(grown, fitPairs(grown))[5], "escala: 1.0000123 (12.3 ppm)");
}

}  // namespace
}  // namespace vadrel::georef
