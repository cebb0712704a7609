#include "check/schema_settings.hpp"

#include <cstdlib>

#include "check/check_text.hpp"
#include "check/http_fetch.hpp"
#include "core/data_folder.hpp"
#include "core/platform/user_folders.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::check {

namespace {

// XML_CATALOG_FILES holds paths or file: URIs separated by blanks.
std::vector<std::filesystem::path> catalogsIn(std::string_view list)
{
    std::vector<std::filesystem::path> out;
    std::size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < list.size() && list[i] != ' ' && list[i] != '\t') ++i;
        std::string_view item = list.substr(start, i - start);
        if (item.starts_with("file:")) {
            item = pathOfFileUrl(item);
            if (!item.empty()) out.push_back(pathFromUtf8(percentDecoded(item)));
        } else if (!item.empty()) {
            out.push_back(pathFromUtf8(item));
        }
    }
    return out;
}

}  // namespace

bool isSchemaHost(std::string_view host)
{
    return host == "inspire.ec.europa.eu" || host == "schemas.opengis.net" || host == "www.w3.org";
}

SchemaSettings SchemaSettings::fromEnvironment() { return fromEnvironment(carpetaDeDatos() / kCarpetaEsquemas); }

SchemaSettings SchemaSettings::fromEnvironment(const std::filesystem::path& installed)
{
    SchemaSettings s;
    if (const char* files = std::getenv("XML_CATALOG_FILES"); files && *files) {
        s.catalogs = catalogsIn(files);
        if (!s.catalogs.empty()) return s;
    }
    std::error_code ec;
    if (!installed.empty() && std::filesystem::is_regular_file(installed / "catalog.xml", ec))
        s.catalogs.push_back(installed / "catalog.xml");
    // Without the person's own cache folder, never a shared one such as
    // /tmp, where anyone could plant a schema: no cache at all, the schemas
    // kept in memory for this run.
    if (const auto cache = platform::userCacheFolder(); !cache.empty()) s.cacheDir = cache / "vadrel" / "esquemas";
    s.download = [](const std::string& url) { return httpGet(url, isSchemaHost); };
    return s;
}

SchemaSettings SchemaSettings::fromFolder(const std::filesystem::path& folder)
{
    SchemaSettings s;
    s.catalogs.push_back(folder / "catalog.xml");
    return s;
}

std::string SchemaSettings::key() const
{
    std::string k;
    for (const auto& c : catalogs) {
        k += utf8Of(c);
        k += '\n';
    }
    k += "cache:";
    k += utf8Of(cacheDir);
    if (download) k += " (descargas)";
    return k;
}

}  // namespace vadrel::check
