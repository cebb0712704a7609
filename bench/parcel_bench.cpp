// A parcel ring of 1,000 / 100,000 / 1,000,000 vertices through every road
// in and out of the parcel window, as the buttons run them. A surveyed
// boundary has hundreds of vertices; the largest sizes check that every
// road stays linear.

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "bench_env.hpp"
#include "core/text_file.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "preview/preview_forms.hpp"
#include "shell/aplicacion.hpp"
#include "webmap/webmap_forms.hpp"

namespace {

using namespace vadrel;
using bench::BenchApp;

// The ring's files, written once per size for the whole run.
struct RingFiles {
    std::filesystem::path coords, dxf, list, gml;
};

const RingFiles& ringFiles(std::size_t n)
{
    static std::map<std::size_t, RingFiles> cache;
    auto [it, fresh] = cache.try_emplace(n);
    if (fresh) {
        const auto dir = bench::scratch() / ("ring_" + std::to_string(n));
        std::filesystem::create_directories(dir);
        const bench::Ring r = bench::ring(n);
        it->second = {dir / "anillo.txt", dir / "anillo.dxf", dir / "list.txt", dir / "anillo.gml"};
        bench::writeText(it->second.coords, bench::coordinateFile(r));
        bench::writeText(it->second.dxf, bench::dxfFile(r));
        bench::writeText(it->second.list, bench::listText(r));
        bench::writeParcel(bench::templates(), r, "1234567AB1234N", it->second.gml);
    }
    return it->second;
}

void ringArgs(benchmark::internal::Benchmark* b) { bench::sizes(b, {1000, 100000, 1000000}); }

// Each iteration starts from an empty window, as a person who opens the
// program and loads one drawing.
template <class Load>
void throughTheWindow(benchmark::State& state, Load load, bool write)
{
    const RingFiles& files = ringFiles(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        BenchApp b;
        TFParcelgen& form = *b.app->FParcelgen;
        form.ERefCatas = "1234567AB1234N";
        load(b, form, files);
        if (write) {
            form.BBCalcularClick();
            form.BBgmlClick();
        }
        benchmark::DoNotOptimize(form.MX.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ParcelDxfImportAreaWrite(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.open = f.dxf.string();
        form.SBCargarDXFClick();
    }, true);
}
BENCHMARK(BM_ParcelDxfImportAreaWrite)->Apply(ringArgs);

void BM_ParcelListImportWrite(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.onShowModal = [&](Form& dialog) {
            static_cast<TFList&>(dialog).Memo1 = readTextLines(f.list);
            return ModalResult::Ok;
        };
        form.BBListClick();
    }, true);
}
BENCHMARK(BM_ParcelListImportWrite)->Apply(ringArgs);

void BM_ParcelCoordinatesLoadWrite(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.open = f.coords.string();
        form.BBCargarClick();
    }, true);
}
BENCHMARK(BM_ParcelCoordinatesLoadWrite)->Apply(ringArgs);

void BM_ParcelGmlReadToCoordinates(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.open = f.gml.string();
        form.BBCargarXMLClick();
        b.ui.target = bench::scratch() / "leido.txt";
        form.BBGuardarClick();
    }, false);
}
BENCHMARK(BM_ParcelGmlReadToCoordinates)->Apply(ringArgs);

void BM_ParcelPreviewDrawing(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.open = f.coords.string();
        form.BBCargarClick();
        b.app->FVPrev->IDibujo = &b.canvas;
        form.BBVistaClick();
    }, false);
}
BENCHMARK(BM_ParcelPreviewDrawing)->Apply(ringArgs);

void BM_ParcelWebPage(benchmark::State& state)
{
    throughTheWindow(state, [](BenchApp& b, TFParcelgen& form, const RingFiles& f) {
        b.ui.open = f.coords.string();
        form.BBCargarClick();
        b.ui.onShowModal = [](Form& dialog) {
            static_cast<TFVistaWeb&>(dialog).BBSiClick();
            return ModalResult::Ok;
        };
        form.BBVerMapaClick();
    }, false);
}
BENCHMARK(BM_ParcelWebPage)->Apply(ringArgs);

}  // namespace
