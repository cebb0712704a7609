// The GML check: each problem it knows, tripped by a hand-made file and not
// by its sound neighbour.

#include "check/gml_check.hpp"

#include <gtest/gtest.h>

#include <numbers>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "check/gml_builder.hpp"
#include "check/http_fetch.hpp"
#include "core/failure.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::test;
using check::Problems;
using check::Severity;

namespace {

const char* const kNoSchema = "No se ha podido comprobar el archivo contra los esquemas";

std::string listed(const Problems& problems)
{
    std::string out;
    for (const auto& p : problems) out += "\n  " + check::describe(p);
    return out.empty() ? " (nada)" : out;
}

// Everything but the note that the schemas are missing.
Problems withoutSchemaNote(Problems problems)
{
    std::erase_if(problems, [](const check::Problem& p) { return p.message.starts_with(kNoSchema); });
    return problems;
}

bool has(const Problems& problems, Severity severity, std::string_view place, std::string_view message)
{
    for (const auto& p : problems)
        if (p.severity == severity && p.place.find(place) != std::string::npos &&
            p.message.find(message) != std::string::npos)
            return true;
    return false;
}

class GmlCheckTest : public ::testing::Test {
protected:
    TempDir dir;
    check::SchemaSettings settings = testSchemas();

    Problems checkText(const std::string& text, const char* name = "a.gml", check::CheckOptions options = {})
    {
        writeFile(dir / name, text);
        return check::checkGmlFile(dir / name, settings, options);
    }
};

struct Case {
    const char* name;
    std::function<std::string()> trips;
    std::function<std::string()> passes;
    Severity severity;
    const char* place;
    const char* message;
    bool needsSchemas = false;
    bool inspire = false;  // vadrel-cli check --inspire
};

ParcelSpec withExterior(const std::string& ring, const std::string& area = "1200")
{
    ParcelSpec p;
    p.patches = {Patch{ring, {}}};
    p.area = area;
    return p;
}

ParcelSpec withHole(const std::string& hole, const std::string& area = "1100")
{
    ParcelSpec p;
    p.patches = {Patch{kSquare, {hole}}};
    p.area = area;
    return p;
}

ParcelSpec withRef(const std::string& ns, const std::string& ref)
{
    ParcelSpec p;
    p.ns = ns;
    p.ref = ref;
    return p;
}

// A building of Tenerife, in zone 28.
BuildingSpec inTheCanaries()
{
    BuildingSpec b;
    b.srs = "urn:ogc:def:crs:EPSG::32628";
    b.patches = {Patch{"372600 3142200 372640 3142200 372640 3142230 372600 3142230 372600 3142200", {}}};
    b.value = "1200";
    b.pool = "372650 3142200 372660 3142200 372660 3142205 372650 3142205 372650 3142200";
    return b;
}

BuildingSpec withValue(const std::string& value)
{
    BuildingSpec b;
    b.value = value;
    return b;
}

ParcelSpec second(const std::string& ref, const std::string& srs = "http://www.opengis.net/def/crs/EPSG/0/25830")
{
    ParcelSpec p;
    p.ref = ref;
    p.srs = srs;
    p.patches = {Patch{"500100 4100000 500140 4100000 500140 4100030 500100 4100030 500100 4100000", {}}};
    return p;
}

const Case kCases[] = {
    {"MalformedXml", [] { return replaced(parcelGml(), "</cp:label>", "</cp:labl>"); }, [] { return parcelGml(); },
     Severity::Error, "archivo", "no es un documento XML válido: la etiqueta de cierre no corresponde"},
    {"UndeclaredPrefix", [] { return replaced(parcelGml(), "<cp:label>", "<x:nota/><cp:label>"); },
     [] { return parcelGml(); }, Severity::Error, "línea 10",
     "El XML no está bien formado: el prefijo x de nota no está declarado"},
    {"NotInTheSchema",
     [] { return replaced(replaced(parcelGml(), "<cp:label>", "<cp:etiqueta>"), "</cp:label>", "</cp:etiqueta>"); },
     [] { return parcelGml(); }, Severity::Error, "parcela 1234567AB1234N, línea 10",
     "No cumple el esquema del catastro: Elemento 'cp:etiqueta': este elemento no va aquí; se esperaba ( cp:label ).",
     true},
    {"RingNotClosed",
     [] {
         return parcelGml(withExterior("500000 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100001"));
     },
     [] { return parcelGml(); }, Severity::Error, "parcela 1234567AB1234N, anillo exterior",
     "no está cerrado: el último vértice (500000 4100001) no repite el primero (500000 4100000)"},
    {"FewerThanFourPositions",
     [] { return parcelGml(withExterior("500000 4100000 500040 4100000 500000 4100000", "0")); },
     [] { return parcelGml(withExterior("500000 4100000 500040 4100000 500000 4100030 500000 4100000", "600")); },
     Severity::Error, "anillo exterior", "tiene 3 posiciones; un anillo cerrado necesita al menos cuatro"},
    {"OddNumberOfValues", [] { return parcelGml(withExterior(std::string(kSquare) + " 500000")); },
     [] { return parcelGml(); }, Severity::Error, "anillo exterior", "número impar de valores (11)"},
    {"ValueNotANumber",
     [] {
         return parcelGml(withExterior("500000 4100000 500040 4100000 500040 4100030,5 500000 4100030 500000 4100000"));
     },
     [] {
         return parcelGml(withExterior("500000 4100000 500040 4100000 500040 4100030.0 500000 4100030 500000 4100000"));
     },
     Severity::Error, "anillo exterior, vértice 3", "La coordenada Y «4100030,5» no es un número"},
    {"RepeatedVertex",
     [] {
         return parcelGml(
             withExterior("500000 4100000 500040 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100000"));
     },
     [] { return parcelGml(); }, Severity::Error, "anillo exterior, vértice 3", "repite el anterior (500040 4100000)"},
    {"SelfIntersectingRing",
     [] {
         return parcelGml(
             withExterior("500000 4100000 500040 4100030 500040 4100000 500000 4100030 500000 4100000", "0"));
     },
     [] { return parcelGml(); }, Severity::Error, "anillo exterior", "se corta a sí mismo cerca de (500020 4100015)"},
    {"InteriorOutside",
     [] { return parcelGml(withHole("500100 4100000 500100 4100010 500110 4100010 500110 4100000 500100 4100000")); },
     [] { return parcelGml(withHole(kHole)); }, Severity::Error, "anillo interior 1",
     "queda fuera del anillo exterior"},
    {"InteriorCrossing",
     [] { return parcelGml(withHole("500030 4100010 500030 4100020 500050 4100020 500050 4100010 500030 4100010")); },
     [] { return parcelGml(withHole(kHole)); }, Severity::Error, "anillo interior 1", "cruza el anillo exterior"},
    {"OverlappingExteriors",
     [] {
         ParcelSpec p;
         p.patches.push_back({"500020 4100000 500060 4100000 500060 4100030 500020 4100030 500020 4100000", {}});
         p.area = "2400";
         return parcelGml(p);
     },
     [] {
         ParcelSpec p;  // sharing an edge is no overlap
         p.patches.push_back({"500040 4100000 500080 4100000 500080 4100030 500040 4100030 500040 4100000", {}});
         p.area = "2400";
         return parcelGml(p);
     },
     Severity::Error, "parcela 1234567AB1234N", "Los recintos 1 y 2 se solapan"},
    {"AreaDiffers", [] { return parcelGml(withExterior(kSquare, "1201.5")); },
     [] { return parcelGml(withExterior(kSquare, "1200.9")); }, Severity::Error, "parcela 1234567AB1234N",
     "La superficie declarada (areaValue) es 1201,5 m² y la de sus coordenadas es 1200,00 m²"},
    {"AreaNotANumber", [] { return parcelGml(withExterior(kSquare, "1.200,5")); }, [] { return parcelGml(); },
     Severity::Error, "parcela 1234567AB1234N", "La superficie (areaValue) «1.200,5» no es un número"},
    {"BuildingValueEmpty", [] { return buildingGml(withValue("")); }, [] { return buildingGml(); }, Severity::Error,
     "edificio 1234567AB1234N", "La superficie construida (bu-ext2d:value) está vacía"},
    {"BuildingValueNotANumber", [] { return buildingGml(withValue("2.400,5")); },
     [] { return buildingGml(withValue("2400.5")); }, Severity::Error, "edificio 1234567AB1234N",
     "La superficie construida (bu-ext2d:value) «2.400,5» no es un número"},
    {"SystemNotTheCadastres",
     [] {
         ParcelSpec p;
         p.srs = "http://www.opengis.net/def/crs/EPSG/0/3857";
         return parcelGml(p);
     },
     [] { return buildingGml(inTheCanaries()); }, Severity::Error, "parcela 1234567AB1234N",
     "EPSG:3857 no es ninguno de los del catastro"},
    {"SystemsMixed",
     [] {
         return parcelsGml({ParcelSpec{}, second("1234567AB1234P", "urn:ogc:def:crs:EPSG::25829")});
     },
     [] {
         return parcelsGml({ParcelSpec{}, second("1234567AB1234P", "urn:ogc:def:crs:EPSG::25830")});
     },
     Severity::Error, "archivo", "mezcla sistemas de referencia: EPSG:25830 (parcela 1234567AB1234N), EPSG:25829"},
    {"GmlIdRepeated",
     [] {
         return parcelsGml({ParcelSpec{}, second("1234567AB1234N")});
     },
     [] {
         return parcelsGml({ParcelSpec{}, second("1234567AB1234P")});
     },
     Severity::Error, "parcela 1234567AB1234N",
     "El gml:id «ES.SDGC.CP.1234567AB1234N» se repite (ya está en parcela 1234567AB1234N)"},
    {"GmlIdNotAnXmlId",
     [] { return replaced(parcelGml(withRef("ES.LOCAL.CP", "7")), "gml:id=\"ES.LOCAL.CP.7\"", "gml:id=\"7\""); },
     [] { return parcelGml(withRef("ES.LOCAL.CP", "7")); }, Severity::Error, "parcela 7",
     "El gml:id «7» no es un identificador XML válido"},
    {"CadastralReferenceLength", [] { return parcelGml(withRef("ES.SDGC.CP", "1234567AB1234")); },
     [] { return parcelGml(withRef("ES.LOCAL.CP", "1234567AB1234")); }, Severity::Error, "parcela 1234567AB1234",
     "El gml:id «ES.SDGC.CP.1234567AB1234» es del catastro (ES.SDGC) pero su referencia «1234567AB1234» no tiene los "
     "14 caracteres"},
    {"CadastralReferenceLowerCase", [] { return parcelGml(withRef("ES.SDGC.CP", "1234567ab1234n")); },
     [] { return parcelGml(withRef("ES.SDGC.CP", "1234567AB1234N")); }, Severity::Error, "parcela",
     "El localId «1234567ab1234n» es del catastro (ES.SDGC)"},
    {"LocalIdCharacters", [] { return parcelGml(withRef("ES.LOCAL.CP", "finca.7")); },
     [] { return parcelGml(withRef("ES.LOCAL.CP", "finca_7-b")); }, Severity::Error, "parcela finca.7",
     "El localId «finca.7» lleva espacios o caracteres especiales"},
    {"ExteriorClockwise",
     [] {
         return parcelGml(withExterior("500000 4100000 500000 4100030 500040 4100030 500040 4100000 500000 4100000"));
     },
     [] { return parcelGml(); }, Severity::Warning, "anillo exterior", "va en sentido horario", false, true},
    {"InteriorCounterClockwise",
     [] { return parcelGml(withHole("500010 4100010 500020 4100010 500020 4100020 500010 4100020 500010 4100010")); },
     [] { return parcelGml(withHole(kHole)); }, Severity::Warning, "anillo interior 1", "va en sentido antihorario",
     false, true},
    // Where the coordinates lie: Spain's UTM range of the srsName's zone.
    {"CoordinatesSwapped",
     [] {
         return parcelGml(
             withExterior("4100000.0 500000 4100000 500040 4100030 500040 4100030 500000 4100000 500000"));
     },
     [] { return parcelGml(); }, Severity::Error, "parcela 1234567AB1234N, anillo exterior, vértice 1",
     "Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: X=4100000.0, Y=500000)."},
    {"CoordinatesInLocalUnits", [] { return parcelGml(withHole("10 10 10 20 20 20 20 10 10 10")); },
     [] { return parcelGml(withHole(kHole)); }, Severity::Error,
     "parcela 1234567AB1234N, anillo interior 1, vértice 1",
     "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 1: X=10, Y=10)."},
    {"PeninsulaCoordinatesInZone28",
     [] {
         BuildingSpec b = inTheCanaries();
         b.patches = BuildingSpec{}.patches;
         return buildingGml(b);
     },
     [] { return buildingGml(inTheCanaries()); }, Severity::Error,
     "edificio 1234567AB1234N, anillo exterior, vértice 1",
     "Error. Las coordenadas no son UTM de España en el huso 28 (vértice 1: X=500000, Y=4100000)."},
    {"FarFromTheZonesMeridian",
     [] {
         return parcelGml(
             withExterior("150000 4435800 150040 4435800 150040 4435830 150000 4435830 150000 4435800"));
     },
     [] {  // 3.9°: a municipality across the zone line
         return parcelGml(
             withExterior("167100 4435000 167140 4435000 167140 4435030 167100 4435030 167100 4435000"));
     },
     Severity::Warning, "parcela 1234567AB1234N", "Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso."},
    {"VerticesCloserThanACentimetre",
     [] {
         return parcelGml(withExterior(
             "500000 4100000 500040 4100000 500040 4100030 500000.006 4100030 500000 4100030 500000 4100000"));
     },
     [] {
         return parcelGml(withExterior(
             "500000 4100000 500040 4100000 500040 4100030 500000.01 4100030 500000 4100030 500000 4100000"));
     },
     Severity::Warning, "anillo exterior, vértice 5", "está a 0,60 cm del anterior"},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class EachCheck : public GmlCheckTest, public ::testing::WithParamInterface<Case> {};

}  // namespace

TEST_P(EachCheck, TrippedByItsFileAndNotByItsNeighbour)
{
    const Case& c = GetParam();
    if (c.needsSchemas && sharedDir().empty())
        GTEST_SKIP() << "no ../shared beside the repository: the cadastre's schemas are not here";
    const Problems tripped = checkText(c.trips(), "a.gml", {c.inspire});
    EXPECT_TRUE(has(tripped, c.severity, c.place, c.message))
        << "expected «" << c.place << ": " << c.message << "» among:" << listed(tripped);
    const Problems sound = withoutSchemaNote(checkText(c.passes(), "a.gml", {c.inspire}));
    EXPECT_TRUE(sound.empty()) << listed(sound);
}

INSTANTIATE_TEST_SUITE_P(GmlCheck, EachCheck, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(GmlCheckTest, FiveProblemsOfOneFileComeInOneRun)
{
    ParcelSpec p = withRef("ES.SDGC.CP", "1234567AB123");
    p.srs = "EPSG:2062";
    p.area = "900";
    p.patches = {Patch{"500000 4100000 500040 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100000",
                       {"500100 4100000 500100 4100010 500110 4100010 500110 4100000 500100 4100000"}}};
    const Problems problems = checkText(parcelGml(p));
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "EPSG:2062 no es ninguno")) << listed(problems);
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "no tiene los 14 caracteres")) << listed(problems);
    EXPECT_TRUE(has(problems, Severity::Error, "vértice 3", "repite el anterior")) << listed(problems);
    EXPECT_TRUE(has(problems, Severity::Error, "anillo interior 1", "queda fuera")) << listed(problems);
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "es 900 m² y la de sus coordenadas es 1100,00 m²"))
        << listed(problems);
    EXPECT_TRUE(check::hasErrors(problems));
}

