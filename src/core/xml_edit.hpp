#pragma once
// DOM-style reading and setting of an element's text and attributes.

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace vadrel {

// "attribute := value": replaced, or added when the element has none.
void setAttribute(pugi::xml_node node, const char* name, const std::string& value);

// "text := value": whatever the element held gives way to one text.
void setText(pugi::xml_node node, const std::string& value);

// The element's text as a DOM gives it: every text below it, in order.
std::string textOf(pugi::xml_node node);
// The same text, read in place when the element holds it in one piece (a
// position list always does); otherwise gathered into `copia`.
std::string_view textView(pugi::xml_node node, std::string& copia);

}  // namespace vadrel
