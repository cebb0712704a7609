#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <csignal>
#include <functional>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "core/environment.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/text_file.hpp"
#include "core/ui.hpp"
#include "core/xml_file.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using test::readFile;
using test::TempDir;
using test::writeFile;

namespace {

std::string failureOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Failure& e) {
        return e.what();
    }
    return "no failure";
}

bool onlyFile(const std::filesystem::path& dir, const std::string& name)
{
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        ++n;
        if (e.path().filename() != name) return false;
    }
    return n == 1;
}

}  // namespace

TEST(LoadXml, MissingFileAndMalformedXmlSayWhatAndWhere)
{
    TempDir dir;
    pugi::xml_document doc;
    EXPECT_EQ(failureOf([&] { loadXml(doc, dir / "nada.gml"); }),
              "No se encuentra el archivo '" + (dir / "nada.gml").string() + "'.");

    writeFile(dir / "roto.gml", "<a>\n<b></a>");
    EXPECT_EQ(failureOf([&] { loadXml(doc, dir / "roto.gml"); }),
              "El archivo '" + (dir / "roto.gml").string() +
                  "' no es un documento XML válido: la etiqueta de cierre no corresponde a la de apertura (línea 2).");
    EXPECT_FALSE(hasRoot(doc));

    writeFile(dir / "vacio.gml", "");
    EXPECT_NE(failureOf([&] { loadXml(doc, dir / "vacio.gml"); }).find("no tiene ningún elemento"), std::string::npos);
}

TEST(LoadXml, FolderIsNoFile)
{
    TempDir dir;
    pugi::xml_document doc;
    EXPECT_EQ(failureOf([&] { loadXml(doc, dir.path()); }),
              "No se puede leer '" + dir.path().string() + "': es una carpeta, no un archivo.");
    EXPECT_THROW(readTextLines(dir.path()), Failure);
}

TEST(LoadXml, RefusesAbsurdNestingInsteadOfOverflowingTheStack)
{
    TempDir dir;
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "<a>";
    for (int i = 0; i < 5000; ++i) deep += "</a>";
    writeFile(dir / "hondo.gml", deep);
    pugi::xml_document doc;
    EXPECT_NE(failureOf([&] { loadXml(doc, dir / "hondo.gml"); }).find("anidamiento"), std::string::npos);
}

TEST(LoadXml, ReadsLatin1AndWindows1252Declarations)
{
    TempDir dir;
    for (const char* encoding : {"ISO-8859-1", "windows-1252", "Windows-1252"}) {
        writeFile(dir / "l1.gml", std::string("<?xml version=\"1.0\" encoding=\"") + encoding +
                                      "\"?><a>a\xF1o \x80</a>");
        pugi::xml_document doc;
        loadXml(doc, dir / "l1.gml");
        EXPECT_STREQ(doc.document_element().text().get(),
                     std::string_view(encoding) == "ISO-8859-1" ? "año \xC2\x80" : "año €")
            << encoding;
    }
}

TEST(WriteFileAtomically, ReplacesAndLeavesNoTemporaryFile)
{
    TempDir dir;
    writeFile(dir / "f.gml", "old");
    writeFileAtomically(dir / "f.gml", "new");
    EXPECT_EQ(readFile(dir / "f.gml"), "new");
    EXPECT_TRUE(onlyFile(dir.path(), "f.gml"));
}

// A file-size limit (setrlimit, SIGXFSZ) is Linux's: on Windows these two
// writes cannot be made to fail half-way.
#ifndef _WIN32
namespace {

// A file-size limit makes the write itself fail, even for root, as a full
// disk would.
std::string failureUnderFileSizeLimit(rlim_t limit, const std::function<void()>& write)
{
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string message = failureOf(write);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return message;
}

}  // namespace

