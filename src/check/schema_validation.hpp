#pragma once
// The file as libxml2 reads it: well-formed (namespaces and all, which the
// program's own reader does not insist on) and valid against the
// cadastre's schemas.

#include <string>

#include "check/gml_model.hpp"
#include "check/problem.hpp"
#include "check/schema_settings.hpp"

namespace vadrel::check {

// `bytes` is the whole file as UTF-8 (see asUtf8Document), `name` only
// names it in libxml2's own messages, `model` is the same document as the
// program read it: the names in the places come from there. When no schema
// can be had, one note says why. A document that declares entities is
// refused, and no entity is ever expanded.
void checkXmlAndSchema(const std::string& bytes, const std::string& name, const SchemaSettings& settings,
                       const Model& model, Problems& out);

}  // namespace vadrel::check
