// A building with many constructions through the writer and the reader: a
// large housing block has a few hundred rings, the target is that a
// thousand rings of 200 vertices write and read back in well under a second.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "building/building_form.hpp"
#include "core/number_format.hpp"
#include "null_ui.hpp"

namespace {

using namespace vadrel;

void fill(TFGMLEdif& form, int rings, int vertices)
{
    form.FormShow();
    form.Edificaciones.clear();
    for (int r = 0; r < rings; ++r) {
        // Each exterior followed by three interiors.
        EdifProp e{r + 1, std::to_string(r), kEdificacion, r % 4 == 0 ? kExterior : kInterior, {}, {}};
        for (int v = 0; v < vertices; ++v) {
            e.coorx.push_back(std::to_string(441000 + r * 10 + v % 7) + ".25");
            e.coory.push_back(std::to_string(4479000 + v) + ".5");
        }
        form.Edificaciones.push_back(std::move(e));
    }
    form.MX = form.Edificaciones[0].coorx;
    form.MY = form.Edificaciones[0].coory;
    form.ERefCatas = "1234567AB1234N";
    form.EFechaConstruc = "01/01/2000";
    form.ENInmueble = "1";
    form.ENViv = "1";
    form.ENSobreRas = "1";
    form.ESuptot = "1000";
}

void BM_WriteAndReadBuilding(benchmark::State& state)
{
    bench::NullUi ui;
    ui.target = std::filesystem::temp_directory_path() / "vadrel-bench-building.gml";
    TFGMLEdif form(ui, Entorno{VADREL_DATA_DIR, NumberFormat::batch(), {}});
    form.FormCreate();
    for (auto _ : state) {
        fill(form, static_cast<int>(state.range(0)), 200);
        form.BBgmlClick();
        ui.open = ui.target;
        form.BBCargarXMLClick();
    }
    std::filesystem::remove(ui.target);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteAndReadBuilding)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
