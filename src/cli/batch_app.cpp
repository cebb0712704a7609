#include "cli/batch_app.hpp"

#include "core/text_file.hpp"
#include <algorithm>
#include <filesystem>

#include "cli/args.hpp"
#include "core/coord_list.hpp"
#include "core/failure.hpp"
#include "core/messages.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::cli {

void pegaListDesde(BatchUi& ui, const std::string& file)
{
    ui.onShowModal = [file](Form& form) {
        auto* lista = dynamic_cast<TFList*>(&form);
        if (!lista) return ModalResult::Cancel;
        lista->Memo1 = readTextLines(pathFromUtf8(file));
        return ModalResult::Ok;
    };
}

void aLaDerecha(BatchUi& ui, TFParcelgen& form, const std::vector<std::string>& files)
{
    for (const auto& f : files) {
        ui.openAnswers = {utf8Of(std::filesystem::absolute(pathFromUtf8(f)))};
        const std::size_t antes = form.LBOrigen.size();
        form.BitBtn1Click();
        if (form.LBOrigen.size() == antes) continue;  // the same file given twice
        const auto at = std::find(form.LBOrigen.begin(), form.LBOrigen.end(), ui.openAnswers.front());
        form.LBOrigenSeleccion = {static_cast<int>(at - form.LBOrigen.begin())};
        form.SpeedButton1Click();
    }
}

bool cargaCoordenadas(BatchUi& ui, TFParcelgen& form, const std::string& file)
{
    ui.openAnswer = file;
    return dispatch(ui, [&] {
        form.BBCargarClick();
        limpiaCoordenadas(form.MX, form.MY);
        if (form.MX.size() != form.MY.size()) throw Failure(msg::kDistintasCoordenadas);
    });
}

}  // namespace vadrel::cli
