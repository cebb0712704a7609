#pragma once
// The start menu: the main window, from which the two working windows open.

#include "core/form.hpp"

namespace vadrel {

class TFMenu : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FMenu"; }
    std::string_view Caption() const override { return "Vadrel"; }

    static constexpr std::string_view Label9 = "Vadrel";

    void BBParcelaClick();  // "GML Parcela"
    void BBEdifClick();     // "GML Edificio"
};

}  // namespace vadrel