TEST_F(GmlCheckTest, WithoutSchemasThatCheckSaysSoAndTheOthersRun)
{
    settings = {};
    settings.cacheDir = dir / "cache";  // empty, and no way to download
    const Problems problems = checkText(parcelGml(withExterior(kSquare, "1500")));
    EXPECT_TRUE(has(problems, Severity::Warning, "archivo",
                    "No se ha podido comprobar el archivo contra los esquemas: no hay copia de "
                    "http://schemas.opengis.net/wfs/2.0/wfs.xsd"))
        << listed(problems);
    ASSERT_FALSE(problems.empty());
    EXPECT_TRUE(problems.front().schemasUnchecked) << "the note comes first" << listed(problems);
    EXPECT_FALSE(check::checkedAgainstSchemas(problems));
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "difieren")) << listed(problems);
}

TEST_F(GmlCheckTest, SchemasAreDownloadedOnceIntoTheCacheAndUsedOfflineAfter)
{
    const auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: no copies of the schemas to serve";
    // A network that serves the shared copies at the official addresses.
    std::vector<std::string> asked;
    settings = {};
    settings.cacheDir = dir / "cache";
    settings.download = [&](const std::string& url) {
        asked.push_back(url);
        EXPECT_TRUE(url.starts_with("https://")) << url;
        return readFile(shared / "schemas" / url.substr(8));
    };
    EXPECT_EQ(listed(withoutSchemaNote(checkText(buildingGml(), "b.gml"))), listed({}));
    EXPECT_EQ(listed(checkText(buildingGml(), "b.gml")), listed({})) << "no schema note: the schemas compiled";
    const std::size_t downloads = asked.size();
    EXPECT_GT(downloads, 20u);
    EXPECT_TRUE(
        std::filesystem::exists(dir / "cache/inspire.ec.europa.eu/draft-schemas/bu-ext2d/2.0/BuildingExtended2D.xsd"));
    EXPECT_EQ(std::count(asked.begin(), asked.end(),
                         "https://inspire.ec.europa.eu/draft-schemas/bu-ext2d/2.0/BuildingExtended2D.xsd"),
              1);

    // Offline now, from the cache alone, and still whole: a broken building
    // file is found wrong by the schema.
    settings.download = nullptr;
    const Problems problems =
        checkText(replaced(buildingGml(), "<bu-core2d:referenceGeometry>true", "<bu-core2d:referenceGeometry>cierto"));
    EXPECT_TRUE(has(problems, Severity::Error, "línea", "No cumple el esquema del catastro")) << listed(problems);
    EXPECT_EQ(asked.size(), downloads);
}

