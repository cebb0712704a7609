#pragma once
// The three name searches every GML reader and writer uses. A "list" is the
// children of `parent` (pass the document for its top-level nodes). Names
// are whole qualified names, compared exactly.

#include <initializer_list>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace vadrel {

// A node's name as a DOM shows it: the qualified name of an element,
// "#text", "#comment" and so on for the other kinds.
std::string nombreNodo(pugi::xml_node node);

// First node of that name, depth first in document order; a match is not
// searched inside.
pugi::xml_node buscaNodo(std::string_view nombre, pugi::xml_node parent);

// The first node named `preferred`, else the first named `fallback`.
pugi::xml_node buscaNodo(std::string_view preferred, std::string_view fallback, pugi::xml_node parent);

// Nodes of that name in the whole forest, nested matches included.
int CuentaOcurrencias(std::string_view nombre, pugi::xml_node parent);

// The occurrence at `posicion` counted per level: a child subtree that yields
// a node counts once at the level above. With too few occurrences, the last
// one met; none for a position below 1.
pugi::xml_node buscaOcurrencia(std::string_view nombre, pugi::xml_node parent, int posicion);

// Every element below `under` named one of `nombres`, in document order; a
// match is not looked into, nor is an element named `sinEntrarEn` (a nested
// patch whose rings are its own).
std::vector<pugi::xml_node> buscaTodos(pugi::xml_node under, std::initializer_list<std::string_view> nombres,
                                       std::string_view sinEntrarEn = {});

// Every element of that name below `under`, in document order, those nested
// in a match included.
std::vector<pugi::xml_node> buscaTodosAnidados(pugi::xml_node under, std::string_view nombre);

// A template must hold every element a writer fills, or the file would be
// written without its ring or its pools. Throws Failure "Error. La plantilla
// NAME no contiene el elemento ELEMENT." for the first one missing.
void exigeElementos(const pugi::xml_document& plantilla, std::string_view nombrePlantilla,
                    std::initializer_list<std::string_view> elementos);

}  // namespace vadrel
