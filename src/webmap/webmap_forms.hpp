#pragma once
// The web-map windows. They exist from start-up; their pages come with the
// web map itself.

#include "core/form.hpp"

namespace vadrel {

class TFVPrevWeb : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrevWeb"; }
    std::string_view Caption() const override { return "Vista Previa"; }
};

class TFVPrevWeb2 : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrevWeb2"; }
    std::string_view Caption() const override { return "Vista Previa de Parcela"; }
};

}  // namespace vadrel
