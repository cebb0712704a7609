// "Comprobar" over a parcel ring of 1,000 / 100,000 / 1,000,000 vertices and
// over a block of 100 / 1,000 / 10,000 parcels in one file. The schemas are
// left out (no catalog, no network): what is measured is the program's own
// reading and checking, which must stay linear; libxml2 still parses every
// file for its well-formedness.

#include <benchmark/benchmark.h>

#include "bench_env.hpp"
#include "bench_inputs.hpp"
#include "check/gml_check.hpp"

namespace {

using namespace vadrel;

check::SchemaSettings withoutSchemas()
{
    check::SchemaSettings s;
    s.cacheDir = bench::scratch() / "sin-esquemas";
    return s;
}

void run(benchmark::State& state, const std::filesystem::path& file)
{
    const check::SchemaSettings settings = withoutSchemas();
    for (auto _ : state) {
        const check::Problems problems = check::checkGmlFile(file, settings);
        benchmark::DoNotOptimize(problems.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CheckParcelRing(benchmark::State& state)
{
    const auto n = static_cast<std::size_t>(state.range(0));
    const auto dir = bench::scratch() / ("comprobar_anillo_" + std::to_string(n));
    std::filesystem::create_directories(dir);
    bench::writeParcel(bench::templates(), bench::ring(n), "1234567AB1234N", dir / "anillo.gml");
    run(state, dir / "anillo.gml");
}
BENCHMARK(BM_CheckParcelRing)->Apply([](auto* b) { bench::sizes(b, {1000, 100000, 1000000}); });

void BM_CheckParcelBlock(benchmark::State& state)
{
    const auto m = static_cast<std::size_t>(state.range(0));
    const auto dir = bench::scratch() / ("comprobar_bloque_" + std::to_string(m));
    std::filesystem::create_directories(dir);
    bench::writeText(dir / "bloque.gml", bench::parcelCollection(m));
    run(state, dir / "bloque.gml");
}
BENCHMARK(BM_CheckParcelBlock)->Apply([](auto* b) { bench::sizes(b, {100, 1000, 10000}); });

}  // namespace
