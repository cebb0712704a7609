#include "check/schema_loader.hpp"

#include <libxml/parser.h>

#include <chrono>
#include <map>
#include <memory>
#include <string_view>

#include "check/check_text.hpp"
#include "check/libxml_tree.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/platform/private_files.hpp"
#include "core/platform/native_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::check {

namespace {

// After a failed download, the network is not tried again for a while: a
// batch of files offline would otherwise wait for each.
constexpr auto kRetryDownloadAfter = std::chrono::minutes(1);

// "http://host/a/b.xsd" as host and path segments; nothing for anything
// else or for a path that climbs out of its host.
std::optional<std::vector<std::string>> addressParts(std::string_view url)
{
    if (url.starts_with("http://"))
        url.remove_prefix(7);
    else if (url.starts_with("https://"))
        url.remove_prefix(8);
    else
        return std::nullopt;
    url = url.substr(0, url.find_first_of("?#"));
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i <= url.size()) {
        const std::size_t slash = std::min(url.find('/', i), url.size());
        const std::string_view part = url.substr(i, slash - i);
        if (part == ".." || part == "." || (part.empty() && (parts.empty() || slash == url.size())))
            return std::nullopt;
        if (!part.empty()) parts.emplace_back(part);
        i = slash + 1;
    }
    if (parts.size() < 2) return std::nullopt;
    for (const std::string& p : parts)
        if (p.find('\0') != std::string::npos || p.find('\\') != std::string::npos) return std::nullopt;
    return parts;
}

struct FailedDownload {
    std::chrono::steady_clock::time_point when;
    std::string why;
};

// The last failed download for these settings, if any.
FailedDownload& lastFailedDownload(const SchemaSettings& settings)
{
    static std::map<std::string, FailedDownload> failures;
    return failures[settings.key()];
}


// The file a location names. libxml2 hands paths back with some characters
// escaped ("my%20schemas") and others not (a "%" of the folder's own name),
// so the name as given is tried first, then its unescaped form.
std::filesystem::path localPath(std::string_view location, const std::filesystem::path& under = {})
{
    location = pathOfFileUrl(location);
    const std::filesystem::path raw = pathFromUtf8(location);
    const std::filesystem::path decoded = pathFromUtf8(percentDecoded(location));
    std::error_code ec;
    if (under.empty()) return std::filesystem::exists(raw, ec) ? raw : decoded;
    auto inside = [&](const std::filesystem::path& p) {
        const auto rel = p.lexically_normal().lexically_relative(under.lexically_normal());
        return !rel.empty() && *rel.begin() != "..";
    };
    return inside(raw) ? raw : decoded;
}

// GML coverage 1.0: coverage.xsd and gmlcovAll.xsd include each other, and
// libxml2 reads coverage.xsd twice when it is what an import names; taken
// through gmlcovAll.xsd it compiles.
constexpr std::string_view kCoverage = "schemas.opengis.net/gmlcov/1.0/coverage.xsd";
constexpr std::string_view kCoverageAll = "schemas.opengis.net/gmlcov/1.0/gmlcovAll.xsd";

// The copies of a run without a cache folder of the person's own, by the
// name they would have had in one.
std::map<std::string, std::string>& memoryCopies()
{
    static std::map<std::string, std::string> copies;
    return copies;
}

// A folder or file anyone else could have put there or could change.
// Missing is not unsafe.
bool unsafe(const std::filesystem::path& path) { return platform::othersMayChange(path); }

// `file` and every folder from the cache folder's parent down to it are
// the running user's own and writable by no one else.
bool safeInCache(const std::filesystem::path& root, const std::filesystem::path& file)
{
    if (unsafe(root.parent_path()) || unsafe(root)) return false;
    std::filesystem::path at = root;
    for (const auto& part : file.lexically_relative(root)) {
        at /= part;
        if (unsafe(at)) return false;
    }
    return true;
}

// The folders down to `folder` made as they are missing, for the running
// user alone.
void makeFolders(const std::filesystem::path& folder)
{
    std::error_code ec;
    if (folder.empty() || std::filesystem::is_directory(folder, ec)) return;
    makeFolders(folder.parent_path());
    platform::makePrivateFolder(folder);
}

// The name of no real folder under which copies kept in memory are named,
// so that libxml2 resolves relative imports between them as between files.
const std::filesystem::path kMemoryRoot = "/(esquemas en memoria)";

}  // namespace

bool isSchemaDocument(const std::string& bytes)
{
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return false;
    const xmlNodePtr root = xmlDocGetRootElement(doc);
    const bool schema = root && fromXml(root->name) == "schema" && root->ns &&
                        fromXml(root->ns->href) == "http://www.w3.org/2001/XMLSchema";
    xmlFreeDoc(doc);
    return schema;
}

SchemaLoader::SchemaLoader(const SchemaSettings& settings) : settings_(settings), root_(settings.cacheDir)
{
    for (const auto& path : settings.catalogs) {
        // libxml2 opens catalogs with the narrow calls.
        const std::string name = platform::nameForNarrowCalls(path);
        if (xmlCatalogPtr c = xmlLoadACatalog(name.c_str()))
            catalogs_.push_back(c);
        else if (why_.empty())
            why_ = concat({"no se puede leer el catálogo de esquemas ", utf8Of(path)});
    }
    // No cache folder, or one another user could have filled: this run
    // downloads its own copies and keeps them in memory.
    if (root_.empty() || unsafe(root_.parent_path()) || unsafe(root_)) {
        inMemory_ = true;
        root_ = kMemoryRoot;
    }
}

SchemaLoader::~SchemaLoader()
{
    for (xmlCatalogPtr c : catalogs_) xmlFreeCatalog(c);
}

