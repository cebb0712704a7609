#pragma once
// The cadastre's schemas a document calls for, compiled by libxml2 once per
// run and settings, with every document they import read through
// SchemaLoader.

#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <memory>
#include <string>
#include <vector>

#include "check/schema_settings.hpp"

namespace vadrel::check {

struct Import {
    const char* ns;
    const char* location;
};

// The schemas the document's namespaces call for: WFS for a WFS root, the
// parcels', the buildings'; none for any other document.
std::vector<Import> importsFor(xmlDocPtr doc);

using SchemaHandle = std::shared_ptr<xmlSchema>;

// The compiled schemas importing `imports`, kept for the next file; nothing
// (with the reason) when a schema cannot be had.
SchemaHandle compiledSchemas(const std::vector<Import>& imports, const SchemaSettings& settings, std::string& why);

}  // namespace vadrel::check
