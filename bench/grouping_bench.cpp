// Grouping 10 / 100 / 1,000 parcel files by both roads, and the grouping
// page's preview of one file of 100 / 1,000 / 10,000 parcels: both walk
// their documents member by member.

#include <benchmark/benchmark.h>

#include <map>

#include "bench_env.hpp"
#include "parcel/parcel_form.hpp"
#include "preview/preview_forms.hpp"
#include "parcel/ref_form.hpp"

namespace {

using namespace vadrel;
using bench::BenchApp;

const std::vector<std::filesystem::path>& parcelFiles(std::size_t m)
{
    static std::map<std::size_t, std::vector<std::filesystem::path>> cache;
    auto [it, fresh] = cache.try_emplace(m);
    if (fresh)
        it->second = bench::writeParcelFiles(bench::templates(), m, bench::scratch() / ("parcelas_" + std::to_string(m)));
    return it->second;
}

void group(benchmark::State& state, bool intoOne)
{
    const auto& files = parcelFiles(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        BenchApp b;
        TFParcelgen& form = *b.app->FParcelgen;
        for (const auto& f : files) b.ui.openMany.push_back(f.string());
        form.BitBtn1Click();
        for (int i = 0; i < static_cast<int>(form.LBOrigen.size()); ++i) form.LBOrigenSeleccion.push_back(i);
        form.SpeedButton1Click();
        b.ui.confirmAnswer = intoOne;
        b.ui.onShowModal = [](Form& dialog) {
            static_cast<TFRef&>(dialog).ERef = "AGRUPADA";
            return ModalResult::Ok;
        };
        b.ui.target = bench::scratch() / "agrupado.gml";
        form.BitBtn2Click();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void groupingArgs(benchmark::internal::Benchmark* b) { bench::sizes(b, {10, 100, 1000}); }

void BM_GroupingAsTheyAre(benchmark::State& state) { group(state, false); }
BENCHMARK(BM_GroupingAsTheyAre)->Apply(groupingArgs);

void BM_GroupingIntoOneParcel(benchmark::State& state) { group(state, true); }
BENCHMARK(BM_GroupingIntoOneParcel)->Apply(groupingArgs);

void BM_MultiFilePreview(benchmark::State& state)
{
    const auto m = static_cast<std::size_t>(state.range(0));
    const auto dir = bench::scratch() / ("bloque_" + std::to_string(m));
    std::filesystem::create_directories(dir);
    bench::writeText(dir / "bloque.gml", bench::parcelCollection(m));
    for (auto _ : state) {
        BenchApp b;
        TFParcelgen& form = *b.app->FParcelgen;
        form.LBDestino = {(dir / "bloque.gml").string()};
        b.app->FVPrevMulti->IDibujo = &b.canvas;
        form.BBVPrevMultiClick();
        benchmark::DoNotOptimize(b.canvas.lines);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MultiFilePreview)->Apply([](auto* b) { bench::sizes(b, {100, 1000, 10000}); });

}  // namespace
