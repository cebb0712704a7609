// Writes the files the whole-process measurements of bench/run.sh use:
//   ring_N.txt, ring_N.dxf, ring_N_list.txt, ring_N.geojson and ring_N.gml
// for N = 1,000 / 100,000 / 1,000,000; bloque_1500.gml, a municipal file of
// 1,500 parcels, and nueva.txt, a new parcel round one of them; and for the
// comparison, each new parcel as a coordinate file beside its map:
// cuadrado_5km.txt and .gml (the same square), carretera_20km.txt and
// carretera_20km_mapa.gml, sierra_2000.txt and municipio_2400.gml.

#include <cstdio>
#include <exception>

#include "bench_inputs.hpp"
#include "compare_inputs.hpp"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: vadrel_bench_inputs TEMPLATES_DIR OUT_DIR\n");
        return 2;
    }
    using namespace vadrel::bench;
    try {
        const std::filesystem::path templates = argv[1], out = argv[2];
        std::filesystem::create_directories(out);
        for (std::size_t n : {1000u, 100000u, 1000000u}) {
            const Ring r = ring(n);
            const std::string base = (out / ("ring_" + std::to_string(n))).string();
            writeText(base + ".txt", coordinateFile(r));
            writeText(base + ".dxf", dxfFile(r));
            writeText(base + "_list.txt", listText(r));
            writeText(base + ".geojson", geoJson(r));
            writeParcel(templates, r, "1234567AB1234N", base + ".gml");
        }
        writeText(out / "bloque_1500.gml", parcelCollection(1500));
        writeText(out / "nueva.txt", "1;441586;4479286\r\n2;441614;4479286\r\n3;441614;4479314\r\n4;441586;4479314\r\n");

        const auto square = vadrel::bench::square(5000);
        writeText(out / "cuadrado_5km.txt", coordinateFile(listsOf(square)));
        writeText(out / "cuadrado_5km.gml", mapFile({{kRoadRef, square}}));
        writeText(out / "carretera_20km.txt", coordinateFile(listsOf(widenedRoad(20000))));
        writeText(out / "carretera_20km_mapa.gml", mapFile(roadMap(20000)));
        writeText(out / "sierra_2000.txt", coordinateFile(listsOf(saw(60, 2000))));
        writeText(out / "municipio_2400.gml", mapFile(municipality(60, 40)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
