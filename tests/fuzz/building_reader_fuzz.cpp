// "Cargar GML" of the building window, then every construction read shown
// in turn.

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "fuzz_support.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzUi ui;
    ui.open = fuzz::writeScratch("in.gml", fuzz::asText(data, size)).string();
    TFGMLEdif form(ui, fuzz::entorno());
    form.FormCreate();
    form.FormShow();
    try {
        form.BBCargarXMLClick();
    } catch (const Failure&) {
        return 0;
    }
    if (form.LBElementos.size() != form.Edificaciones.size()) __builtin_trap();
    try {
        for (std::size_t i = 0; i < form.LBElementos.size() && i < 64; ++i) {
            form.LBElementosIndex = static_cast<int>(i);
            form.LBElementosClick();
        }
    } catch (const Failure&) {
    }
    return 0;
}
