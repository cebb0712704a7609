// "Comprobar" over a parcel ring of 1,000 / 100,000 / 1,000,000 vertices,
// over a block of 100 / 1,000 / 10,000 parcels in one file, and over the
// shapes that made GEOS quadratic: a narrow saw-tooth ring (every edge's box
// overlapping the others) of 2,000 / 16,000 vertices and a parcel of 250 /
// 2,000 triangles round one vertex (every pair's boxes meeting). The schemas are
// left out (no catalog, no network): what is measured is the program's own
// reading and checking, which must stay linear; libxml2 still parses every
// file for its well-formedness.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

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

// One parcel whose surface is the given polygons (x y pairs, closed).
std::string parcelOf(const std::vector<std::vector<double>>& polygons)
{
    std::string s =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
        "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" "
        "xmlns:base=\"http://inspire.ec.europa.eu/schemas/base/3.3\" xmlns=\"http://www.opengis.net/wfs/2.0\">\n"
        "<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP.1234567AB1234N\"><cp:areaValue uom=\"m2\">1</cp:areaValue>"
        "<cp:geometry><gml:MultiSurface><gml:surfaceMember><gml:Surface><gml:patches>";
    char number[32];
    for (const auto& p : polygons) {
        s += "<gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">";
        for (std::size_t i = 0; i < p.size(); ++i) {
            std::snprintf(number, sizeof number, i ? " %.2f" : "%.2f", p[i]);
            s += number;
        }
        s += "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch>";
    }
    s += "</gml:patches></gml:Surface></gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId>"
         "<base:Identifier><base:localId>1234567AB1234N</base:localId><base:namespace>ES.SDGC.CP</base:namespace>"
         "</base:Identifier></cp:inspireId></cp:CadastralParcel></member>\n</FeatureCollection>\n";
    return s;
}

void BM_CheckSawTooth(benchmark::State& state)
{
    // Teeth 1 cm apart, each edge 50 m long, over a base 1 m below; with a
    // second argument of 1, a small interior ring between them.
    const auto n = static_cast<int>(state.range(0));
    const bool hole = state.range(1) == 1;
    std::vector<double> ring;
    for (int i = 0; i < n; ++i) {
        ring.push_back(441000 + i * 0.01 + (i % 2 ? 50 : 0));
        ring.push_back(4479000.0 + (i % 2));
    }
    ring.insert(ring.end(), {441000 + n * 0.01 + 60, 4478999, 441000, 4478999, ring[0], ring[1]});
    const auto dir = bench::scratch() / ("comprobar_sierra_" + std::to_string(n) + (hole ? "_hueco" : ""));
    std::filesystem::create_directories(dir);
    std::string gml = parcelOf({ring});
    if (hole) {
        const std::size_t at = gml.find("</gml:exterior>") + 15;
        gml.insert(at, "<gml:interior><gml:LinearRing><gml:posList srsDimension=\"2\">441010 4478999.2 441010 "
                       "4478999.8 441011 4478999.8 441011 4478999.2 441010 4478999.2</gml:posList></gml:LinearRing>"
                       "</gml:interior>");
    }
    bench::writeText(dir / "sierra.gml", gml);
    run(state, dir / "sierra.gml");
}
BENCHMARK(BM_CheckSawTooth)->Apply([](auto* b) {
    b->Args({2000, 0})->Args({16000, 0})->Args({2000, 1})->Args({16000, 1});
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(1.0);
});

void BM_CheckFan(benchmark::State& state)
{
    // Triangles round one vertex, each touching the next along an edge.
    const auto m = static_cast<int>(state.range(0));
    std::vector<std::vector<double>> triangles;
    const double cx = 441000, cy = 4479000;
    for (int i = 0; i < m; ++i) {
        const double a = 2 * M_PI * i / m, b = 2 * M_PI * (i + 1) / m;
        const double ax = std::round((cx + 100 * std::cos(a)) * 100) / 100, ay = std::round((cy + 100 * std::sin(a)) * 100) / 100;
        const double bx = std::round((cx + 100 * std::cos(b)) * 100) / 100, by = std::round((cy + 100 * std::sin(b)) * 100) / 100;
        triangles.push_back({cx, cy, ax, ay, bx, by, cx, cy});
    }
    const auto dir = bench::scratch() / ("comprobar_abanico_" + std::to_string(m));
    std::filesystem::create_directories(dir);
    bench::writeText(dir / "abanico.gml", parcelOf(triangles));
    run(state, dir / "abanico.gml");
}
BENCHMARK(BM_CheckFan)->Apply([](auto* b) { bench::sizes(b, {250, 2000}); });

}  // namespace
