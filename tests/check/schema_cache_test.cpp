// The schema cache keeps only schemas, names a spoilt copy, and never reads
// a folder or file another user could have written.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <optional>

#include "check/gml_builder.hpp"
#include "check/check_text.hpp"
#include "check/gml_check.hpp"
#include "core/failure.hpp"
#include "support/temp_dir.hpp"
#include "support/environment.hpp"
#include "core/utf8_path.hpp"

using namespace vadrel;
using namespace vadrel::test;
using check::Problems;

namespace {

constexpr const char* kWfs = "cache/schemas.opengis.net/wfs/2.0/wfs.xsd";
constexpr const char* kParcels = "cache/inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd";

std::string noteOf(const Problems& problems)
{
    for (const auto& p : problems)
        if (p.schemasUnchecked) return p.message;
    return "(sin nota)";
}

std::string schema(const std::string& ns, const std::string& inside = "")
{
    return "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" targetNamespace=\"" + ns + "\">" + inside +
           "</xs:schema>";
}

void plant(const std::filesystem::path& file, const std::string& bytes)
{
    std::filesystem::create_directories(file.parent_path());
    writeFile(file, bytes);
}

class SchemaCache : public ::testing::Test {
protected:
    TempDir dir;
    check::SchemaSettings settings;
    int downloads = 0;

    void SetUp() override
    {
        settings.cacheDir = dir / "cache";
        writeFile(dir / "a.gml", parcelGml());
    }
    Problems checkIt() { return check::checkGmlFile(dir / "a.gml", settings); }
};

}  // namespace

TEST_F(SchemaCache, ADownloadThatIsNoSchemaIsNotKept)
{
    struct Row {
        const char* name;
        std::string answer;
    } rows[] = {
        {"an error page naming the schema namespace",
         "<html><body>http://www.w3.org/2001/XMLSchema: no encontrado</body></html>"},
        {"a schema of another namespace's word", "<schema xmlns=\"http://www.w3.org/1999/xhtml\"/>"},
        {"a cut schema", "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"><xs:element name=\"a"},
    };
    for (const Row& row : rows) {
        TempDir fresh;
        settings.cacheDir = fresh / "cache";
        settings.download = [&](const std::string&) { return row.answer; };
        EXPECT_NE(noteOf(checkIt()).find("no es un esquema completo"), std::string::npos) << row.name;
        EXPECT_FALSE(std::filesystem::exists(fresh / kWfs)) << row.name;
    }
}

TEST_F(SchemaCache, ASpoiltCopyIsNamedWithWhatToDo)
{
    struct Row {
        const char* name;
        std::string wfs, parcels;
        std::string told;
    } rows[] = {
        {"no schema", "<html><body>error</body></html>", schema("http://inspire.ec.europa.eu/schemas/cp/4.0"),
         "la copia " + utf8Of((dir / kWfs).make_preferred()) + " de la caché no es un esquema; bórrela y se descargará de nuevo."},
        {"a schema that does not compile", schema("http://www.opengis.net/wfs/2.0"),
         schema("http://inspire.ec.europa.eu/schemas/cp/4.0", "<xs:element name=\"a\" type=\"xs:nada\"/>"),
         "la copia " + utf8Of((dir / kParcels).make_preferred()) + " de la caché no se puede compilar"},
    };
    for (const Row& row : rows) {
        plant(dir / kWfs, row.wfs);
        plant(dir / kParcels, row.parcels);
        settings.cacheDir = dir / "cache";
        const std::string note = noteOf(checkIt());
        EXPECT_NE(note.find(row.told), std::string::npos) << row.name << ": " << note;
        EXPECT_NE(note.find("bórrela y se descargará de nuevo"), std::string::npos) << row.name << ": " << note;
        // The next row is another cache as far as compiled schemas go.
        std::filesystem::rename(dir / "cache", dir / ("viejo" + std::to_string(&row - rows)));
    }
}

TEST_F(SchemaCache, AFolderOrCopyOthersCanWriteIsNotRead)
{
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permissions: on Windows the folder under %LOCALAPPDATA% is the person's own";
#endif
    // A planted copy that would compile as the wfs schema.
    plant(dir / kWfs, schema("http://www.opengis.net/wfs/2.0"));
    struct Row {
        const char* name;
        std::filesystem::path opened;
    } rows[] = {{"the cache folder", dir / "cache"}, {"a folder inside", dir / "cache/schemas.opengis.net"},
                {"the copy", dir / kWfs}};
    for (const Row& row : rows) {
        const auto mode = std::filesystem::status(row.opened).permissions();
        std::filesystem::permissions(row.opened, std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::add);
        std::vector<std::string> asked;
        settings.download = [&](const std::string& url) -> std::string {
            asked.push_back(url);
            throw Failure("sin conexión");
        };
        // Named apart for each row, so that no failed download is remembered.
        std::filesystem::path cache = dir.path();
        for (const Row* r = rows; r != &row; ++r) cache /= ".";
        settings.cacheDir = cache / "cache";
        checkIt();
        EXPECT_EQ(asked, std::vector<std::string>{"https://schemas.opengis.net/wfs/2.0/wfs.xsd"}) << row.name;
        std::filesystem::permissions(row.opened, mode);
    }
}