bool SchemaLoader::beyondCatalogs() const { return !settings_.cacheDir.empty() || bool(settings_.download); }

std::optional<Loaded> SchemaLoader::load(const std::string& location)
{
    const bool address = location.starts_with("http://") || location.starts_with("https://");
    if (address && !settings_.catalogs.empty()) {
        if (auto found = fromCatalogs(location)) return found;
        if (!beyondCatalogs()) return std::nullopt;
    }
    if (address) return fromCache(location, true);
    // A relative import inside the cache: the file beside its importer,
    // downloaded from the address it mirrors when missing. Anywhere else:
    // a file beside a catalog's copy.
    const std::filesystem::path file = localPath(location, root_).lexically_normal();
    const std::filesystem::path inside = file.lexically_relative(root_.lexically_normal());
    const bool inCache = !inside.empty() && *inside.begin() != "..";
    if (!inCache && !settings_.catalogs.empty()) return readLocal(localPath(location));
    if (!inCache) {
        note(concat({"el esquema ", location, " está fuera de la caché de esquemas"}));
        return std::nullopt;
    }
    return fromCache(concat({"http://", genericUtf8Of(inside)}), false);
}

bool SchemaLoader::isCachedFile(const std::filesystem::path& file) const
{
    if (inMemory_ || !beyondCatalogs()) return false;
    const auto inside = file.lexically_normal().lexically_relative(root_.lexically_normal());
    return !inside.empty() && *inside.begin() != "..";
}

std::optional<Loaded> SchemaLoader::readLocal(const std::filesystem::path& file)
{
    try {
        return Loaded{readWholeFile(file), file};
    } catch (const Failure& f) {
        note(f.what());
        return std::nullopt;
    }
}

std::optional<Loaded> SchemaLoader::fromCatalogs(const std::string& url)
{
    const auto* u = reinterpret_cast<const xmlChar*>(url.c_str());
    for (xmlCatalogPtr c : catalogs_) {
        xmlChar* found = xmlACatalogResolveURI(c, u);
        if (!found) found = xmlACatalogResolveSystem(c, u);
        if (!found) continue;
        const std::filesystem::path target = localPath(fromXml(found));
        xmlFree(found);
        return readLocal(target);
    }
    if (!beyondCatalogs()) note(concat({"el catálogo de esquemas no da ", url}));
    return std::nullopt;
}

// `named` when an import named the address itself (not a file beside its
// importer).
std::optional<Loaded> SchemaLoader::fromCache(const std::string& url, bool named)
{
    auto parts = addressParts(url);
    if (!parts) {
        note(concat({"dirección de esquema no admitida: ", url}));
        return std::nullopt;
    }
    std::string plain;  // host/path
    for (const std::string& p : *parts) plain += concat({plain.empty() ? "" : "/", p});
    if (named && plain == kCoverage) {
        plain = kCoverageAll;
        parts = addressParts(concat({"http://", plain}));
    }
    std::filesystem::path file = root_;
    for (const std::string& p : *parts) file /= pathFromUtf8(p);

    auto& memory = memoryCopies();
    if (const auto it = memory.find(utf8Of(file)); it != memory.end()) return Loaded{it->second, file};
    bool ownCopy = !inMemory_;
    std::error_code ec;
    if (!inMemory_ && std::filesystem::is_regular_file(file, ec)) {
        if (safeInCache(root_, file)) {
            std::optional<Loaded> loaded = readLocal(file);
            if (loaded && !isSchemaDocument(loaded->bytes)) {
                note(concat({"la copia ", utf8Of(file), " de la caché no es un esquema; bórrela y se descargará de nuevo"}));
                return std::nullopt;
            }
            return loaded;
        }
        ownCopy = false;  // another user's file is not read, nor replaced
    }
    if (!settings_.download) {
        note(inMemory_ ? concat({"no hay caché de esquemas ni forma de descargar http://", plain})
                       : concat({"no hay copia de http://", plain, " en ", utf8Of(root_)}));
        return std::nullopt;
    }
    if (!isSchemaHost(parts->front())) {
        note(concat({"no se descargan esquemas de ", parts->front()}));
        return std::nullopt;
    }
    FailedDownload& failed = lastFailedDownload(settings_);
    if (!failed.why.empty() && std::chrono::steady_clock::now() - failed.when < kRetryDownloadAfter) {
        note(concat({"no se ha intentado descargar ", url, ": la descarga anterior falló hace menos de un minuto (",
                     failed.why, ")"}));
        return std::nullopt;
    }
    const std::string https = concat({"https://", plain});
    try {
        std::string bytes = settings_.download(https);
        // A page of errors, a cut download or any other document must not
        // stay in the cache: every later check would fail on it.
        if (!isSchemaDocument(bytes)) throw Failure(concat({"lo descargado de ", https, " no es un esquema completo"}));
        if (!ownCopy) {
            memory[utf8Of(file)] = bytes;
        } else {
            makeFolders(file.parent_path());
            writeFileAtomically(file, bytes);
        }
        return Loaded{std::move(bytes), file};
    } catch (const std::exception& e) {
        failed = {std::chrono::steady_clock::now(), e.what()};
        note(e.what());
        return std::nullopt;
    }
}

void SchemaLoader::note(std::string why)
{
    if (!why_.empty()) return;
    while (!why.empty() && why.back() == '.') why.pop_back();
    if (!why.empty() && why[0] >= 'A' && why[0] <= 'Z' && !(why.size() > 1 && why[1] >= 'A' && why[1] <= 'Z'))
        why[0] = static_cast<char>(why[0] - 'A' + 'a');
    why_ = std::move(why);
}

}  // namespace vadrel::check
