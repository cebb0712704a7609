#pragma once
// What names and places the file: reference systems (srsName) and
// identifiers (gml:id, the cadastral references, localId).

#include <pugixml.hpp>

#include "check/gml_model.hpp"
#include "check/problem.hpp"

namespace vadrel::check {

void checkReferenceSystems(const pugi::xml_document& doc, const Model& model, Problems& out);
void checkIdentifiers(const pugi::xml_document& doc, const Model& model, Problems& out);

// True for a name XML accepts as an id (an NCName: a letter or "_", then
// letters, digits, ".", "-", "_"; any character beyond ASCII is let
// through).
bool isXmlId(std::string_view id);

}  // namespace vadrel::check
