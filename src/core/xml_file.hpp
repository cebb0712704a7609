#pragma once
// Loading and saving the program's XML documents.

#include <filesystem>
#include <string>
#include <string_view>
#include <pugixml.hpp>

namespace vadrel {

// Replaces `doc` with the file's content. Throws Failure with a Spanish
// message (missing file, malformed XML with its position) and leaves `doc`
// empty in that case.
void loadXml(pugi::xml_document& doc, const std::filesystem::path& path);
// The same from the file's bytes, already read; `path` only names it.
void loadXml(pugi::xml_document& doc, std::string bytes, const std::filesystem::path& path);

// Writes the whole document, as the template's declaration says (UTF-8),
// without ever leaving a half-written file.
void saveXml(const pugi::xml_document& doc, const std::filesystem::path& path);

// The encoding an XML declaration names, in lower case; empty without one.
std::string declaredEncoding(std::string_view bytes);

// True when the document holds an element (a loaded template).
bool hasRoot(const pugi::xml_document& doc);

}  // namespace vadrel
