// "Cargar" coordinates: a text file of "N;X;Y" lines appended to the lists.

#include "core/failure.hpp"
#include "fuzz_support.hpp"
#include "io/coord_file.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzz::writeScratch("in.txt", fuzz::asText(data, size));
    try {
        CoordList MX{"1"}, MY{"2"};
        leerArchivoCoordenadas(path, MX, MY);
        // The points already there stay first and both lists grow together.
        if (MX.size() != MY.size() || MX.front() != "1" || MY.front() != "2") __builtin_trap();
    } catch (const Failure&) {
    }

    // The same through the button, which asks for the file.
    try {
        fuzz::FuzzUi ui;
        ui.open = path.string();
        CoordList MX, MY;
        cargarCoordenadas(ui, MX, MY);
    } catch (const Failure&) {
    }
    return 0;
}
