#pragma once
// The preview windows. They exist from start-up; their drawing comes with
// the previews themselves.

#include "core/form.hpp"

namespace vadrel {

class TFVPrev : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrev"; }
    std::string_view Caption() const override { return "Vista Previa"; }
};

class TFVPrevMulti : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrevMulti"; }
    std::string_view Caption() const override { return "Vista Previa"; }
};

class TFVPrevTotal : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FVPrevTotal"; }
    std::string_view Caption() const override { return "Vista Previa"; }
};

}  // namespace vadrel