TEST_F(GmlCheckTest, AFailedDownloadIsToldAndNotRetriedAtOnce)
{
    int tries = 0;
    settings = {};
    settings.cacheDir = dir / "cache";
    settings.download = [&](const std::string&) -> std::string {
        ++tries;
        throw Failure("no se ha podido descargar (sin conexión)");
    };
    for (int i = 0; i < 2; ++i) {
        const Problems problems = checkText(parcelGml());
        EXPECT_TRUE(has(problems, Severity::Warning, "archivo", kNoSchema)) << listed(problems);
        EXPECT_FALSE(check::hasErrors(problems)) << listed(problems);
    }
    EXPECT_EQ(tries, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "cache/schemas.opengis.net")) << "nothing half-fetched is kept";
}

TEST_F(GmlCheckTest, ACutDownloadIsNotKept)
{
    settings = {};
    settings.cacheDir = dir / "cache";
    settings.download = [](const std::string&) -> std::string {
        return "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"><xs:element name=\"a";
    };
    const Problems problems = checkText(parcelGml());
    EXPECT_TRUE(has(problems, Severity::Warning, "archivo", "no es un esquema completo")) << listed(problems);
    EXPECT_FALSE(std::filesystem::exists(dir / "cache/schemas.opengis.net/wfs/2.0/wfs.xsd"));
}

