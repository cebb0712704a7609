#pragma once
// The building window.

#include "core/form.hpp"

namespace vadrel {

class TFGMLEdif : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FGMLEdif"; }
    std::string_view Caption() const override { return "Generador de GML de Edificio"; }
};

}  // namespace vadrel
