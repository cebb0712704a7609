// The DXF buttons: the file read as text, then its polylines scanned.

#include "core/failure.hpp"
#include "fuzz_support.hpp"
#include "io/dxf_scan.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::asText(data, size);
    fuzz::FuzzUi ui;

    // Every further polyline taken and judged, as the building window does.
    try {
        DibujoDxf dibujo;
        const CargaDxf r = cargaDxf(ui, fuzz::writeScratch("in.dxf", text), 30, Polilineas::todas, dibujo);
        // Nothing is given unless it was loaded whole.
        if (r != CargaDxf::cargado && !dibujo.x.empty()) __builtin_trap();
        if (dibujo.x.size() != dibujo.y.size()) __builtin_trap();
    } catch (const Failure&) {
    }

    // The raw bytes, stopping at the second polyline, as the parcel window does.
    try {
        CoordList MX, MY;
        escaneaDxf(text, MX, MY, [] { return false; });
    } catch (const Failure&) {
    }

    // Arcs replaced with a fine sagitta: bounded, X and Y still paired
    // wherever they were.
    try {
        CoordList MX, MY;
        const ResultadoDxf r = escaneaDxf(text, MX, MY, [] { return true; }, 0.001);
        if (r.arcos.tramos > r.arcos.arcos * arcos::kMaxTramosPorArco) __builtin_trap();
    } catch (const Failure&) {
    }
    return 0;
}
