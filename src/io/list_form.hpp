#pragma once
// The window into which AutoCAD's LIST text is pasted.

#include "core/form.hpp"

namespace vadrel {

class TFList : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FList"; }
    std::string_view Caption() const override { return "Importar orden List Autocad"; }
};

}  // namespace vadrel
