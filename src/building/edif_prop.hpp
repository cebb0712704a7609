#pragma once
// One construction of a building: a ring with its name, its type (a
// building part or a pool) and its role (exterior, or interior of the
// exterior before it).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/coord_list.hpp"

namespace vadrel {

inline constexpr const char* kEdificacion = "Edificación";
inline constexpr const char* kPiscina = "Piscina";
inline constexpr const char* kExterior = "Exterior";
inline constexpr const char* kInterior = "Interior";

// The name a construction gets when it is added: "Nueva Edificación n".
inline std::string nombreNuevaEdificacion(std::size_t n) { return "Nueva Edificación " + std::to_string(n); }

struct EdifProp;

inline constexpr std::string_view kXYDistintas = "Debe haber el mismo número de coordenadas en X que en Y.";

// "Error en la edificación i: NOMBRE. " followed by what is wrong; i counts from 0.
std::string errorEnEdificacion(std::size_t i, const EdifProp& e, std::string_view detalle);

struct EdifProp {
    std::int32_t id = 0;
    std::string nombre;
    std::string tipo;
    std::string e_i;
    CoordList coorx;
    CoordList coory;
};

inline std::string errorEnEdificacion(std::size_t i, const EdifProp& e, std::string_view detalle)
{
    return "Error en la edificación " + std::to_string(i) + ": " + e.nombre + ". " + std::string(detalle);
}

}  // namespace vadrel
