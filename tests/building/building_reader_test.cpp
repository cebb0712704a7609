#include <gtest/gtest.h>

#include "building_fixture.hpp"
#include "core/failure.hpp"

using namespace vadrel;
using test::BuildingFormTest;
using test::writeFile;

namespace {

const char* const kSobreescribir =
    "Al cargar un nuevo GML se van a sobreescribir los datos que se muestran actualmente. ¿Desea continuar?";

std::string resumen(const EdifProp& e)
{
    return e.nombre + ";" + e.tipo + ";" + e.e_i + ";" + std::to_string(e.coorx.size()) + ";" + std::to_string(e.id);
}

// A building GML with the given pieces inside its feature collection,
// beside an empty building feature.
std::string gml(const std::string& body)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<gml:FeatureCollection xmlns:gml="g" xmlns:bu-core2d="c" xmlns:bu-ext2d="e" xmlns:base="b"><bu-ext2d:Building/>)" +
           body + "</gml:FeatureCollection>";
}

}  // namespace

class BuildingReaderTest : public BuildingFormTest {
protected:
    void read(const std::string& path)
    {
        ui.openAnswers.push_back(path);
        form->BBCargarXMLClick();
    }
    void readText(const std::string& content)
    {
        writeFile(dir / "in.gml", content);
        read((dir / "in.gml").string());
    }
};

TEST_P(BuildingReaderTest, WrittenBuildingReadsBackIntoTheSameConstructions)
{
    abcdp();
    form->setReferenciaCatastral(false);
    form->CBHuso = "29";
    write();
    form->FormShow();
    ui.confirmAnswers.push_back(true);  // the list holds coordinates: asked first
    form->BBLimpiarTodoClick();
    form->setReferenciaCatastral(true);
    ui.messages.clear();
    ui.questions.clear();

    read((dir / "edif.gml").string());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"He encontrado 4 recintos en el edificio.",
                                                     "He encontrado 1 piscinas en el GML."}));
    std::vector<std::string> got;
    for (const auto& e : form->Edificaciones) got.push_back(resumen(e));
    EXPECT_EQ(got, (std::vector<std::string>{"Nueva Edificación 1;Edificación;Exterior;5;1",
                                             "Nueva Edificación 2;Edificación;Interior;4;2",
                                             "Nueva Edificación 3;Edificación;Interior;4;3",
                                             "Nueva Edificación 4;Edificación;Exterior;5;4",
                                             "1234567AB1234N_PI.1;Piscina;Exterior;5;5"}));
    EXPECT_EQ(form->LBElementos.size(), 5u);
    EXPECT_EQ(form->LBElementos[4], "1234567AB1234N_PI.1");
    EXPECT_EQ(form->LBElementosIndex, 0);
    EXPECT_EQ(form->elemActual, 0);
    EXPECT_EQ(form->EArchivoDXF, "Nueva Edificación 1");
    EXPECT_EQ(form->CBIE, kExterior);
    EXPECT_EQ(form->MX, (CoordList{"440000", "440100", "440100", "440000", "440000"}));
    EXPECT_EQ(form->ERefCatas, "1234567AB1234N");
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_EQ(form->CBHuso, "29");
    EXPECT_EQ(form->ESuptot, "250");
    EXPECT_EQ(form->ENInmueble, "2");
    EXPECT_EQ(form->ENViv, "1");
    EXPECT_EQ(form->ENSobreRas, "3");
    EXPECT_EQ(form->EFechaConstruc, "03/07/2015");

    // And written again, the same structure.
    ui.messages.clear();
    auto doc = write("otra_vez.gml");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.select_nodes("//*[name()='gml:PolygonPatch']").size(), 2u);
    EXPECT_EQ(doc.select_nodes("//*[name()='gml:interior']").size(), 2u);
    EXPECT_EQ(doc.select_nodes("//*[name()='bu-ext2d:OtherConstruction']").size(), 1u);
}

TEST_P(BuildingReaderTest, AskedBeforeOverwritingOnlyWhenThereIsWorkToLose)
{
    const struct {
        int constructions;
        CoordList mx;
        bool asked;
    } cases[] = {{2, {}, false}, {2, {"1"}, false}, {3, {}, true}, {1, {"1", "2"}, true}};
    for (const auto& c : cases) {
        form->FormShow();
        for (int i = 1; i < c.constructions; ++i) form->SBNuevoClick();
        form->MX = c.mx;
        ui.questions.clear();
        ui.confirmAnswers.push_back(false);
        ui.openAnswers.push_back(std::nullopt);
        form->BBCargarXMLClick();
        EXPECT_EQ(ui.questions, c.asked ? std::vector<std::string>{kSobreescribir} : std::vector<std::string>{});
        EXPECT_EQ(ui.openDialogs.size(), c.asked ? 0u : 1u) << "No stops before the open dialog";
        EXPECT_EQ(form->Edificaciones.size(), static_cast<std::size_t>(c.constructions));
        ui.openDialogs.clear();
        ui.confirmAnswers.clear();
        ui.openAnswers.clear();
    }
}

