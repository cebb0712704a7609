#pragma once
// libxml2's errors as the report gives them: collected instead of printed,
// the ones other checks tell better left out, placed at their feature and
// put into Spanish.

#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <map>
#include <string>

#include "check/gml_model.hpp"

namespace vadrel::check {

struct Collected {
    int code = 0;
    int line = 0;
    std::string message;
    std::string file;
    xmlNodePtr node = nullptr;
};

// A structured error handler; `user` is a std::vector<Collected>. Keeps
// errors only, their message without the trailing newline and full stop.
void collect(void* user, xmlErrorPtr e);

// libxml2's usual phrases in Spanish; anything else stays in its words.
std::string inSpanish(std::string message);

// "{http://inspire.ec.europa.eu/schemas/cp/4.0}label" as "cp:label", with
// the prefixes the file itself binds (the first binding of each namespace),
// and with "cp:" as the replacement of each.
std::map<std::string, std::string> prefixesOf(xmlDocPtr doc);
std::string withPrefixes(std::string message, const std::map<std::string, std::string>& prefixes);

// A schema error the report leaves out: the cadastre's own pool value, and
// what the gml:id, ring and area checks say in clearer words.
bool toldElsewhere(const Collected& e);

// libxml2's features in document order are the model's: both readers read
// the same text, and the model names each feature as every other check does.
std::map<xmlNodePtr, const Feature*> featuresOf(xmlDocPtr doc, const Model& model);

// "parcela 1234567AB1234N, línea 12": the line, and the feature holding the
// element when there is one (a file of many parcels has many lines).
std::string placeOfError(const Collected& e, const std::map<xmlNodePtr, const Feature*>& features);

// libxml2's limit on one text (10 MB) without XML_PARSE_HUGE, which is
// not given: a ring that long is not the file's fault, but the schemas
// cannot be checked on it.
bool isTextTooLong(const Collected& e);

}  // namespace vadrel::check
