#pragma once
// The report's texts measured in the font and on the device the PDF
// writer sets them with, so that the layout's lines are the drawn ones.
// The header is free of Qt so that the batch command stays so.

#include <memory>

#include "report/text_measure.hpp"

namespace vadrel::app {

// The PDF's resolution in dots an inch: fine enough that a millimetre is
// 47 dots, so the scale bar and the plan stay true to a hundredth of one.
inline constexpr int kResolucionPdf = 1200;

class MedidaPdf : public report::MedidaTexto {
public:
    MedidaPdf();
    ~MedidaPdf() override;
    MedidaPdf(const MedidaPdf&) = delete;
    MedidaPdf& operator=(const MedidaPdf&) = delete;

    // Starts an application without a screen, kept while this lives, when
    // none runs (fonts need one).
    double ancho(std::string_view texto, double puntos, bool negrita = false) const override;

private:
    struct Estado;
    mutable std::unique_ptr<Estado> estado_;
};

}  // namespace vadrel::app
