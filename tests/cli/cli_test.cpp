#include <gtest/gtest.h>

#include "check/gml_builder.hpp"
#include "core/messages.hpp"

#include "support/process.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel::test;

namespace {

const char* const kTriangle = "1;500000;4100000\r\n2;500030;4100000\r\n3;500000;4100040\r\n";
// The same triangle in zone 28.
const char* const kTriangleInTenerife = "1;372600;3142200\r\n2;372630;3142200\r\n3;372600;3142240\r\n";

class CliTest : public ::testing::Test {
protected:
    TempDir dir;  // an empty working folder: templates come from the data folder

    RunResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), VADREL_CLI);
        return run(args, dir.path());
    }
};

}  // namespace

TEST_F(CliTest, WritesTheParcelAndPrintsEveryMessage)
{
    writeFile(dir / "c.txt", "1;500000;4100000\r\n2;500030,0;4100000\r\n3;500000;4100040\r\n");
    auto r = cli({"parcel", "write", "--ref", "1234567AB1234N", "--calc-area", "--coords", "c.txt", "-o", "p"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err,
              "Se han sustituido las comas por puntos. (Formato de coordenada correcto)\n"
              "Se ha cerrado el polígono añadiendo la primera coordenada.\n");
    EXPECT_EQ(r.out, "");
    std::string gml = readFile(dir / "p.gml");
    EXPECT_NE(gml.find("<cp:areaValue uom=\"m2\">600</cp:areaValue>"), std::string::npos);
    EXPECT_NE(gml.find("<namespace>ES.SDGC.CP</namespace>"), std::string::npos);
}

TEST_F(CliTest, LocalReferenceZoneAndTypedArea)
{
    writeFile(dir / "c.txt", kTriangle);
    auto r = cli({"parcel", "write", "--ref", "finca7", "--local", "--zone", "31", "--area", "600,456", "--coords",
                  "c.txt", "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::string gml = readFile(dir / "p.gml");
    EXPECT_NE(gml.find("gml:id=\"ES.LOCAL.CP.finca7\""), std::string::npos);
    EXPECT_NE(gml.find("EPSG/0/25831"), std::string::npos);
    EXPECT_NE(gml.find(">600.456<"), std::string::npos);
    EXPECT_EQ(r.err.find("14 primeros"), std::string::npos);
}

TEST_F(CliTest, ShortCadastralReferenceIsWarnedAboutButWritten)
{
    writeFile(dir / "c.txt", kTriangle);
    auto r = cli({"parcel", "write", "--ref", "123", "--area", "600", "--coords", "c.txt", "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err.rfind("Si va a rellenar la Referencia Catastral real", 0), 0u) << r.err;
}

TEST_F(CliTest, OperationsEndingOnAMessageExitOne)
{
    writeFile(dir / "c.txt", kTriangle);
    writeFile(dir / "two.txt", "1;0;0\r\n2;1;1\r\n");
    writeFile(dir / "swapped.txt", "1;4100000;500000\r\n2;4100000;500030\r\n3;4100040;500000\r\n");
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--ref", "R", "--calc-area", "--coords", "two.txt"}, "Error. Debe haber al menos tres coordenadas X e Y.\n"},
        {{"--ref", "R", "--area", "abc", "--coords", "c.txt"},
         "Debe rellenar la superficie con un número. Asegúrese de no haber escrito letras ni símbolos.\n"},
        {{"--ref", "parcela 1", "--local", "--area", "1", "--coords", "c.txt"},
         "Error. No puede haber espacios o caracteres especiales en la referencia.\n"},
        {{"--ref", "R", "--area", "1", "--coords", "none.txt"},
         "No se encuentra el archivo 'none.txt'.\n"},
        {{"--ref", "R", "--calc-area", "--coords", "swapped.txt"},
         "Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: X=4100000, Y=500000).\n"},
        {{"--ref", "R", "--calc-area", "--zone", "28", "--coords", "c.txt"},
         "Error. Las coordenadas no son UTM de España en el huso 28 (vértice 1: X=500000, Y=4100000).\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"parcel", "write", "--local"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.insert(args.end(), {"-o", "p.gml"});
        auto r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(std::filesystem::exists(dir / "p.gml"));
    }
}

TEST_F(CliTest, CoordinatesFarFromTheZoneAreWarnedOfAndWritten)
{
    // 4.1° west of zone 30's meridian.
    writeFile(dir / "c.txt",
              "1;149972.8667;4435814.8333\r\n2;149982.8667;4435814.8333\r\n3;149972.8667;4435824.8333\r\n");
    auto r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--coords", "c.txt", "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err,
              "Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso.\n"
              "Se ha cerrado el polígono añadiendo la primera coordenada.\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "p.gml"));
}

TEST_F(CliTest, BadUsageExitsTwoWithTheUsageText)
{
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"parcel"},
        {"parcel", "write", "--coords", "c.txt", "--area", "1", "-o", "p.gml"},
        {"parcel", "write", "--ref", "R", "--coords", "c.txt", "-o", "p.gml"},
        {"parcel", "write", "--ref", "R", "--area", "1", "--calc-area", "--coords", "c.txt", "-o", "p.gml"},
        {"parcel", "write", "--ref", "R", "--area", "1", "--coords", "c.txt", "-o"},
        {"parcel", "write", "--ref", "R", "--ref", "S", "--area", "1", "--coords", "c.txt", "-o", "p.gml"},
        {"parcel", "write", "--bogus"},
        {"parcel", "write", "extra", "--ref", "R", "--area", "1", "--coords", "c.txt", "-o", "p.gml"},
    };
    for (const auto& args : cases) {
        auto r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err.find("Uso: vadrel-cli"), std::string::npos);
    }
    auto help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("parcel write"), std::string::npos);
}

TEST_F(CliTest, TemplatesInTheCurrentFolderComeFirst)
{
    writeFile(dir / "c.txt", kTriangle);
    writeFile(dir / "BASE_PARCELAS.XML", "<x><cp:CadastralParcel><gml:posList/></cp:CadastralParcel><localId/></x>");
    auto r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--coords", "c.txt", "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(dir / "p.gml").find("<x>"), std::string::npos);
}