TEST(SchemaSettings, WithoutHomeNorCacheVariableThereIsNoCacheFolder)
{
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the cache folder is %LOCALAPPDATA%, named by the system, not by XDG_CACHE_HOME or HOME";
#endif
    struct Saved {
        const char* name;
        std::optional<std::string> value;
    } saved[] = {{"HOME", {}}, {"XDG_CACHE_HOME", {}}, {"XML_CATALOG_FILES", {}}};
    for (Saved& s : saved) {
        if (const char* v = std::getenv(s.name)) s.value = v;
        test::unsetEnv(s.name);
    }
    const check::SchemaSettings settings = check::SchemaSettings::fromEnvironment();
    for (const Saved& s : saved)
        if (s.value) test::setEnv(s.name, s.value->c_str());
    EXPECT_EQ(settings.cacheDir, std::filesystem::path()) << "never a shared folder such as /tmp";
    EXPECT_TRUE(settings.download) << "the schemas are downloaded for the run";
}

TEST(SchemaSettings, WithoutACacheFolderDownloadsAreKeptInMemoryForTheRun)
{
    const auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: no copies of the schemas to serve";
    TempDir dir;
    int asked = 0;
    check::SchemaSettings settings;
    settings.download = [&](const std::string& url) {
        ++asked;
        return readFile(shared / "schemas" / url.substr(8));
    };
    writeFile(dir / "b.gml", buildingGml());
    const Problems problems = check::checkGmlFile(dir / "b.gml", settings);
    EXPECT_EQ(noteOf(problems), "(sin nota)") << asked;
    EXPECT_TRUE(problems.empty());
    EXPECT_GT(asked, 20);
}

// The schemas installed with the program are used before the cache and the
// network, which give only what the installed catalog lacks; a catalog named
// by XML_CATALOG_FILES is used alone.
TEST(SchemaSettings, TheInstalledSchemasComeFirstAndTheNetworkGivesWhatTheyLack)
{
    const std::filesystem::path installed = std::filesystem::path(VADREL_DATA_DIR) / "schemas";
    TempDir dir;
    writeFile(dir / "a.gml", parcelGml());
    // A catalog of the installed copies without the OGC's.
    std::string partial;
    std::istringstream lines(readFile(installed / "catalog.xml"));
    for (std::string line; std::getline(lines, line);)
        if (line.find("StartString=\"http://schemas.opengis.net/") == std::string::npos &&
            line.find("StartString=\"https://schemas.opengis.net/") == std::string::npos)
            partial += line + '\n';
    // Its copies where they are, not beside the new catalog (on Windows as
    // a file address: a drive letter is no URI).
#ifdef _WIN32
    const std::string copies = "file:///" + genericUtf8Of(std::filesystem::absolute(installed)) + "/";
#else
    const std::string copies = installed.string() + "/";
#endif
    for (const std::string attribute : {"rewritePrefix=\"", "uri=\""})
        for (std::size_t at = 0; (at = partial.find(attribute, at)) != std::string::npos; at += attribute.size())
            partial.insert(at + attribute.size(), copies);
    std::filesystem::create_directories(dir / "partial");
    writeFile(dir / "partial/catalog.xml", partial);

    const std::optional<std::string> catalogFiles =
        std::getenv("XML_CATALOG_FILES") ? std::optional<std::string>(std::getenv("XML_CATALOG_FILES")) : std::nullopt;
    const struct Row {
        const char* name;
        std::filesystem::path installed;
        const char* catalogFiles;
        bool downloadsOgc;
        std::string note;
    } rows[] = {
        {"installed", installed, nullptr, false, "(sin nota)"},
        {"installed without the OGC's", dir / "partial", nullptr, true, "(sin nota)"},
        {"a missing catalog named", installed, "/no/hay/catalogo.xml", false,
         "No se ha podido comprobar el archivo contra los esquemas: no se puede leer el catálogo de esquemas "
         "/no/hay/catalogo.xml."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.catalogFiles)
            test::setEnv("XML_CATALOG_FILES", row.catalogFiles);
        else
            test::unsetEnv("XML_CATALOG_FILES");
        check::SchemaSettings settings = check::SchemaSettings::fromEnvironment(row.installed);
        if (catalogFiles)
            test::setEnv("XML_CATALOG_FILES", catalogFiles->c_str());
        else
            test::unsetEnv("XML_CATALOG_FILES");
        std::vector<std::string> asked;
        settings.cacheDir = dir / row.name;
        settings.download = [&](const std::string& url) {
            asked.push_back(url);
            return readFile(installed / url.substr(8));
        };
        EXPECT_EQ(noteOf(check::checkGmlFile(dir / "a.gml", settings)), row.note);
        const bool ogc = std::find(asked.begin(), asked.end(), "https://schemas.opengis.net/wfs/2.0/wfs.xsd") !=
                         asked.end();
        EXPECT_EQ(ogc, row.downloadsOgc);
        for (const std::string& url : asked) EXPECT_TRUE(url.starts_with("https://schemas.opengis.net/")) << url;
    }
}

// The addresses libxml2 and catalogs give for local files, as Linux and
// Windows write them, name the file; anything else is left alone.
TEST(SchemaSettings, FileAddressesNameTheirPathOnEverySystem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"file:///usr/share/vadrel/schemas/catalog.xml", "/usr/share/vadrel/schemas/catalog.xml"},
        {"file:/usr/share/a.xsd", "/usr/share/a.xsd"},
        {"file:/Z:/Vadrel/schemas/wfs.xsd", "Z:/Vadrel/schemas/wfs.xsd"},
        {"file:///C:/Program%20Files/Vadrel/a.xsd", "C:/Program%20Files/Vadrel/a.xsd"},
        {"file:///c:\\a.xsd", "c:\\a.xsd"},
        {"/home/ana/a.xsd", "/home/ana/a.xsd"},
        {"http://schemas.opengis.net/gml/3.2.1/gml.xsd", "http://schemas.opengis.net/gml/3.2.1/gml.xsd"},
        {"file:", "file:"},
    };
    for (const auto& [location, path] : cases) EXPECT_EQ(check::pathOfFileUrl(location), path) << location;
}
