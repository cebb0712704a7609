#pragma once
// A parcel or building GML checked before it goes to the cadastre: every
// problem at once, each with its place, nothing in the file changed.

#include <filesystem>
#include <string>

#include "check/problem.hpp"
#include "check/schema_settings.hpp"

namespace vadrel {
class Ui;
}

namespace vadrel::check {

struct CheckOptions {
    // The turn of the rings as INSPIRE asks for it (exteriors
    // counter-clockwise). The cadastre's own files all turn the other way,
    // so only those who deliver to other portals ask for it.
    bool inspireOrientation = false;
};

// The note that the schemas could not be used, when there is one, comes
// first.
Problems checkGmlFile(const std::filesystem::path& file, const SchemaSettings& settings,
                      const CheckOptions& options = {});

// What the person reads: the note that the schemas could not be used when
// there is one, then a count of errors and warnings and one line per
// problem; "No se han encontrado problemas." when there is none.
std::string reportText(const Problems& problems);

// "Comprobar" in either window: asks for a GML file, checks it and shows
// what was found. Touches no field of the window.
void checkChosenGml(Ui& ui, const SchemaSettings& settings);

}  // namespace vadrel::check