TEST(WriteFileAtomically, FailureKeepsTheOldFileWholeAndNoTemporaryFile)
{
    TempDir dir;
    writeFile(dir / "f.gml", "old");
    std::string message =
        failureUnderFileSizeLimit(16, [&] { writeFileAtomically(dir / "f.gml", std::string(4096, 'x')); });
    EXPECT_EQ(message, "No se puede escribir el archivo '" + (dir / "f.gml").string() +
                           "': El archivo es demasiado grande.");
    EXPECT_EQ(readFile(dir / "f.gml"), "old");
    EXPECT_TRUE(onlyFile(dir.path(), "f.gml"));
}

TEST(SaveXml, ADocumentThatFailsHalfWayLeavesTheOldFileWhole)
{
    // Written in pieces: the first pieces reach the disk, a later one fails.
    TempDir dir;
    writeFile(dir / "f.gml", "old");
    pugi::xml_document doc;
    doc.append_child("a").append_child(pugi::node_pcdata).set_value(std::string(3 << 20, 'x').c_str());
    std::string message = failureUnderFileSizeLimit(3 << 19, [&] { saveXml(doc, dir / "f.gml"); });
    EXPECT_EQ(message, "No se puede escribir el archivo '" + (dir / "f.gml").string() +
                           "': El archivo es demasiado grande.");
    EXPECT_EQ(readFile(dir / "f.gml"), "old");
    EXPECT_TRUE(onlyFile(dir.path(), "f.gml"));
}
#endif

TEST(WriteFileAtomically, AReplacedFileKeepsItsPermissionsAndAReadOnlyOneIsRefused)
{
    namespace fs = std::filesystem;
    const struct {
        fs::perms before;
        bool replaced;
    } cases[] = {
        {fs::perms::owner_read | fs::perms::owner_write, true},
        {fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read, true},
        {fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read, true},
        {fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read, false},
    };
    for (const auto& c : cases) {
        TempDir dir;
        writeFile(dir / "f.gml", "old");
        fs::permissions(dir / "f.gml", c.before);
        const std::string message = failureOf([&] { writeFileAtomically(dir / "f.gml", "new"); });
        EXPECT_EQ(message, c.replaced ? "no failure"
                                      : "No se puede escribir el archivo '" + (dir / "f.gml").string() +
                                            "': Acceso denegado.");
        EXPECT_EQ(readFile(dir / "f.gml"), c.replaced ? "new" : "old");
#ifdef _WIN32
        // Windows keeps only the read-only attribute of these.
        EXPECT_EQ(fs::status(dir / "f.gml").permissions() & fs::perms::owner_write, c.before & fs::perms::owner_write);
#else
        EXPECT_EQ(fs::status(dir / "f.gml").permissions(), c.before);
#endif
        EXPECT_TRUE(onlyFile(dir.path(), "f.gml"));
    }
}

TEST(WriteFileAtomically, ALongNameFitsAndTheTemporaryNameIsOursAlone)
{
    TempDir dir;
    const std::string largo = std::string(251, 'n') + ".gml";  // 255 bytes, the most a name may have
    writeFileAtomically(dir / largo, "x");
    EXPECT_EQ(readFile(dir / largo), "x");

    // While being written, the file is a hidden name of our own pattern.
    AtomicFile f(dir / "g.gml");
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
    ASSERT_EQ(names.size(), 2u);
    const std::string temp = names[0] == largo ? names[1] : names[0];
    EXPECT_EQ(temp.rfind(".vadrel-tmp-", 0), 0u) << temp;
    EXPECT_EQ(temp.size(), 18u) << temp;
}

