#pragma once
// The About box: who made the program and on what terms it is used.

#include "core/form.hpp"

namespace vadrel {

// The publisher, as the menu's two header lines and the About box show it.
inline constexpr std::string_view kEditorLinea1 = "Estudio Vadrel";
inline constexpr std::string_view kEditorLinea2 = "Geometría para el Catastro";
inline constexpr std::string_view kEditorCompleto = "Estudio Vadrel · Geometría para el Catastro";

class TFAcercade : public Form {
public:
    using Form::Form;
    std::string_view instancia() const override { return "FAcercade"; }
    std::string_view Caption() const override { return "Acerca de"; }

    static constexpr std::string_view Label1 = "Vadrel 2.0";
    static constexpr std::string_view Label2 = "Creado por:";
    static constexpr std::string_view Label3 = "El equipo fundador de Vadrel";
    static constexpr std::string_view Label4 = "con las observaciones de sus primeros usuarios";
    static constexpr std::string_view Label5 = kEditorCompleto;
    static constexpr std::string_view Label6 = "Acuerdo de Licencia de Usuario Final";
    static constexpr std::string_view Label7 = "Build 010626";
    static const char* const Memo1;
};

}  // namespace vadrel
