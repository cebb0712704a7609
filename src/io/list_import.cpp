#include <string>
#include <vector>

#include "core/ui.hpp"
#include "io/list_form.hpp"
#include "io/list_parse.hpp"

namespace vadrel {

namespace {

const char* const kSobreescribirList =
    "Se van a sobreescribir las coordenadas actuales con las que se encuentran en el LIST. ¿Desea continuar?";
const char* const kSinCoordenadas =
    "Error. El texto pegado no contiene ninguna coordenada (líneas con X= e Y=).";

}  // namespace

void importaList(Ui& ui, TFList& lista, CoordList& MX, CoordList& MY, double flecha)
{
    lista.Memo1.clear();
    if (ui.showModal(lista) != ModalResult::Ok) return;
    // Read before asking: a text without a single vertex must not be
    // allowed to replace the window's points.
    CoordList x, y;
    ResumenArcos arcos;
    const std::size_t polilineas = leeList(lista.Memo1, x, y, flecha, &arcos);
    if (x.empty() && y.empty()) return ui.message(kSinCoordenadas);
    if ((!MX.empty() || !MY.empty()) && !ui.confirm(kSobreescribirList, false)) return;
    MX = std::move(x);
    MY = std::move(y);
    if (polilineas > 1)
        ui.message("El texto contiene " + std::to_string(polilineas) +
                   " polilíneas; se han unido en una sola lista de coordenadas.");
    if (const std::string m = mensajeArcos(arcos, flecha); !m.empty()) ui.message(m);
    // The pasted text is emptied at the next opening anyway; a long LIST
    // would hold its memory until then.
    std::vector<std::string>().swap(lista.Memo1);
}

}  // namespace vadrel
