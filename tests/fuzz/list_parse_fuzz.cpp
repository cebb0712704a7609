// The "List Autocad" window: the pasted lines read into points.

#include "core/failure.hpp"
#include "core/text_file.hpp"
#include "fuzz_support.hpp"
#include "io/list_parse.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const std::vector<std::string> lines = readTextLines(fuzz::writeScratch("in.txt", fuzz::asText(data, size)));
        CoordList MX, MY;
        leeList(lines, MX, MY);
        // One point per line with "X=", X and Y always paired.
        if (MX.size() != MY.size() || MX.size() > lines.size()) __builtin_trap();
        // Arcs add points between the vertices, never take one away.
        CoordList x, y;
        ResumenArcos arcos;
        leeList(lines, x, y, 0.001, &arcos);
        if (x.size() != y.size() || x.size() != MX.size() + arcos.tramos - arcos.arcos) __builtin_trap();
    } catch (const Failure&) {
    }
    return 0;
}
