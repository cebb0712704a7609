#pragma once
// Gives libxml2 each schema it asks for while a set of schemas compiles:
// from the catalogs, and what they lack from the person's cache folder,
// downloading what is missing there; from this run's memory when there is no cache folder
// that is the person's own.

#include <libxml/catalog.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "check/schema_settings.hpp"

namespace vadrel::check {

// A schema file as libxml2 gets it: its bytes, and the file they stand for,
// the base its relative imports are resolved against (as with any catalog,
// so that a catalog's redirections behave as in xmllint).
struct Loaded {
    std::string bytes;
    std::filesystem::path file;
};

// True for a whole XML document whose root is xs:schema.
bool isSchemaDocument(const std::string& bytes);

class SchemaLoader {
public:
    explicit SchemaLoader(const SchemaSettings& settings);
    ~SchemaLoader();
    SchemaLoader(const SchemaLoader&) = delete;
    SchemaLoader& operator=(const SchemaLoader&) = delete;

    // An address (http:, https:) or a local file reached from one by a
    // relative import; nothing, with why() told, when it cannot be had.
    std::optional<Loaded> load(const std::string& location);
    // The first reason a schema could not be had, worded to follow "No se
    // ha podido comprobar el archivo contra los esquemas: ".
    const std::string& why() const { return why_; }
    // True when `file` (as given to libxml2) is a copy in the person's
    // cache folder, which a person may delete to have it downloaded again.
    bool isCachedFile(const std::filesystem::path& file) const;

private:
    std::optional<Loaded> readLocal(const std::filesystem::path& file);
    std::optional<Loaded> fromCatalogs(const std::string& url);
    std::optional<Loaded> fromCache(const std::string& url, bool named);
    void note(std::string why);
    // The cache folder or the network may give what the catalogs do not.
    bool beyondCatalogs() const;

    const SchemaSettings& settings_;
    std::vector<xmlCatalogPtr> catalogs_;
    // Where the copies are: the cache folder, or a name of no real folder
    // when they are kept in memory.
    std::filesystem::path root_;
    bool inMemory_ = false;
    std::string why_;
};

}  // namespace vadrel::check
