#pragma once
// The figures a comparison works on: parcels and constructions as plain
// rings (UTM metres), read from cadastre GML or taken from a window.

#include <filesystem>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "core/geometry.hpp"

namespace vadrel::compare {

using Ring = std::vector<Punto>;

struct Patch {
    std::vector<Ring> rings;  // the exterior first, then its holes
};

struct Shape {
    // A parcel's cadastral reference (empty when it has none, e.g. a new
    // parcel outside the cadastre's namespace); a construction's name.
    std::string name;
    std::vector<Patch> patches;
};

// Which features of a document to take.
enum class Kind { Parcels, Constructions };

// The parcels (or buildings, building parts and other constructions) of a
// document with their readable, closed rings. `cadastralOnly`: a parcel is
// named only when its identifier is in the cadastre's namespace ES.SDGC.CP.
std::vector<Shape> shapesOf(const pugi::xml_document& doc, Kind kind, bool cadastralOnly = false);
// The same, telling in `unreadable` whether a ring of a wanted feature was
// left out because its coordinates could not be read.
std::vector<Shape> shapesOf(const pugi::xml_document& doc, Kind kind, bool cadastralOnly, bool& unreadable);

// The same from a file; throws Failure (Spanish) when it cannot be read as
// XML or holds none of the features asked for.
std::vector<Shape> readShapes(const std::filesystem::path& file, Kind kind, bool cadastralOnly = false);

// The same of every file, in their order.
std::vector<Shape> readAllShapes(const std::vector<std::string>& files, Kind kind, bool cadastralOnly = false);

// The UTM zone (28 to 31) named by the first srsName of the document
// (EPSG 25828-25831 or 32628); nothing when there is none of those.
std::optional<int> zoneOf(const pugi::xml_document& doc);
// The same of a file; nothing also when it cannot be read.
std::optional<int> zoneOfFile(const std::filesystem::path& file);

// True for a reference the cadastre could know: 14 letters and digits.
bool isCadastralReference(std::string_view ref);

}  // namespace vadrel::compare
