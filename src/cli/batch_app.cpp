#include "cli/batch_app.hpp"

#include "core/text_file.hpp"
#include "io/list_form.hpp"

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

}  // namespace vadrel::cli
