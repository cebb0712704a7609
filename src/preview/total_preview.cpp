// Every stored construction of the building, drawn together, each in its
// own colour.

#include "core/ui.hpp"
#include "preview/preview_forms.hpp"
#include "preview/rings.hpp"

namespace vadrel {

void TFVPrevTotal::cargaEdificaciones(const std::vector<Construccion>& construcciones, const NumberFormat& fmt)
{
    SGAux.clear();
    inicios_.clear();
    formato_ = fmt;
    for (const Construccion& e : construcciones) {
        // The lists' common length: a missing Y would read as 0 and draw a
        // vertex that is not there.
        const std::size_t n = std::min(e.x->size(), e.y->size());
        if (e.id <= 0 || n == 0) continue;
        inicios_.push_back(SGAux.size());
        for (std::size_t j = 0; j < n; ++j) SGAux.push_back({std::to_string(e.id), (*e.x)[j], (*e.y)[j]});
    }
}

void TFVPrevTotal::dibujaTodos()
{
    // Each construction's rows are one ring, in list order, whatever the
    // ids (moving constructions up and down takes their ids along).
    Anillos anillos;
    anillos.inicio = inicios_;
    for (const Fila& f : SGAux) {
        anillos.x.push_back(&f.x);
        anillos.y.push_back(&f.y);
    }
    const AnillosDibujados d = dibujaAnillos(*IDibujo, anillos, formato_);
    for (std::size_t r = 0; r < SGAux.size(); ++r)
        std::tie(SGAux[r].px, SGAux[r].py) = d.dibujados ? d.pixel[r] : std::pair{0, 0};
    IDibujo->repaint();
}

void TFVPrevTotal::BBCopiarClick() { ui_.setClipboardImage(*IDibujo); }

}  // namespace vadrel
