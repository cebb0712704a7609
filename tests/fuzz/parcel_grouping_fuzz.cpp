// "Cargar GMLs" then "Agrupar GMLs". The first byte chooses one parcel or a
// collection and whether the result is saved (a synced write, slow enough to
// keep to some inputs); the rest is cut into one to three files at
// "\n--8<--\n" (one file is grouped with a copy of itself).

#include <optional>

#include "core/failure.hpp"
#include "fuzz_support.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "shell/aplicacion.hpp"

using namespace vadrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const bool unaParcela = data[0] & 1;
    auto parts = fuzz::split(fuzz::asText(data + 1, size - 1), "\n--8<--\n", 3);
    if (parts.size() == 1) parts.push_back(parts[0]);

    fuzz::FuzzUi ui;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string name = "g";  // appended piece by piece: GCC 12 warns falsely on "g" + std::string
        name += std::to_string(i);
        name += ".gml";
        ui.openMany.push_back(fuzz::writeScratch(name, parts[i]).string());
    }
    if (data[0] & 2) ui.save = (fuzz::scratchDir() / "agrupado.gml").string();
    ui.answer = unaParcela;
    ui.onShowModal = [](Form& f) {
        if (auto* ref = dynamic_cast<TFRef*>(&f)) ref->ERef = "Agrupada_1";
        return ModalResult::Ok;
    };

    Aplicacion app([&](std::string_view) -> Ui& { return ui; }, fuzz::entorno());
    TFParcelgen& form = *app.FParcelgen;
    form.BitBtn1Click();
    if (form.LBOrigen.size() != parts.size()) __builtin_trap();
    for (std::size_t i = 0; i < parts.size(); ++i) form.LBOrigenSeleccion.push_back(static_cast<int>(i));
    form.SpeedButton1Click();
    try {
        form.BitBtn2Click();
    } catch (const Failure&) {
    }
    // Each message is a box a person clicks away: at most one per parcel,
    // and a parcel takes more than eight bytes.
    if (ui.messages > 16 + size / 8) __builtin_trap();
    return 0;
}
