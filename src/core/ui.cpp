#include "core/ui.hpp"

#include <filesystem>

#include "report/text_measure.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

std::string withDefaultExtension(const std::string& path, const std::string& ext)
{
    if (ext.empty() || path.empty()) return path;
    if (pathFromUtf8(path).has_extension()) return path;
    return path + "." + ext;
}

void abreDocumento(Ui& ui, const std::string& path, Visor visor)
{
    if (ui.openWithDesktop(path)) return;
    ui.message("No se ha podido abrir " + path +
               (visor == Visor::Navegador ? ". Ábralo con su navegador." : ". Ábralo con su lector de PDF."));
}

const report::MedidaTexto& Ui::medidaTexto() const
{
    static const report::MedidaHolgada holgada;
    return holgada;
}

}  // namespace vadrel
