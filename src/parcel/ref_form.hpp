#pragma once
// The name/reference dialog of the one-parcel grouping. It has no code of
// its own: the field keeps the text of its previous use.

#include <string>

#include "core/form.hpp"

namespace vadrel {

class TFRef : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FRef"; }
    std::string_view Caption() const override { return "Introduzca Nombre / Referencia"; }

    static constexpr std::string_view Label1 = "Por favor, introduzca un nombre / referencia para la agrupación ";
    std::string ERef;
};

}  // namespace vadrel
