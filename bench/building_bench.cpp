// A building of 10 / 1,000 / 10,000 constructions of 20 vertices, written
// and read back by the building window. A large housing block has a few
// hundred.

#include <benchmark/benchmark.h>

#include <map>

#include "bench_env.hpp"
#include "building/building_form.hpp"

namespace {

using namespace vadrel;
using bench::BenchApp;

constexpr std::size_t kVertices = 20;

void buildingArgs(benchmark::internal::Benchmark* b) { bench::sizes(b, {10, 1000, 10000}); }

const std::filesystem::path& buildingFile(std::size_t constructions)
{
    static std::map<std::size_t, std::filesystem::path> cache;
    auto [it, fresh] = cache.try_emplace(constructions);
    if (fresh) {
        BenchApp b;
        it->second = bench::scratch() / ("edificio_" + std::to_string(constructions) + ".gml");
        b.ui.target = it->second;
        bench::fillBuilding(*b.app->FGMLEdif, constructions, kVertices);
        b.app->FGMLEdif->BBgmlClick();
    }
    return it->second;
}

void BM_BuildingWrite(benchmark::State& state)
{
    const auto c = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BenchApp b;
        bench::fillBuilding(*b.app->FGMLEdif, c, kVertices);
        state.ResumeTiming();
        b.app->FGMLEdif->BBgmlClick();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildingWrite)->Apply(buildingArgs);

void BM_BuildingRead(benchmark::State& state)
{
    const auto& file = buildingFile(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        BenchApp b;
        b.ui.open = file.string();
        b.app->FGMLEdif->FormShow();
        b.app->FGMLEdif->BBCargarXMLClick();
        benchmark::DoNotOptimize(b.app->FGMLEdif->Edificaciones.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BuildingRead)->Apply(buildingArgs);

}  // namespace
