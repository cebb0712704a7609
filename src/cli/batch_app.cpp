#include "cli/batch_app.hpp"

#include "core/text_file.hpp"
#include <algorithm>
#include <filesystem>

#include "cli/args.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::cli {

void pegaListDesde(BatchUi& ui, const std::string& file)
{
    ui.onShowModal = [file](Form& form) {
        auto* lista = dynamic_cast<TFList*>(&form);
        if (!lista) return ModalResult::Cancel;
        lista->Memo1 = readTextLines(file);
        return ModalResult::Ok;
    };
}

void aLaDerecha(BatchUi& ui, TFParcelgen& form, const std::vector<std::string>& files)
{
    auto carpeta = [](const std::string& f) { return std::filesystem::weakly_canonical(f).parent_path(); };
    const auto folder = carpeta(files.front());
    for (const auto& f : files)
        if (carpeta(f) != folder)
            throw UsageError("Los archivos GML deben estar en la misma carpeta.");
    for (const auto& f : files) {
        ui.openAnswers = {std::filesystem::absolute(f).string()};
        form.BitBtn1Click();
        const auto name = std::filesystem::path(f).filename().string();
        const auto at = std::find(form.LBOrigen.begin(), form.LBOrigen.end(), name);
        form.LBOrigenSeleccion = {static_cast<int>(at - form.LBOrigen.begin())};
        form.SpeedButton1Click();
    }
}

}  // namespace vadrel::cli
