#pragma once
// The web-map pages: their templates, in which tags such as <#centro> are
// replaced by generated text, and the colours of the constructions.

#include <functional>
#include <string>
#include <string_view>

namespace vadrel {

// The page of one polygon, zone-aware, its lines ended by CR LF.
std::string plantillaUnPoligono();
// The page of all constructions: the same page with one <#bucle> line in
// place of the polygon.
std::string plantillaTodas();

// The text of a tag, given its name in lower case; an unknown name gives
// empty text.
using Etiqueta = std::function<std::string(std::string_view nombre)>;

// The template with every tag ("<#", a name of letters, digits and "_",
// anything up to ">") replaced, each computed where it stands.
std::string rellenaPagina(std::string_view plantilla, const Etiqueta& etiqueta);

// The colour handed out k-th to an exterior construction that is no pool.
std::string_view colorConstruccion(std::size_t k);

}  // namespace vadrel