TEST_F(GmlCheckTest, TheCadastresOwnFilesHaveNoErrors)
{
    const auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's sample files are not here";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(shared / "samples/gml")) {
        if (entry.path().extension() != ".gml") continue;
        ++files;
        // Not a line: their rings turn the cadastre's way, not INSPIRE's.
        EXPECT_EQ(listed(check::checkGmlFile(entry.path(), settings)), listed({})) << entry.path();
    }
    EXPECT_GE(files, 7);
}

TEST_F(GmlCheckTest, ManyFaultsOfOneKindInARingAreCounted)
{
    std::string ring = "500000 4100000";
    for (int i = 0; i < 30; ++i) ring += " 500000 4100000";
    ring += " 500040 4100000 500040 4100030 500000 4100030 500000 4100000";
    const Problems problems = checkText(parcelGml(withExterior(ring)));
    const auto repeats = std::count_if(problems.begin(), problems.end(), [](const auto& p) {
        return p.message.find("repite el anterior") != std::string::npos;
    });
    EXPECT_EQ(repeats, 10) << listed(problems);
    EXPECT_TRUE(has(problems, Severity::Error, "anillo exterior", "Y 20 vértices más repiten el anterior"))
        << listed(problems);
}

TEST_F(GmlCheckTest, ReportListsCountsThenEveryProblem)
{
    EXPECT_EQ(check::reportText({}), "No se han encontrado problemas.");
    EXPECT_EQ(check::reportText({{Severity::Error, "parcela X", "Mal."},
                                 {Severity::Warning, "archivo", "Ojo."},
                                 {Severity::Warning, "línea 3", "Ojo otra vez."}}),
              "1 error y 2 avisos:\n\nparcela X: error: Mal.\narchivo: aviso: Ojo.\nlínea 3: aviso: Ojo otra vez.");
    EXPECT_EQ(check::reportText({{Severity::Error, "a", "M."}, {Severity::Error, "b", "N."}}),
              "2 errores:\n\na: error: M.\nb: error: N.");
    EXPECT_EQ(check::reportText({{Severity::Warning, "a", "O."}}), "Ningún error y 1 aviso:\n\na: aviso: O.");
}