TEST_F(CliTest, WrittenParcelValidatesAgainstTheCadastreSchemas)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre schemas are not here";
    if (!haveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed (scripts/deps.sh installs it)";

    writeFile(dir / "c.txt", "1;441620.35;4479210.12\r\n2;441655.80;4479214.47\r\n3;441661.02;4479178.93\r\n"
                             "4;441633.41;4479169.80\r\n5;441618.77;4479186.55\r\n");
    for (bool local : {false, true}) {
        std::vector<std::string> args{"parcel", "write", "--calc-area", "--zone", "29", "--coords", "c.txt",
                                      "-o", "p.gml", "--ref", local ? "finca_1" : "1234567AB1234N"};
        if (local) args.push_back("--local");
        auto w = cli(args);
        ASSERT_EQ(w.exitCode, 0) << w.err;
        auto v = run({"xmllint", "--noout", "--nonet", "--schema", (shared / "schemas/wrappers/cp4-wfs2.xsd").string(),
                      (dir / "p.gml").string()},
                     dir.path(), {"XML_CATALOG_FILES=" + (shared / "schemas/catalog.xml").string()});
        EXPECT_EQ(v.exitCode, 0) << v.err;
        EXPECT_NE(v.err.find("p.gml validates"), std::string::npos) << v.err;
    }
}

