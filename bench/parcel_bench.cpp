// Large rings through the geometry and the whole parcel writer. A surveyed
// boundary has hundreds of vertices; the target is that 100 000 vertices
// still write in well under a second.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/number_format.hpp"
#include "null_ui.hpp"
#include "parcel/parcel_form.hpp"

namespace {

using namespace vadrel;

void circle(std::size_t n, CoordList& x, CoordList& y)
{
    x.clear();
    y.clear();
    for (std::size_t i = 0; i < n; ++i) {
        double a = 2 * M_PI * static_cast<double>(i) / static_cast<double>(n);
        x.push_back(formatGeneral(441600 + 250 * std::cos(a), '.'));
        y.push_back(formatGeneral(4479200 + 250 * std::sin(a), '.'));
    }
}


void BM_AreaAndCentroid(benchmark::State& state)
{
    CoordList x, y;
    circle(static_cast<std::size_t>(state.range(0)), x, y);
    const auto fmt = NumberFormat::batch();
    for (auto _ : state) {
        benchmark::DoNotOptimize(CalculaArea(x, y, fmt));
        benchmark::DoNotOptimize(CalculaCentroide(x, y, fmt));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AreaAndCentroid)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_WriteParcel(benchmark::State& state)
{
    bench::NullUi ui;
    ui.target = std::filesystem::temp_directory_path() / "vadrel-bench.gml";
    TFParcelgen form(ui, Entorno{VADREL_DATA_DIR, NumberFormat::batch(), {}});
    form.FormCreate();
    CoordList x, y;
    circle(static_cast<std::size_t>(state.range(0)), x, y);
    for (auto _ : state) {
        form.MX = x;
        form.MY = y;
        form.ESup = "196349.5";
        form.ERefCatas = "1234567AB1234N";
        form.BBgmlClick();
    }
    std::filesystem::remove(ui.target);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteParcel)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
