#pragma once
// The file as libxml2 reads it: well-formed (namespaces and all, which the
// program's own reader does not insist on) and valid against the
// cadastre's schemas.

#include <string>

#include "check/problem.hpp"
#include "check/schema_settings.hpp"

namespace vadrel::check {

// `bytes` is the whole file, `name` only names it in libxml2's own
// messages. When no schema can be had, one warning says why.
void checkXmlAndSchema(const std::string& bytes, const std::string& name, const SchemaSettings& settings,
                       Problems& out);

}  // namespace vadrel::check