TEST_F(CliTest, ReadPrintsTheFieldsAndSavesTheLists)
{
    writeFile(dir / "c.txt", kTriangleInTenerife);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "finca_9", "--local", "--zone", "28", "--area", "600", "--coords",
                   "c.txt", "-o", "p.gml"})
                  .exitCode,
              0);
    auto r = cli({"parcel", "read", "p.gml", "-o", "back"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "referencia: finca_9\ntipo: otra\nsuperficie: 600\nhuso: 28\nvertices: 4\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readFile(dir / "back.txt"), std::string(kTriangleInTenerife) + "4;372600;3142200\r\n");
}

TEST_F(CliTest, ReadEndsOnTheLoaderMessageOrOnUnequalLists)
{
    writeFile(dir / "bad.gml", "<a><b></a>");
    auto r = cli({"parcel", "read", "bad.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("no es un documento XML válido"), std::string::npos);

    writeFile(dir / "odd.gml", "<a><gml:posList xmlns:gml='g'>1 2 3</gml:posList></a>");
    r = cli({"parcel", "read", "odd.gml", "-o", "odd.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(vadrel::msg::kPosListImpar) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "odd.txt"));

    EXPECT_EQ(cli({"parcel", "read"}).exitCode, 2);
    EXPECT_EQ(cli({"parcel", "read", "a.gml", "b.gml"}).exitCode, 2);
}

TEST_F(CliTest, BuildingWriteAddsOneConstructionPerRingOptionAndReadsBack)
{
    // In Tenerife, zone 28.
    writeFile(dir / "a.txt", "1;372600;3142200\r\n2;372700;3142200\r\n3;372700;3142300\r\n4;372600;3142300\r\n");
    writeFile(dir / "b.txt", "1;372610;3142210\r\n2;372620;3142210\r\n3;372620;3142220\r\n");
    writeFile(dir / "p.txt", "1;373000;3142200\r\n2;373010;3142200\r\n3;373010;3142210\r\n");
    auto w = cli({"building", "write", "--ref", "1234567AB1234N", "--zone", "28", "--date", "3/7/2015", "--units",
                  "1", "--dwellings", "0", "--floors", "2", "--total-area", "150,5", "--ext", "a.txt", "--int",
                  "b.txt", "--pool", "p.txt", "-o", "e"});
    EXPECT_EQ(w.exitCode, 0) << w.err;
    EXPECT_EQ(w.err,
              "Se ha cerrado el polígono 0 añadiendo la primera coordenada.\n"
              "Se ha cerrado el polígono 1 añadiendo la primera coordenada.\n"
              "Se ha cerrado el polígono 2 añadiendo la primera coordenada.\n");
    auto r = cli({"building", "read", "e.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "He encontrado 2 recintos en el edificio.\nHe encontrado 1 piscinas en el GML.\n");
    EXPECT_EQ(r.out,
              "referencia: 1234567AB1234N\ntipo: catastral\nsuperficie: 150.5\ninmuebles: 1\nviviendas: 0\n"
              "plantas: 2\nfecha: 03/07/2015\nhuso: 28\n"
              "edificacion: Nueva Edificación 1;Edificación;Exterior;5\n"
              "edificacion: Nueva Edificación 2;Edificación;Interior;4\n"
              "edificacion: 1234567AB1234N_PI.1;Piscina;Exterior;4\n");
}

TEST_F(CliTest, BuildingWriteEndsOnMessagesAndBadUsage)
{
    writeFile(dir / "a.txt", "1;440000;4470000\r\n2;440100;4470000\r\n3;440100;4470100\r\n");
    std::vector<std::string> base{"building", "write", "--ref", "R", "--local", "--date", "1/1/2000", "--units", "1",
                                  "--floors", "1", "--total-area", "10", "-o", "e.gml"};
    auto withArgs = [&](std::vector<std::string> extra) {
        auto args = base;
        args.insert(args.end(), extra.begin(), extra.end());
        return cli(args);
    };
    auto r = withArgs({"--dwellings", "-1", "--ext", "a.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error. El número de viviendas debe de ser un entero mayor o igual a 0.\n");
    r = withArgs({"--dwellings", "0", "--int", "a.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Se ha cerrado el polígono 0 añadiendo la primera coordenada.\n"
              "Error. La primera edificación debe ser exterior.\n");
    r = withArgs({"--dwellings", "0", "--ext", "missing.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "No se encuentra el archivo 'missing.txt'.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "e.gml"));

    EXPECT_EQ(withArgs({"--dwellings", "0"}).exitCode, 2) << "no ring";
    EXPECT_EQ(cli({"building", "write", "--ext", "a.txt"}).exitCode, 2);
    EXPECT_EQ(cli({"building", "read"}).exitCode, 2);
}

TEST_F(CliTest, BuildingTemplateWithoutPatchesEndsWithStatusOneAndNoFile)
{
    stageTemplates(dir.path());
    replaceInFile(dir / "BASE_EDIFICIOS.XML", "gml:patches", "gml:otro");
    writeFile(dir / "a.txt", "1;0;0\r\n2;100;0\r\n3;100;100\r\n1;0;0\r\n");
    auto r = cli({"building", "write", "--ref", "R", "--date", "1/1/2000", "--units", "1", "--dwellings", "0",
                  "--floors", "1", "--total-area", "10", "--ext", "a.txt", "-o", "e.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error. La plantilla BASE_EDIFICIOS.XML no contiene el elemento gml:patches.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "e.gml"));
}

namespace {

// Two outlines drawn in UTM coordinates, as a CAD program exports them.
const char* const kDosPolilineas =
    "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
    "  0\r\nLWPOLYLINE\r\n  8\r\n0\r\n 10\r\n500000.12345\r\n 20\r\n4100000.5\r\n 10\r\n500030.5\r\n 20\r\n4100000.5\r\n"
    " 10\r\n500000.5\r\n 20\r\n4100040.5\r\n"
    "  0\r\nLWPOLYLINE\r\n  8\r\n0\r\n 10\r\n500100.5\r\n 20\r\n4100000.5\r\n 10\r\n500130.5\r\n 20\r\n4100000.5\r\n"
    " 10\r\n500100.5\r\n 20\r\n4100040.5\r\n"
    "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

}  // namespace

TEST_F(CliTest, ParcelFromADrawingOrAListing)
{
    writeFile(dir / "p.dxf", kDosPolilineas);
    auto r = cli({"parcel", "write", "--ref", "1234567AB1234N", "--calc-area", "--dxf", "p.dxf", "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err,
              "Se han encontrado varias polilíneas. Se han cargado solo las coordenadas de la primera.\n"
              "Se ha cerrado el polígono añadiendo la primera coordenada.\n");
    EXPECT_NE(readFile(dir / "p.gml").find("> 500000.1234 4100000.5 500030.5 4100000.5 500000.5 4100040.5 500000.1234 "
                                           "4100000.5<"),
              std::string::npos);

    writeFile(dir / "l.txt", "\xEF\xBB\xBF                  LWPOLYLINE  Layer: \"0\"\r\n"
                             "          at point  X=500000.5  Y=4100000.5  Z=   0.0000\r\n"
                             "Press ENTER to continue:\r\n"
                             "          at point  X=500030.5  Y=4100000.5  Z=   0.0000\r\n"
                             "          at point  X=500000.5  Y=4100040.5  Z=   0.0000\r\n");
    r = cli({"parcel", "write", "--ref", "1234567AB1234N", "--area", "600", "--list", "l.txt", "-o", "l.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(dir / "l.gml").find("> 500000.5 4100000.5 500030.5 4100000.5 500000.5 4100040.5 500000.5 "
                                           "4100000.5<"),
              std::string::npos);

    r = cli({"parcel", "write", "--ref", "R", "--local", "--area", "1", "--dxf", "missing.dxf", "-o", "m.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error al cargar el fichero. Fichero abierto por otro programa o fichero erróneo. Pruebe a "
                     "cerrar Autocad e intentelo de nuevo.\n");
    // The drawing is no UTM of the Canaries: loaded nothing, the run ends there.
    r = cli(
        {"parcel", "write", "--ref", "R", "--local", "--zone", "28", "--area", "1", "--dxf", "p.dxf", "-o", "m.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Error. Las coordenadas no son UTM de España en el huso 28 (vértice 1: X=500000.1234, Y=4100000.5).\n");
    r = cli({"parcel", "write", "--ref", "R", "--local", "--area", "1", "--list", "missing.txt", "-o", "m.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "No se encuentra el archivo 'missing.txt'.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "m.gml"));

    EXPECT_EQ(cli({"parcel", "write", "--ref", "R", "--area", "1", "--dxf", "p.dxf", "--list", "l.txt", "-o", "x"})
                  .exitCode,
              2);
    EXPECT_EQ(cli({"parcel", "write", "--ref", "R", "--area", "1", "-o", "x"}).exitCode, 2);
}

TEST_F(CliTest, BuildingFromADrawingHasOneExteriorPerPolyline)
{
    writeFile(dir / "b.dxf", kDosPolilineas);
    writeFile(dir / "patio.txt", "1;500010;4100005\r\n2;500012;4100005\r\n3;500010;4100007\r\n");
    writeFile(dir / "punto.txt", "1;500300;4100300\r\n");
    auto w = cli({"building", "write", "--ref", "1234567AB1234N", "--date", "1/1/2000", "--units", "1", "--dwellings",
                  "1", "--floors", "1", "--total-area", "90", "--dxf", "b.dxf", "--int", "patio.txt", "-o", "e.gml"});
    EXPECT_EQ(w.exitCode, 0) << w.err;
    auto r = cli({"building", "read", "e.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("edificacion: Nueva Edificación 1;Edificación;Exterior;4\n"
                         "edificacion: Nueva Edificación 2;Edificación;Exterior;4\n"
                         "edificacion: Nueva Edificación 3;Edificación;Interior;4\n"),
              std::string::npos)
        << r.out;

    // Nor of zone 28: nothing written.
    w = cli({"building", "write", "--ref", "1234567AB1234N", "--zone", "28", "--date", "1/1/2000", "--units", "1",
             "--dwellings", "1", "--floors", "1", "--total-area", "90", "--dxf", "b.dxf", "-o", "e28.gml"});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_EQ(w.err,
              "Error. Las coordenadas no son UTM de España en el huso 28 (vértice 1: X=500000.1234, Y=4100000.5).\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "e28.gml"));

    // A drawing after a ring of one point does not join it nor change its kind.
    w = cli({"building", "export", "--ref", "R", "--pool", "punto.txt", "--dxf", "b.dxf", "-o", "x.xls"});
    EXPECT_EQ(w.exitCode, 0) << w.err;
    const std::string x = readFile(dir / "x.xls");
    EXPECT_NE(x.find("<h3>Nueva Edificaci\xF3n 1</h3>\r\n"), std::string::npos);
    EXPECT_NE(x.find("<h3>Nueva Edificaci\xF3n 3</h3>\r\n"), std::string::npos);
    EXPECT_EQ(x.find("           4\r\n"), std::string::npos) << "no construction of four points";
}

TEST_F(CliTest, ExportsWriteTheSpreadsheetTables)
{
    writeFile(dir / "c.txt", kTriangle);
    auto r = cli({"parcel", "export", "--ref", "1234567AB1234N", "--coords", "c.txt", "-o", "p"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Fichero excel generado\n");
    const std::string p = readFile(dir / "p.xls");
    EXPECT_EQ(p.rfind("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\">\r\n<body>\r\n   <table align='right'>\r\n", 0),
              0u);
    EXPECT_NE(p.find("           <h3>1234567AB1234N</h3>\r\n"), std::string::npos);
    EXPECT_NE(p.find("           500030\r\n"), std::string::npos);

    writeFile(dir / "corto.txt", "1;1;1\r\n2;;\r\n");
    writeFile(dir / "b.dxf", kDosPolilineas);
    r = cli({"building", "export", "--ref", "R7", "--ext", "c.txt", "--dxf", "b.dxf", "-o", "b.xls"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string b = readFile(dir / "b.xls");
    EXPECT_NE(b.find("           <h2>R7</h2>\r\n"), std::string::npos);
    EXPECT_NE(b.find("           Edificaci\xF3n:\r\n"), std::string::npos) << "Windows-1252";
    EXPECT_NE(b.find("<h3>Nueva Edificaci\xF3n 3</h3>"), std::string::npos);

    EXPECT_EQ(cli({"parcel", "export", "--ref", "R", "-o", "x.xls"}).exitCode, 2);
    EXPECT_EQ(cli({"building", "export", "--ref", "R", "-o", "x.xls"}).exitCode, 2);
}

TEST_F(CliTest, GroupsParcelFilesOfOneFolder)
{
    writeFile(dir / "c.txt", kTriangle);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "A1", "--local", "--area", "600", "--coords", "c.txt", "-o", "a.gml"})
                  .exitCode,
              0);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "B2", "--local", "--area", "50,5", "--force-area", "--coords", "c.txt",
                   "-o", "b.gml"})
                  .exitCode,
              0);
    auto r = cli({"parcel", "group", "-o", "varias", "a.gml", "b.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string varias = readFile(dir / "varias.gml");
    EXPECT_NE(varias.find("ES.LOCAL.CP.A1"), std::string::npos);
    EXPECT_NE(varias.find("ES.LOCAL.CP.B2"), std::string::npos);

    r = cli({"parcel", "group", "--one", "R1", "-o", "una.gml", "./a.gml", "b.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string una = readFile(dir / "una.gml");
    EXPECT_NE(una.find(">650.5</cp:areaValue>"), std::string::npos);
    EXPECT_NE(una.find("\"Surface_ES.LOCAL.CP.2B2\""), std::string::npos);

    r = cli({"parcel", "group", "--one", "R 1", "-o", "x.gml", "a.gml", "b.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error. No puede haber espacios o caracteres especiales en la referencia.\n");
    EXPECT_EQ(cli({"parcel", "group", "-o", "x.gml", "a.gml"}).exitCode, 2);
    // Files of other folders are grouped from where they are; one given
    // twice is taken once.
    std::filesystem::create_directory(dir / "otra");
    std::filesystem::copy_file(dir / "b.gml", dir / "otra" / "b.gml");
    std::filesystem::remove(dir / "b.gml");
    r = cli({"parcel", "group", "-o", "x.gml", "a.gml", "otra/b.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(dir / "x.gml").find("ES.LOCAL.CP.B2"), std::string::npos);
    r = cli({"parcel", "group", "-o", "y.gml", "a.gml", "./a.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "y.gml"));
}

TEST_F(CliTest, ZoneAndAreaAreCheckedBeforeWriting)
{
    writeFile(dir / "c.txt", kTriangle);  // 600 m2
    writeFile(dir / "tenerife.txt", kTriangleInTenerife);
    const struct {
        std::vector<std::string> options;
        int exitCode;
        const char* written;  // in the file, or the message
        const char* coords = "c.txt";
    } cases[] = {
        {{"--zone", "31 ", "--calc-area"}, 0, "EPSG/0/25831"},
        {{"--zone", " 28", "--calc-area"}, 0, "EPSG/0/32628", "tenerife.txt"},
        {{"--zone", "", "--calc-area"}, 0, "EPSG/0/25830"},
        {{"--zone", "32", "--calc-area"}, 1, "Error. El huso debe ser 28, 29, 30 o 31.\n"},
        {{"--zone", "27", "--calc-area"}, 1, "Error. El huso debe ser 28, 29, 30 o 31.\n"},
        {{"--area", "600,9"}, 0, ">600.9</cp:areaValue>"},
        {{"--area", "5"}, 1,
         "La superficie indicada (5 m2) no coincide con la calculada con las coordenadas (600 m2). ¿Desea generar el GML "
         "de todos modos?\n"},
        {{"--area", "5", "--force-area"}, 0, ">5</cp:areaValue>"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "p.gml");
        std::vector<std::string> words{"parcel", "write", "--ref", "R", "--local", "--coords", c.coords, "-o", "p.gml"};
        words.insert(words.end(), c.options.begin(), c.options.end());
        auto r = cli(words);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.options[1] << r.err;
        if (c.exitCode == 0)
            EXPECT_NE(readFile(dir / "p.gml").find(c.written), std::string::npos) << c.options[1];
        else {
            EXPECT_EQ(r.err, c.written);
            EXPECT_FALSE(std::filesystem::exists(dir / "p.gml")) << c.options[1];
        }
    }
}

TEST_F(CliTest, PreviewSavesTheDrawingAsA390PixelPng)
{
    writeFile(dir / "c.txt", kTriangle);
    auto r = cli({"preview", "--show-points", "--show-ref", "--show-area", "--coords", "c.txt", "--ref", "R7", "--area",
                  "600", "-o", "p.png"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "Se ha cerrado el polígono añadiendo la primera coordenada.\n") << "the program's messages only";
    const std::string png = readFile(dir / "p.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_EQ(be32(16), 390);  // IHDR width
    EXPECT_EQ(be32(20), 390);  // and height

    ASSERT_EQ(cli({"parcel", "write", "--ref", "A", "--local", "--calc-area", "--coords", "c.txt", "-o", "a.gml"})
                  .exitCode,
              0);
    r = cli({"preview", "--show-ref", "--gml", "a.gml", "a.gml", "-o", "m.png"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "m.png"));

    EXPECT_EQ(cli({"preview", "-o", "x.png"}).exitCode, 2);
    EXPECT_EQ(cli({"preview", "--gml", "a.gml", "--ref", "R", "-o", "x.png"}).exitCode, 2);
    EXPECT_EQ(cli({"preview", "--coords", "c.txt", "--gml", "a.gml", "-o", "x.png"}).exitCode, 2);
    r = cli({"preview", "--gml", "missing.gml", "-o", "x.png"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}

TEST_F(CliTest, EachCommandPrintsItsOwnUsage)
{
    const struct {
        std::vector<std::string> args;
        const char* usage;
        const char* other;  // another command's usage, not printed
    } cases[] = {
        {{"parcel", "write", "--help"}, "  parcel write --ref REF", "parcel group"},
        {{"parcel", "group", "-o", "x.gml", "--help"}, "  parcel group [--one NOMBRE]", "parcel write"},
        {{"building", "export", "--help"}, "  building export", "parcel write"},
        {{"map", "--help"}, "  map --coords", "building map"},
        {{"check", "--help"}, "  check", "parcel write"},
    };
    for (const auto& c : cases) {
        auto r = cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << ::testing::PrintToString(c.args) << r.err;
        EXPECT_NE(r.out.find(c.usage), std::string::npos) << r.out;
        EXPECT_EQ(r.out.find(c.other), std::string::npos) << r.out;
    }
}

TEST_F(CliTest, DoubleDashEndsTheOptionsAndLongNamesAreWritten)
{
    writeFile(dir / "c.txt", kTriangle);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "A1", "--local", "--area", "600", "--coords", "c.txt", "-o", "-x.gml"})
                  .exitCode,
              0);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "B2", "--local", "--area", "600", "--coords", "c.txt", "-o", "b.gml"})
                  .exitCode,
              0);
    auto r = cli({"parcel", "group", "-o", "g.gml", "--", "-x.gml", "b.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(readFile(dir / "g.gml").find("ES.LOCAL.CP.A1"), std::string::npos);
    EXPECT_EQ(cli({"parcel", "group", "-o", "h.gml", "-x.gml", "b.gml"}).exitCode, 2) << "without --, an option";

    const std::string largo = std::string(251, 'p') + ".gml";  // 255 bytes
    r = cli({"parcel", "write", "--ref", "A1", "--local", "--area", "600", "--coords", "c.txt", "-o", largo});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / largo));
}

TEST_F(CliTest, AnOutputThatIsAnInputIsRefused)
{
    writeFile(dir / "c.txt", kTriangle);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "A1", "--local", "--area", "600", "--coords", "c.txt", "-o", "a.gml"})
                  .exitCode,
              0);
    ASSERT_EQ(cli({"parcel", "write", "--ref", "B2", "--local", "--area", "600", "--coords", "c.txt", "-o", "b.gml"})
                  .exitCode,
              0);
    const std::string a = readFile(dir / "a.gml");
    const std::vector<std::vector<std::string>> cases = {
        {"parcel", "group", "-o", "a.gml", "a.gml", "b.gml"},
        {"parcel", "group", "--one", "R1", "-o", "a", "b.gml", "./a.gml"},
        {"parcel", "write", "--ref", "R", "--area", "1", "--coords", "c.txt", "-o", "c.txt"},
        {"parcel", "export", "--ref", "R", "--coords", "c.txt", "-o", "./c.txt"},
        {"parcel", "read", "a.gml", "-o", "a.gml"},
        {"building", "export", "--ref", "R", "--ext", "c.txt", "-o", "c.txt"},
        {"map", "--coords", "c.txt", "-o", "c.txt"},
        {"preview", "--gml", "a.gml", "b.gml", "-o", "b.gml"},
    };
    for (const auto& args : cases) {
        auto r = cli(args);
        EXPECT_EQ(r.exitCode, 1) << ::testing::PrintToString(args);
        EXPECT_EQ(r.err, "Error. El archivo de salida es uno de los de entrada.\n") << ::testing::PrintToString(args);
    }
    EXPECT_EQ(readFile(dir / "a.gml"), a);
    EXPECT_EQ(readFile(dir / "c.txt"), kTriangle);
}

TEST_F(CliTest, ANextRunRemovesWhatAKilledWriteLeft)
{
    namespace fs = std::filesystem;
    writeFile(dir / "c.txt", kTriangle);
    writeFile(dir / ".vadrel-tmp-Ab12Cd", "half");
    fs::create_directory(dir / ".vadrel-mapa-Xy34Zw");
    makeOld(dir / ".vadrel-tmp-Ab12Cd", 5);
    makeOld(dir / ".vadrel-mapa-Xy34Zw", 5);
    EXPECT_EQ(cli({"map", "--coords", "c.txt", "-o", "m.html"}).exitCode, 0);
    EXPECT_FALSE(fs::exists(dir / ".vadrel-tmp-Ab12Cd"));
    EXPECT_FALSE(fs::exists(dir / ".vadrel-mapa-Xy34Zw"));
}

TEST_F(CliTest, AReplacedFileKeepsItsPermissionsAndAReadOnlyOneIsRefused)
{
    namespace fs = std::filesystem;
    writeFile(dir / "c.txt", kTriangle);
    const fs::perms privado = fs::perms::owner_read | fs::perms::owner_write;
    const fs::perms soloLectura = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const struct {
        std::vector<std::string> args;
        const char* output;
    } cases[] = {
        {{"map", "--coords", "c.txt", "-o", "m.html"}, "m.html"},
        {{"parcel", "write", "--ref", "R", "--local", "--area", "600", "--coords", "c.txt", "-o", "p.gml"}, "p.gml"},
        {{"preview", "--coords", "c.txt", "-o", "v.png"}, "v.png"},
    };
    for (const auto& c : cases) {
        writeFile(dir / c.output, "old");
        fs::permissions(dir / c.output, privado);
        auto r = cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_NE(readFile(dir / c.output), "old");
#ifdef _WIN32
        // Windows keeps only the read-only attribute of these.
        EXPECT_EQ(fs::status(dir / c.output).permissions() & fs::perms::owner_write, fs::perms::owner_write);
#else
        EXPECT_EQ(fs::status(dir / c.output).permissions(), privado) << c.output;
#endif

        writeFile(dir / c.output, "old");
        fs::permissions(dir / c.output, soloLectura);
        r = cli(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.output;
        EXPECT_NE(r.err.find("No se puede escribir el archivo '"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("': Acceso denegado."), std::string::npos) << r.err;
        EXPECT_EQ(readFile(dir / c.output), "old") << c.output;
        fs::permissions(dir / c.output, privado);
        fs::remove(dir / c.output);
    }
}

TEST_F(CliTest, MapWritesTheParcelPageWithoutOpeningIt)
{
    writeFile(dir / "c.txt", kTriangle);
    auto r = cli({"map", "--coords", "c.txt", "--zone", "29", "-o", "mapa.html"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string page = readFile(dir / "mapa.html");
    EXPECT_NE(page.find("proj4.defs('EPSG:25829', '+proj=utm +zone=29 "), std::string::npos);
    EXPECT_NE(page.find("proj4(EPSG,utm,[500000, 4100000])"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "ejemplo_catastro_montado.html"));

    // A page of the program's own name already in the folder is left alone.
    writeFile(dir / "ejemplo_catastro_montado.html", "MINE");
    EXPECT_EQ(cli({"map", "--coords", "c.txt", "-o", "otra.html"}).exitCode, 0);
    EXPECT_EQ(readFile(dir / "ejemplo_catastro_montado.html"), "MINE");
    int otros = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        const std::string n = e.path().filename().string();
        otros += n != "leaflet" && n != "Proj4Leaflet" && n != "leaflet.wms.js";
    }
    EXPECT_EQ(otros, 4) << "c.txt, mapa.html, otra.html, the page of the same name, and the scripts";

    writeFile(dir / "vacio.txt", "");
    r = cli({"map", "--coords", "vacio.txt", "-o", "v.html"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error. No hay coordenadas que mostrar.\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "v.html"));
    EXPECT_EQ(cli({"map", "-o", "v.html"}).exitCode, 2);
}

TEST_F(CliTest, MapPagesGetTheirScriptsBesideThem)
{
    const auto staged = std::filesystem::path(VADREL_CLI).parent_path().parent_path() / "share" / "vadrel";
    if (!std::filesystem::exists(staged / "leaflet" / "leaflet.js"))
        GTEST_SKIP() << "the map scripts are not staged (scripts/deps.sh fills web/node_modules)";
    writeFile(dir / "c.txt", kTriangle);
    std::filesystem::create_directory(dir / "paginas");
    writeFile(dir / "paginas" / "leaflet.wms.js", "MINE");
    const struct {
        std::vector<std::string> args;
        const char* page;
    } cases[] = {
        {{"map", "--coords", "c.txt", "-o", "paginas/p.html"}, "paginas/p.html"},
        {{"building", "map", "--ext", "c.txt", "-o", "otra/e.html"}, "otra/e.html"},
    };
    std::filesystem::create_directory(dir / "otra");
    for (const auto& c : cases) {
        auto r = cli(c.args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const auto folder = (dir / c.page).parent_path();
        const std::string page = readFile(dir / c.page);
        for (const char* script : {"leaflet/leaflet.js", "leaflet/leaflet.css", "leaflet.wms.js",
                                   "Proj4Leaflet/lib/proj4-compressed.js", "Proj4Leaflet/src/proj4leaflet.js"}) {
            EXPECT_TRUE(std::filesystem::is_regular_file(folder / script)) << script;
            EXPECT_NE(page.find(std::string("=\"") + (script[0] == 'P' ? "./" : "") + script + "\""), std::string::npos)
                << script << " is loaded from beside the page";
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / "leaflet/images/marker-icon.png"));
        EXPECT_EQ(page.find("https://unpkg.com"), std::string::npos);
    }
    EXPECT_EQ(readFile(dir / "paginas" / "leaflet.wms.js"), "MINE") << "a script already there is left alone";
}

TEST_F(CliTest, BuildingMapWritesTheAllConstructionsPage)
{
    writeFile(dir / "a.txt", "1;500000;4100000\r\n2;500030;4100000\r\n3;500000;4100040\r\n");
    writeFile(dir / "p.txt", "1;500100;4100000\r\n2;500110;4100000\r\n3;500100;4100010\r\n");
    auto r = cli({"building", "map", "--zone", "28", "--ext", "a.txt", "--pool", "p.txt", "-o", "todo.html"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string page = readFile(dir / "todo.html");
    EXPECT_NE(page.find("var poligono1 = {"), std::string::npos);
    EXPECT_NE(page.find(" 'color': '#00FFFF',"), std::string::npos) << "the pool";
    EXPECT_NE(page.find("srs=epsg:32628&"), std::string::npos);
    EXPECT_NE(page.find("proj4(EPSG,utm,[500000, 4100000])"), std::string::npos);
}

TEST_F(CliTest, CheckWritesOneLinePerProblemAndFailsOnlyOnErrors)
{
    // The shared catalog, or a missing one: the check never goes online here.
    const auto shared = sharedDir();
    const std::vector<std::string> env{"XML_CATALOG_FILES=" +
                                       (shared.empty() ? (dir / "none.xml") : shared / "schemas/catalog.xml").string()};
    auto check = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {VADREL_CLI, "check"});
        return run(args, dir.path(), env);
    };
    writeFile(dir / "bien.gml", parcelGml());
    ParcelSpec open;
    open.patches = {Patch{"500000 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100001", {}}};
    writeFile(dir / "abierto.gml", parcelGml(open));
    ParcelSpec clockwise;
    clockwise.patches = {Patch{"500000 4100000 500000 4100030 500040 4100030 500040 4100000 500000 4100000", {}}};
    writeFile(dir / "horario.gml", parcelGml(clockwise));

    auto r = check({"bien.gml", "abierto.gml"});
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_NE(r.out.find("abierto.gml:parcela 1234567AB1234N, anillo exterior: error: El anillo no está cerrado: el "
                         "último vértice (500000 4100001) no repite el primero (500000 4100000).\n"),
              std::string::npos)
        << r.out;
    if (!shared.empty()) {
        EXPECT_EQ(r.out.find("bien.gml:"), std::string::npos) << r.out;
    }

    // The cadastre's own turn is told only on asking for INSPIRE's.
    r = check({"bien.gml", "horario.gml"});
    EXPECT_EQ(r.out.find("sentido horario"), std::string::npos) << r.out;
    r = check({"--inspire", "bien.gml", "horario.gml"});
    EXPECT_EQ(r.exitCode, shared.empty() ? 3 : 0) << r.out << r.err;
    EXPECT_NE(r.out.find("horario.gml:parcela 1234567AB1234N, anillo exterior: aviso: El anillo exterior va en sentido "
                         "horario"),
              std::string::npos)
        << r.out;

    r = check({"falta.gml"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.rfind("falta.gml:archivo: error: ", 0), 0u) << r.out;

    EXPECT_EQ(check({}).exitCode, 2);
    r = check({"--schemas", dir.path().string(), "bien.gml"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("no tiene catalog.xml"), std::string::npos) << r.err;
}

TEST_F(CliTest, CheckTellsAFileNotCheckedAgainstTheSchemasByItsStatus)
{
    // No catalog to be had and no cache: the schemas cannot be used.
    const std::vector<std::string> env{"XML_CATALOG_FILES=" + (dir / "falta.xml").string()};
    writeFile(dir / "bien.gml", parcelGml());
    ParcelSpec open;
    open.patches = {Patch{"500000 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100001", {}}};
    writeFile(dir / "abierto.gml", parcelGml(open));
    struct Row {
        std::vector<std::string> files;
        int status;
    };
    for (const Row& row : {Row{{"bien.gml"}, 3}, Row{{"abierto.gml"}, 1}, Row{{"bien.gml", "abierto.gml"}, 1}}) {
        std::vector<std::string> args{VADREL_CLI, "check"};
        args.insert(args.end(), row.files.begin(), row.files.end());
        const auto r = run(args, dir.path(), env);
        EXPECT_EQ(r.exitCode, row.status) << row.files.front() << r.out << r.err;
        EXPECT_EQ(r.out.rfind(row.files.front() + ":archivo: aviso: No se ha podido comprobar el archivo contra los "
                                                  "esquemas: ",
                              0),
                  0u)
            << "the note is the first line" << r.out;
    }
    const auto help = run({VADREL_CLI, "--help"}, dir.path(), env);
    EXPECT_NE(help.out.find("3 sin errores pero sin comprobar contra los esquemas"), std::string::npos) << help.out;
}

TEST_F(CliTest, ReadPrintsTheFilesTextsWithoutControlCharacters)
{
    // A line break and a terminal's escape sequence in the reference, and a
    // reference of 300 characters.
    const std::string tricky = "8429105VK1882N&#10;referencia: falsa&#27;]0;titulo&#7;";
    ParcelSpec p;
    p.ref = tricky;
    writeFile(dir / "raro.gml", parcelGml(p));
    auto r = cli({"parcel", "read", "raro.gml"});
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("referencia: 8429105VK1882N\\nreferencia: falsa\\x1b]0;titulo\\x07\n"), std::string::npos)
        << r.out << r.err;

    p.ref = std::string(300, 'A');
    writeFile(dir / "largo.gml", parcelGml(p));
    r = cli({"parcel", "read", "largo.gml"});
    EXPECT_NE(r.out.find("referencia: " + std::string(200, 'A') + "…\n"), std::string::npos) << r.out << r.err;
}
