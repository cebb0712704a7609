// "Comparar con Catastro" at growing sizes, the comparison itself (the map
// already read): a square of 1 / 5 / 20 km against itself (four vertices
// whatever its size), a road of 2 / 20 / 200 km widened into the parcels
// along it, and a saw of 250 / 2,000 / 16,000 teeth across a municipality of
// 2,400 parcels. Comparing every point of one outline with every point of
// the other took 23 s for the 5 km square and minutes for the road and the
// saw; the work must now grow with the vertices, as n log n.

#include <benchmark/benchmark.h>

#include "bench_env.hpp"
#include "compare/comparison.hpp"
#include "compare_inputs.hpp"

namespace {

using namespace vadrel;

std::vector<compare::Shape> shapes(const std::vector<bench::MapParcel>& map)
{
    std::vector<compare::Shape> out;
    for (const bench::MapParcel& p : map) out.push_back({p.ref, {compare::Patch{{p.ring}}}});
    return out;
}

void run(benchmark::State& state, const std::vector<compare::Shape>& fresh, const std::vector<compare::Shape>& map)
{
    for (auto _ : state) {
        const compare::ParcelComparison c = compare::compareParcels(fresh, map);
        benchmark::DoNotOptimize(c.displacement);
    }
}

void BM_CompareSquareWithItself(benchmark::State& state)
{
    const auto ring = bench::square(static_cast<double>(state.range(0)));
    run(state, {{bench::kRoadRef, {compare::Patch{{ring}}}}}, {{bench::kRoadRef, {compare::Patch{{ring}}}}});
}
BENCHMARK(BM_CompareSquareWithItself)->Apply([](auto* b) { bench::sizes(b, {1000, 5000, 20000}); });

void BM_CompareRoadWithItsMap(benchmark::State& state)
{
    const auto length = static_cast<double>(state.range(0));
    run(state, {{bench::kRoadRef, {compare::Patch{{bench::widenedRoad(length)}}}}}, shapes(bench::roadMap(length)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CompareRoadWithItsMap)->Apply([](auto* b) { bench::sizes(b, {2000, 20000, 200000}); });

void BM_CompareSawWithMunicipality(benchmark::State& state)
{
    static const std::vector<compare::Shape> map = shapes(bench::municipality(60, 40));
    run(state, {{"", {compare::Patch{{bench::saw(60, static_cast<int>(state.range(0)))}}}}}, map);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CompareSawWithMunicipality)->Apply([](auto* b) { bench::sizes(b, {250, 2000, 16000}); });

}  // namespace
