// "Cargar GML" of the parcel window, then "Cal. Área" over what it read.

#include <optional>

#include "core/failure.hpp"
#include "fuzz_support.hpp"
#include "parcel/parcel_form.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzUi ui;
    ui.open = fuzz::writeScratch("in.gml", fuzz::asText(data, size)).string();
    TFParcelgen form(ui, fuzz::entorno());
    form.FormCreate();
    try {
        form.BBCargarXMLClick();
    } catch (const Failure&) {
        return 0;
    }
    try {
        form.BBCalcularClick();
    } catch (const Failure&) {
    }
    return 0;
}