TEST_F(GmlCheckTest, TextSplitByCommentsIsReadWhole)
{
    const std::string text =
        replaced(replaced(parcelGml(), "500040 4100030 500000", "500040 <!-- esquina --> 4100030 <?pi x?>500000"),
                 ">1200<", ">1<!-- c -->200<");
    const Problems problems = withoutSchemaNote(checkText(text));
    EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(GmlCheckTest, DimensionGivenAboveTheListCounts)
{
    const std::string text =
        replaced(replaced(parcelGml(), "<gml:Surface gml:id", "<gml:Surface srsDimension=\"3\" gml:id"),
                 "<gml:posList srsDimension=\"2\">", "<gml:posList>");
    const Problems problems = checkText(text);
    EXPECT_TRUE(has(problems, Severity::Error, "anillo exterior", "srsDimension «3»")) << listed(problems);
}

TEST_F(GmlCheckTest, CoordinatesTooLargeForAnAreaAreToldNotPassed)
{
    const Problems problems = checkText(parcelGml(
        withExterior("-1.7e308 -1.7e308 1.7e308 -1.7e308 1.7e308 1.7e308 -1.7e308 1.7e308 -1.7e308 -1.7e308", "100")));
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "no se puede calcular")) << listed(problems);
}

TEST_F(GmlCheckTest, OverlapsOfManyCopiesAreCounted)
{
    ParcelSpec p;
    p.patches.assign(40, Patch{});
    p.area = "48000";
    const Problems problems = checkText(parcelGml(p));
    const auto overlaps = std::count_if(problems.begin(), problems.end(), [](const auto& q) {
        return q.message.find("se solapan") != std::string::npos;
    });
    EXPECT_EQ(overlaps, 11) << listed(problems);  // ten pairs and the line that says there are more
    EXPECT_TRUE(has(problems, Severity::Error, "parcela", "Y hay más recintos que se solapan.")) << listed(problems);
}