TEST(WriteFileAtomically, StaleTemporariesOfOurPatternAreRemovedByTheNextWrite)
{
    namespace fs = std::filesystem;
    TempDir dir;
    const struct {
        const char* name;
        bool old;
        bool removed;
    } cases[] = {
        {".vadrel-tmp-Ab12Cd", true, true},
        {".vadrel-mapa-Xy34Zw", true, true},
        {".vadrel-tmp-Ab12Ce", false, false},   // a minute has not passed: maybe another run's
        {".vadrel-tmp-Ab12", true, false},      // not our pattern
        {".vadrel-tmp-Ab12Cd.gml", true, false},
        {"vadrel-tmp-Ab12Cd", true, false},
        {".f.gml.Ab12Cd", true, false},
    };
    for (const auto& c : cases) {
        if (std::string(c.name).find("mapa") != std::string::npos) {
            fs::create_directory(dir / c.name);
            writeFile(dir / c.name / "ejemplo_catastro_montado.html", "x");
        } else {
            writeFile(dir / c.name, "x");
        }
        if (c.old) test::makeOld(dir / c.name, 5);
    }
    writeFileAtomically(dir / "f.gml", "new");
    for (const auto& c : cases) EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
}

TEST(WriteFileAtomically, MissingFolderIsReportedInSpanish)
{
    TempDir dir;
    EXPECT_EQ(failureOf([&] { writeFileAtomically(dir / "no" / "f.gml", "x"); }),
              "No se puede escribir el archivo '" + (dir / "no" / "f.gml").string() +
                  "': No existe el archivo o la carpeta.");
}

TEST(TextFiles, ReadUtf8OrWindows1252WithEitherLineEnd)
{
    TempDir dir;
    writeFile(dir / "u.txt", "\xEF\xBB\xBF" "1;a\xC3\xB1o\r\n2;b\n\n3;c");
    EXPECT_EQ(readTextLines(dir / "u.txt"), (std::vector<std::string>{"1;año", "2;b", "", "3;c"}));
    writeFile(dir / "w.txt", "a\xF1o \x80\r\n");
    EXPECT_EQ(readTextLines(dir / "w.txt"), (std::vector<std::string>{"año €"}));
}

TEST(TextFiles, WrittenAsWindows1252WithCrLf)
{
    TempDir dir;
    writeTextLines(dir / "o.txt", {"año €", "日"});
    EXPECT_EQ(readFile(dir / "o.txt"), "a\xF1o \x80\r\n?\r\n");
    writeTextLines(dir / "e.txt", {});
    EXPECT_EQ(readFile(dir / "e.txt"), "");
    // Text that is no UTF-8 (a Latin-1 name typed in a terminal) loses no byte after it.
    writeTextLines(dir / "l.txt", {"<h3>Espa\xF1" "a</h3>", "\xF1" "abcdef", "\xE2\x82"});
    EXPECT_EQ(readFile(dir / "l.txt"), "<h3>Espa\xF1" "a</h3>\r\n\xF1" "abcdef\r\n\xE2\x82\r\n");
}

TEST(Utf8, ValidityCheck)
{
    EXPECT_TRUE(isValidUtf8("año €"));
    EXPECT_FALSE(isValidUtf8("a\xF1o"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));       // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));   // surrogate
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));       // cut short
}

TEST(Entorno, TemplatesFromTheStartUpFolderFirstThenTheFallbacks)
{
    TempDir start, data;
    Entorno env{start.path(), NumberFormat::batch(), {data.path()}};
    EXPECT_EQ(env.plantilla("BASE_PARCELAS.XML"), start / "BASE_PARCELAS.XML");
    writeFile(data / "BASE_PARCELAS.XML", "<a/>");
    EXPECT_EQ(env.plantilla("BASE_PARCELAS.XML"), data / "BASE_PARCELAS.XML");
    writeFile(start / "BASE_PARCELAS.XML", "<a/>");
    EXPECT_EQ(env.plantilla("BASE_PARCELAS.XML"), start / "BASE_PARCELAS.XML");
}

TEST(WithDefaultExtension, AddsOnlyWhenMissing)
{
    EXPECT_EQ(withDefaultExtension("/t/parcela", "gml"), "/t/parcela.gml");
    EXPECT_EQ(withDefaultExtension("/t/parcela.GML", "gml"), "/t/parcela.GML");
    EXPECT_EQ(withDefaultExtension("/t/p.txt", "gml"), "/t/p.txt");
    EXPECT_EQ(withDefaultExtension("/t/p", ""), "/t/p");
}
