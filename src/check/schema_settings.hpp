#pragma once
// Where the cadastre's schemas come from. They are other people's files:
// an XML catalog maps their addresses to copies (the program installs its
// own); what no catalog gives is downloaded once from its address into the
// person's cache folder.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vadrel::check {

// The hosts the cadastre's schemas and everything they import live on: the
// only ones schemas are downloaded from.
bool isSchemaHost(std::string_view host);

struct SchemaSettings {
    // XML catalogs, tried first.
    std::vector<std::filesystem::path> catalogs;
    // What a catalog does not give: schemas already downloaded, one file per
    // address (host/path), and how to download one that is missing (the
    // bytes, or Failure with the reason); no folder and no way to download
    // means the catalogs alone. With no folder (or one not the running
    // user's own, or writable by others), downloads are kept in memory for
    // the run.
    std::filesystem::path cacheDir;
    std::function<std::string(const std::string& url)> download;

    // XML_CATALOG_FILES when set (and then only it); else the schemas
    // installed beside the program (share/vadrel/schemas), then the cache
    // folder ($XDG_CACHE_HOME/vadrel/esquemas, ~/.cache/vadrel/esquemas,
    // none without either variable) and the network for what they lack.
    static SchemaSettings fromEnvironment();
    // The same with the installed schemas looked for in `installed`.
    static SchemaSettings fromEnvironment(const std::filesystem::path& installed);
    // A folder holding a catalog.xml (the command's --schemas).
    static SchemaSettings fromFolder(const std::filesystem::path& folder);

    // One text that tells two settings apart (compiled schemas are kept per
    // settings).
    std::string key() const;
};

}  // namespace vadrel::check