TEST_F(GmlCheckTest, ASchemaFolderWithSpacesAndAccentsIsRead)
{
    const auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's schemas are not here";
    const auto copy = dir / "mis esquemas año";
    std::filesystem::copy(shared / "schemas", copy, std::filesystem::copy_options::recursive);
    settings = check::SchemaSettings::fromFolder(copy);
    const Problems problems = checkText(replaced(parcelGml(), "<cp:label>", "<cp:etiqueta/><cp:label>"));
    EXPECT_TRUE(has(problems, Severity::Error, "línea", "Elemento 'cp:etiqueta'")) << listed(problems);
    EXPECT_FALSE(has(problems, Severity::Warning, "", kNoSchema)) << listed(problems);
}

TEST(SchemaDownload, HostsAndAFailureInSpanish)
{
    EXPECT_EQ(check::hostOf("https://inspire.ec.europa.eu/schemas/cp/4.0/x.xsd"), "inspire.ec.europa.eu");
    EXPECT_EQ(check::hostOf("https://user@schemas.opengis.net:443/wfs"), "schemas.opengis.net");
    EXPECT_EQ(check::hostOf("sin-esquema"), "");
    EXPECT_TRUE(check::isSchemaHost("www.w3.org"));
    EXPECT_FALSE(check::isSchemaHost("www.w3.org.example.com"));
    try {
        check::httpGet("https://127.0.0.1:9/x.xsd", check::isSchemaHost);
        ADD_FAILURE() << "nothing listens on port 9";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "no se ha podido descargar https://127.0.0.1:9/x.xsd: no se puede conectar con el servidor");
    }
}