TEST_P(BuildingReaderTest, CancelledOpenShowsTheFirstConstructionAndOverwritesNone)
{
    anade(kEdificacion, kExterior, {"1", "2", "3"}, {"4", "5", "6"}, true);
    anade(kEdificacion, kInterior, {"7", "8", "9"}, {"0", "1", "2"});
    // A name typed on the shown construction, not yet stored.
    form->EArchivoDXF = "Patio";
    ui.confirmAnswers.push_back(true);
    ui.openAnswers.push_back(std::nullopt);
    form->BBCargarXMLClick();
    EXPECT_EQ(form->LBElementosIndex, 0);
    EXPECT_EQ(form->elemActual, 0);
    EXPECT_EQ(form->EArchivoDXF, "Nueva Edificación 1");
    EXPECT_EQ(form->CBIE, kExterior);
    EXPECT_EQ(form->MX, (CoordList{"1", "2", "3"}));

    form->GuardaElem();  // the next store: leaving a list, a click, "Nuevo"
    ASSERT_EQ(form->Edificaciones.size(), 2u);
    EXPECT_EQ(resumen(form->Edificaciones[0]), "Nueva Edificación 1;Edificación;Exterior;3;1");
    EXPECT_EQ(form->Edificaciones[0].coorx, (CoordList{"1", "2", "3"}));
    EXPECT_EQ(resumen(form->Edificaciones[1]), "Patio;Edificación;Interior;3;2");
    EXPECT_EQ(form->Edificaciones[1].coorx, (CoordList{"7", "8", "9"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(BuildingReaderTest, AfterAnyReadTheEditorShowsTheFirstConstructionWhateverItsKind)
{
    const std::string pool = "<gml:featureMember><bu-ext2d:OtherConstruction><base:localId>P1</base:localId>"
                             "<gml:posList> 5 6 7 8 9 1 5 6</gml:posList></bu-ext2d:OtherConstruction>"
                             "</gml:featureMember>";
    const std::string patch = "<gml:PolygonPatch><gml:exterior><gml:posList> 1 2 3 4 5 6 1 2</gml:posList>"
                              "</gml:exterior></gml:PolygonPatch>";
    const struct {
        std::string body;
        const char* shown;  // name;type;role;points of the editor, "" for an empty editor
    } cases[] = {
        {pool, "P1;Piscina;Exterior;4"},
        {pool + pool, "P1;Piscina;Exterior;4"},
        {patch + pool, "Nueva Edificación 1;Edificación;Exterior;4"},
        {"<gml:featureMember/>", ";;;0"},
    };
    for (const auto& c : cases) {
        form->FormShow();
        form->EArchivoDXF = "Antigua";
        form->CBTipo = kEdificacion;
        form->CBIE = kInterior;
        form->MX = {"100", "200", "300"};
        form->MY = {"100", "200", "300"};
        ui.confirmAnswers.push_back(true);
        readText(gml(c.body));
        ui.confirmAnswers.clear();
        EXPECT_EQ(form->EArchivoDXF + ";" + form->CBTipo + ";" + form->CBIE + ";" + std::to_string(form->MX.size()),
                  c.shown)
            << c.body;
        EXPECT_EQ(form->MY.size(), form->MX.size());
        if (form->Edificaciones.empty()) {
            EXPECT_EQ(form->LBElementosIndex, -1);
            continue;
        }
        EXPECT_EQ(form->LBElementosIndex, 0);
        const std::string antes = resumen(form->Edificaciones[0]);
        const CoordList puntos = form->Edificaciones[0].coorx;
        form->GuardaElem();
        EXPECT_EQ(resumen(form->Edificaciones[0]), antes) << c.body;
        EXPECT_EQ(form->Edificaciones[0].coorx, puntos) << c.body;
    }
}

TEST_P(BuildingReaderTest, MissingValuesAreToldAndDefaulted)
{
    form->CBHuso = "31";
    readText(gml("<gml:featureMember/>"));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "¡Error! No se ha encontrado ninguna geometría de edificio.",
                               "No se han encontrado piscinas.",
                               "No he podido encontrar la superficie total.",
                               "No he podido encontrar el número de inmuebles. Por defecto se rellena a 1.",
                               "No he podido encontrar el número de viviendas. Por defecto se rellena a 1.",
                               "No he podido encontrar el número de plantas sobre rasante. Por defecto se rellena a 1.",
                               "No he podido encontrar la fecha de construcción del edificio. Por defecto se rellena a "
                               "1 de enero del año 2000."}));
    EXPECT_EQ(form->ESuptot, "0");
    EXPECT_EQ(form->ENInmueble, "1");
    EXPECT_EQ(form->ENViv, "1");
    EXPECT_EQ(form->ENSobreRas, "1");
    EXPECT_EQ(form->EFechaConstruc, "01/01/2000");
    EXPECT_EQ(form->CBHuso, "31");
    EXPECT_TRUE(form->Edificaciones.empty());
    EXPECT_TRUE(form->LBElementos.empty());

    form->GuardaElem();
    EXPECT_EQ(ui.messages.back(), "Error. Hay menos elementos de los esperados. Reinicie el programa.");
}

TEST_P(BuildingReaderTest, EmptyElementsGiveEmptyTextsOrTheirDefaults)
{
    form->ERefCatas = "old";
    readText(gml("<base:localId/><base:namespace/><bu-ext2d:value/><bu-ext2d:numberOfBuildingUnits/>"
                 "<bu-ext2d:numberOfDwellings></bu-ext2d:numberOfDwellings><bu-ext2d:numberOfFloorsAboveGround/>"
                 "<bu-core2d:beginLifespanVersion/><gml:Surface/>"));
    EXPECT_EQ(ui.messages.size(), 2u) << "only the two counts of geometry";
    EXPECT_EQ(form->ERefCatas, "");
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_EQ(form->ESuptot, "");
    EXPECT_EQ(form->ENInmueble, "1");
    EXPECT_EQ(form->ENViv, "1");
    EXPECT_EQ(form->ENSobreRas, "1");
    EXPECT_EQ(form->EFechaConstruc, "01/01/2000");
    EXPECT_EQ(form->CBHuso, "30");
}

TEST_P(BuildingReaderTest, ConstructionDateComesFromTheBeginningFirst)
{
    const struct {
        const char* body;
        const char* date;
        bool told;
    } cases[] = {
        {"<bu-core2d:beginLifespanVersion>2015-11-16T00:00:00</bu-core2d:beginLifespanVersion>"
         "<bu-core2d:beginning>2003-01-01T00:00:00</bu-core2d:beginning>",
         "01/01/2003", false},
        {"<bu-core2d:beginLifespanVersion>2015-11-16T00:00:00</bu-core2d:beginLifespanVersion>", "16/11/2015", false},
        {"<bu-core2d:beginLifespanVersion>2015-11</bu-core2d:beginLifespanVersion>", "01/01/2000", true},
        {"<bu-core2d:beginLifespanVersion>1999-12-31</bu-core2d:beginLifespanVersion>", "31/12/1999", false},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        readText(gml(c.body));
        EXPECT_EQ(form->EFechaConstruc, c.date) << c.body;
        bool told = std::find(ui.messages.begin(), ui.messages.end(),
                              "No he podido encontrar la fecha de construcción del edificio. Por defecto se rellena a "
                              "1 de enero del año 2000.") != ui.messages.end();
        EXPECT_EQ(told, c.told) << c.body;
    }
}

TEST_P(BuildingReaderTest, NamespaceAndZoneFromTheFile)
{
    const struct {
        const char* ns;
        const char* srs;
        bool otra;
        const char* huso;
    } cases[] = {{"ES.LOCAL.BU", "urn:ogc:def:crs:EPSG::32628", true, "28"},
                 {"ES.SDGC.BU", "URN:OGC:DEF:CRS:EPSG::25831", false, "31"},
                 {"es.sdgc.bu", "EPSG:25829", true, "29"}};
    for (const auto& c : cases) {
        readText(gml(std::string("<base:namespace>") + c.ns + "</base:namespace><gml:Surface srsName='" + c.srs +
                     "'/>"));
        EXPECT_EQ(form->RBRefOtra, c.otra) << c.ns;
        EXPECT_EQ(form->CBHuso, c.huso) << c.srs;
    }
}

TEST_P(BuildingReaderTest, NestedPatchesGiveEachRingOnce)
{
    // Nesting is no layout of a real file, but a ring read once per level
    // made a 300 KB file hold millions of constructions.
    std::string body;
    for (int i = 0; i < 50; ++i)
        body += "<gml:PolygonPatch><gml:exterior><gml:posList>0 0 1 0 1 1</gml:posList></gml:exterior>";
    for (int i = 0; i < 50; ++i) body += "</gml:PolygonPatch>";
    readText(gml(body));
    EXPECT_EQ(form->Edificaciones.size(), 50u);
}

TEST_P(BuildingReaderTest, PositionsOnSeparateLinesOrTabbedAreRead)
{
    readText(gml("<gml:PolygonPatch><gml:exterior><gml:posList>\r\n 0 0\r\n 10\t0\r\n 10  10\r\n 0 0\r\n"
                 "</gml:posList></gml:exterior></gml:PolygonPatch>"));
    ASSERT_EQ(form->Edificaciones.size(), 1u);
    EXPECT_EQ(form->Edificaciones[0].coorx, (CoordList{"0", "10", "10", "0"}));
    EXPECT_EQ(form->Edificaciones[0].coory, (CoordList{"0", "0", "10", "0"}));
}

TEST_P(BuildingReaderTest, UnreadableFileLeavesTheConstructionsAsTheyWere)
{
    anade(kEdificacion, kExterior, {"1", "2", "3"}, {"4", "5", "6"}, true);
    anade(kEdificacion, kInterior, {"7", "8", "9"}, {"0", "1", "2"});
    anade(kPiscina, kExterior, {"1", "2", "3"}, {"4", "5", "6"});
    ui.confirmAnswers.push_back(true);
    EXPECT_THROW(readText("<gml:FeatureCollection><oops></gml:FeatureCollection>"), Failure);
    ASSERT_EQ(form->Edificaciones.size(), 3u);
    EXPECT_EQ(form->LBElementos.size(), 3u);
    EXPECT_EQ(form->elemActual, 2);
    EXPECT_EQ(form->CBTipo, kPiscina);
    EXPECT_EQ(form->MX, (CoordList{"1", "2", "3"}));
    EXPECT_EQ(form->Edificaciones[1].coorx, (CoordList{"7", "8", "9"}));
    form->GuardaElem();
    EXPECT_TRUE(ui.messages.empty());
}

TEST_P(BuildingReaderTest, CadastreBuildingFilesRead)
{
    auto shared = test::sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's sample files are not here";
    auto sample = [&](const char* name) {
        ui.messages.clear();
        form->FormShow();
        form->MX.clear();
        read((shared / "samples/gml/building" / name).string());
    };

    sample("sede-Building_9620123VK0192B.gml");  // ISO-8859-1, one patch and a pool
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"He encontrado 1 recintos en el edificio.",
                                                     "He encontrado 1 piscinas en el GML."}));
    ASSERT_EQ(form->Edificaciones.size(), 2u);
    EXPECT_EQ(resumen(form->Edificaciones[0]), "Nueva Edificación 1;Edificación;Exterior;17;1");
    EXPECT_EQ(resumen(form->Edificaciones[1]), "9620123VK0192B_PI.1;Piscina;Exterior;5;2");
    EXPECT_EQ(form->ERefCatas, "9620123VK0192B");
    EXPECT_EQ(form->ESuptot, "254");
    EXPECT_EQ(form->EFechaConstruc, "01/01/2003");

    sample("sede-Building_9531109VK0193B.gml");  // two patches
    ASSERT_EQ(form->Edificaciones.size(), 2u);
    EXPECT_EQ(form->Edificaciones[1].e_i, kExterior);
    EXPECT_EQ(form->ENViv, "0");

    sample("atom-38023-building-zone28.gml");  // two buildings, five interiors
    EXPECT_EQ(ui.messages.front(), "He encontrado 7 recintos en el edificio.");
    EXPECT_EQ(form->Edificaciones.size(), 7u);
    EXPECT_EQ(form->CBHuso, "28");
    EXPECT_EQ(std::count_if(form->Edificaciones.begin(), form->Edificaciones.end(),
                            [](const EdifProp& e) { return e.e_i == kInterior; }),
              5);
    // Every ring of the file once, in file order: no patch skipped or repeated.
    for (std::size_t i = 1; i < form->Edificaciones.size(); ++i)
        EXPECT_NE(form->Edificaciones[i].coorx, form->Edificaciones[i - 1].coorx) << i;

    sample("atom-38023-otherconstruction-zone28.gml");  // 25 pools, no building
    EXPECT_EQ(form->Edificaciones.size(), 25u);
    EXPECT_EQ(form->CBHuso, "28");
    EXPECT_TRUE(std::all_of(form->Edificaciones.begin(), form->Edificaciones.end(),
                            [](const EdifProp& e) { return e.tipo == kPiscina && e.coorx.size() >= 4; }));

    // A parcel file is no building: one message, the constructions stay.
    for (const char* parcela : {"../parcel/wfs-cp-getparcel-8429105VK1882N.gml", "../official/cp_ejemplo_explicativo.gml"}) {
        ui.messages.clear();
        ui.confirmAnswers.push_back(true);  // the list is overwritten only after this question
        try {
            read((shared / "samples/gml/building" / parcela).string());
            ADD_FAILURE() << parcela << " read as a building";
        } catch (const Failure& f) {
            EXPECT_STREQ(f.what(),
                         "Error. El archivo no contiene ningún edificio ni piscina. Ábralo en la ventana de parcelas.");
        }
        EXPECT_TRUE(ui.messages.empty()) << parcela;
        EXPECT_EQ(form->Edificaciones.size(), 25u) << parcela;
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, BuildingReaderTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
