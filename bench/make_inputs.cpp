// Writes the files the whole-process measurements of bench/run.sh use:
//   ring_N.txt, ring_N.dxf, ring_N_list.txt, ring_N.geojson and ring_N.gml
// for N = 1,000 / 100,000 / 1,000,000.

#include <cstdio>
#include <exception>

#include "bench_inputs.hpp"

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
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