namespace {

// A narrow saw-tooth exterior of n vertices (edges 50 m long, 1 cm apart).
std::string sawTooth(int n, bool crossing)
{
    std::string ring;
    char xy[64];
    for (int i = 0; i < n; ++i) {
        const double y = crossing && i == n / 2 ? 4099998 : 4100000 + i % 2;
        std::snprintf(xy, sizeof xy, "%.2f %.0f ", 500000 + i * 0.01 + (i % 2 ? 50 : 0), y);
        ring += xy;
    }
    std::snprintf(xy, sizeof xy, "%.2f 4099999 500000 4099999 500000 4100000", 500000 + n * 0.01 + 60);
    return ring + xy;
}

// In the strip between the saw-tooth and its base.
constexpr const char* kInStrip =
    "500001 4099999.2 500001 4099999.8 500002 4099999.8 500002 4099999.2 500001 4099999.2";

ParcelSpec sawHoles(const std::vector<std::string>& holes)
{
    ParcelSpec p = withExterior(sawTooth(600, false), "1");
    p.patches.front().interiors = holes;
    return p;
}

// m triangles round (500000 4100000), each sharing an edge with the next;
// `doubled` repeats the first.
ParcelSpec fan(int m, bool doubled)
{
    ParcelSpec p;
    p.patches.clear();
    char ring[160];
    for (int i = 0; i < m + doubled; ++i) {
        const double a = 2 * std::numbers::pi * (i % m) / m, b = 2 * std::numbers::pi * (i % m + 1) / m;
        std::snprintf(ring, sizeof ring, "500000 4100000 %.2f %.2f %.2f %.2f 500000 4100000", 500000 + 100 * std::cos(a),
                      4100000 + 100 * std::sin(a), 500000 + 100 * std::cos(b), 4100000 + 100 * std::sin(b));
        p.patches.push_back(Patch{ring, {}});
    }
    return p;
}

}  // namespace

TEST_F(GmlCheckTest, ShapesThatMadeGeosQuadraticAreStillJudgedRight)
{
    struct Row {
        const char* name;
        std::string gml;
        const char* told;  // nullptr: no ring or overlap problem
    } rows[] = {
        {"saw-tooth", parcelGml(withExterior(sawTooth(600, false), "1")), nullptr},
        {"saw-tooth through its base", parcelGml(withExterior(sawTooth(600, true), "1")), "se corta a sí mismo"},
        {"saw-tooth with a hole", parcelGml(sawHoles({kInStrip})), nullptr},
        {"saw-tooth with a hole outside", parcelGml(sawHoles({"500100 4100100 500100 4100110 500110 4100110 500110 "
                                                             "4100100 500100 4100100"})),
         "queda fuera del anillo exterior"},
        {"saw-tooth inside a hole", parcelGml(sawHoles({"499000 4099000 499000 4101000 501000 4101000 501000 4099000 "
                                                        "499000 4099000"})),
         "envuelve al anillo exterior"},
        {"saw-tooth with a hole in a hole",
         parcelGml(sawHoles({kInStrip, "500001.5 4099999.4 500001.5 4099999.6 500001.7 4099999.6 500001.7 "
                                       "4099999.4 500001.5 4099999.4"})),
         "un anillo interior está dentro de otro cerca de (500001.5 4099999.4)"},
        {"fan", parcelGml(fan(48, false)), nullptr},
        {"fan with a triangle twice", parcelGml(fan(48, true)), "Los recintos 1 y 49 se solapan."},
    };
    for (const Row& row : rows) {
        const Problems problems = checkText(row.gml);
        const bool ring = std::any_of(problems.begin(), problems.end(), [](const check::Problem& p) {
            return p.message.find("anillo") != std::string::npos || p.message.find("solapan") != std::string::npos ||
                   p.message.find("recinto") != std::string::npos;
        });
        if (row.told)
            EXPECT_TRUE(has(problems, Severity::Error, "parcela", row.told)) << row.name << listed(problems);
        else
            EXPECT_FALSE(ring) << row.name << listed(problems);
    }
}
