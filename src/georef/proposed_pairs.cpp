#include "georef/proposed_pairs.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

namespace vadrel::georef {

std::vector<Punto> verticesOf(const std::vector<compare::Shape>& shapes)
{
    std::vector<Punto> out;
    std::set<std::pair<double, double>> seen;
    for (const compare::Shape& s : shapes)
        for (const compare::Patch& p : s.patches)
            for (const compare::Ring& r : p.rings)
                for (const Punto& v : r)
                    if (seen.insert({v.x, v.y}).second) out.push_back(v);
    return out;
}

std::vector<Pair> proposePairs(const std::vector<Punto>& fresh, const std::vector<Punto>& cadastral)
{
    // The cadastral vertices by X: each fresh vertex looks only at those
    // within reach in X, so a whole block's vertices cost n log n.
    std::vector<std::size_t> byX(cadastral.size());
    for (std::size_t j = 0; j < byX.size(); ++j) byX[j] = j;
    std::sort(byX.begin(), byX.end(), [&](std::size_t a, std::size_t b) { return cadastral[a].x < cadastral[b].x; });
    std::vector<std::tuple<double, std::size_t, std::size_t>> near;  // distance, fresh, cadastral
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        auto j = std::lower_bound(byX.begin(), byX.end(), fresh[i].x - kPairReach,
                                  [&](std::size_t k, double x) { return cadastral[k].x < x; });
        for (; j != byX.end() && cadastral[*j].x <= fresh[i].x + kPairReach; ++j) {
            const double d = std::hypot(cadastral[*j].x - fresh[i].x, cadastral[*j].y - fresh[i].y);
            if (d <= kPairReach) near.emplace_back(d, i, *j);
        }
    }
    std::sort(near.begin(), near.end());
    std::vector<bool> freshTaken(fresh.size()), cadastralTaken(cadastral.size());
    std::vector<std::size_t> partner(fresh.size(), cadastral.size());
    for (const auto& [d, i, j] : near) {
        if (freshTaken[i] || cadastralTaken[j]) continue;
        freshTaken[i] = cadastralTaken[j] = true;
        partner[i] = j;
    }
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        if (partner[i] < cadastral.size()) pairs.push_back({std::to_string(i + 1), fresh[i], cadastral[partner[i]]});
    return pairs;
}

std::vector<Pair> proposePairs(const std::vector<compare::Shape>& fresh, const std::vector<compare::Shape>& map,
                               const compare::ParcelComparison& comparison)
{
    std::vector<compare::Shape> around;
    for (const auto* indices : {&comparison.affected, &comparison.neighbours})
        for (std::size_t i : *indices)
            if (i < map.size()) around.push_back(map[i]);
    return proposePairs(verticesOf(fresh), verticesOf(around));
}

std::vector<Punto> moved(const Similarity& fit, const std::vector<Punto>& points)
{
    std::vector<Punto> out;
    out.reserve(points.size());
    for (const Punto& p : points) out.push_back(fit(p));
    return out;
}

}  // namespace vadrel::georef
