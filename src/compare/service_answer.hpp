#pragma once
// An answer of the cadastre's service is used only as a file the person
// opens would be: read by the same rules, in the zone asked for, with
// finite coordinates, and for a reference exactly that parcel.

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "compare/shapes.hpp"

namespace vadrel::compare {

// The answer into `doc` as "Cargar GML" reads a file, and stricter still:
// no DOCTYPE at all, and only the encodings the cadastre's files use
// (UTF-8, ISO-8859-1, Windows-1252). Throws Failure with the reason.
void readAnswer(pugi::xml_document& doc, const std::string& body);

// Every srsName of the answer names `zone` (for zone 28, the degrees the
// service answers in); throws Failure otherwise.
void checkAnswerZone(const pugi::xml_document& doc, int zone);

// The answer's parcels, every coordinate of every ring a finite number;
// throws Failure otherwise (a neighbour left out would hide its overlap).
std::vector<Shape> parcelsOfAnswer(const pugi::xml_document& doc);

}  // namespace vadrel::compare
