// The "Agrupar GMLs" page: its two lists and both roads of the grouping.

#include <gtest/gtest.h>

#include <optional>
#include <pugixml.hpp>
#include <set>

#include "core/failure.hpp"
#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "shell/aplicacion.hpp"
#include "support/app_fixture.hpp"
#include "support/process.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"
#include "core/utf8_path.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

const char* const kUnaParcela = "¿Los GML que va a agrupar forman UNA ÚNICA PARCELA?";

// A parcel in the download form, with corners when given.
std::string parcela(const std::string& ref, const std::string& area, const char* lower = nullptr,
                    const char* upper = nullptr, const std::string& anillo = "0 0 10 0 10 10 0 0")
{
    std::string caja;
    if (lower)
        caja = std::string("<gml:boundedBy><gml:Envelope><gml:lowerCorner>") + lower + "</gml:lowerCorner><gml:upperCorner>" +
               upper + "</gml:upperCorner></gml:Envelope></gml:boundedBy>";
    return "<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP." + ref + "\">" + caja + "<cp:areaValue uom=\"m2\">" + area +
           "</cp:areaValue><cp:geometry><gml:MultiSurface gml:id=\"MultiSurface_" + ref +
           "\"><gml:surfaceMember><gml:Surface gml:id=\"Surface_" + ref +
           "\"><gml:patches><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList>" + anillo +
           "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
           "</gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId><Identifier><localId>" +
           ref + "</localId><namespace>ES.SDGC.CP</namespace></Identifier></cp:inspireId><cp:referencePoint>"
                 "<gml:Point gml:id=\"ReferencePoint_" + ref + "\"><gml:pos>0 0</gml:pos></gml:Point></cp:referencePoint>"
                 "</cp:CadastralParcel></member>";
}

std::string archivo(const std::string& members)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><FeatureCollection xmlns:gml=\"g\" xmlns:cp=\"c\">" + members +
           "</FeatureCollection>";
}

class ParcelGroupingTest : public ProgramaTest {
protected:
    TFParcelgen* form = nullptr;

    void SetUp() override
    {
        ProgramaTest::SetUp();
        form = app->FParcelgen.get();
    }

    // The files chosen in one "Cargar GMLs" and all moved to the right, in order.
    void derecha(const std::vector<std::pair<std::string, std::string>>& files)
    {
        std::vector<std::string> paths;
        for (const auto& [name, content] : files) {
            writeFile(dir / name, content);
            paths.push_back((dir / name).string());
        }
        ui.openManyAnswers.push_back(paths);
        form->BitBtn1Click();
        for (const auto& [name, content] : files) {
            auto at = std::find(form->LBOrigen.begin(), form->LBOrigen.end(), (dir / name).string());
            form->LBOrigenSeleccion = {static_cast<int>(at - form->LBOrigen.begin())};
            form->SpeedButton1Click();
        }
    }

    // "Agrupar GMLs": one parcel named `nombre`, or several without one.
    pugi::xml_document agrupa(std::optional<std::string> nombre, const std::string& out = "agrupado.gml")
    {
        ui.confirmAnswers.push_back(nombre.has_value());
        if (nombre) app->FRef->ERef = *nombre;
        ui.onShowModal = [](Form&) { return ModalResult::Ok; };
        ui.saveAnswers.push_back((dir / out).string());
        form->BitBtn2Click();
        pugi::xml_document doc;
        if (std::filesystem::exists(dir / out)) {
            EXPECT_TRUE(doc.load_file((dir / out).c_str()));
        }
        return doc;
    }

    static std::string texto(const pugi::xml_node& doc, const char* name) { return buscaNodo(name, doc).text().get(); }
    static std::vector<std::string> ids(const pugi::xml_document& doc, const char* element)
    {
        std::vector<std::string> out;
        for (auto n : doc.select_nodes((std::string("//*[name()='") + element + "']").c_str()))
            out.push_back(n.node().attribute("gml:id").value());
        return out;
    }
};

}  // namespace

// The bare names of a list's files, as the window shows them.
std::vector<std::string> nombres(const std::vector<std::string>& rutas)
{
    std::vector<std::string> out;
    for (const auto& r : rutas) out.push_back(utf8Of(pathFromUtf8(r).filename()));
    return out;
}

TEST_F(ParcelGroupingTest, ListsKeepTheirOrders)
{
    for (const char* f : {"b.gml", "A.gml", "c.gml"}) writeFile(dir / f, "x");
    ui.openManyAnswers.push_back({(dir / "b.gml").string(), (dir / "A.gml").string(), (dir / "c.gml").string()});
    ui.openManyAnswers.push_back({(dir / "b.gml").string()});
    form->BitBtn1Click();
    form->BitBtn1Click();
    EXPECT_EQ(ui.openDialogs.at(0).filter, "Archivos GML|*.gml|Todos los archivos|*.*");
    EXPECT_EQ(nombres(form->LBOrigen), (std::vector<std::string>{"A.gml", "b.gml", "c.gml"})) << "b.gml chosen twice";
    EXPECT_EQ(form->LBOrigen.front(), (dir / "A.gml").string());

    form->LBOrigenSeleccion = {2, 0};
    form->SpeedButton1Click();
    EXPECT_EQ(nombres(form->LBDestino), (std::vector<std::string>{"A.gml", "c.gml"})) << "in list order";
    form->LBOrigenSeleccion = {0};
    form->SpeedButton1Click();
    EXPECT_EQ(nombres(form->LBDestino), (std::vector<std::string>{"A.gml", "c.gml", "b.gml"})) << "in moving order";
    ui.openManyAnswers.push_back({(dir / "c.gml").string()});
    form->BitBtn1Click();
    EXPECT_TRUE(form->LBOrigen.empty()) << "a file already on the right is not added again";

    form->LBDestinoSeleccion = {0, 1};
    form->SpeedButton2Click();
    EXPECT_EQ(nombres(form->LBOrigen), (std::vector<std::string>{"A.gml", "c.gml"}));
    EXPECT_EQ(nombres(form->LBDestino), std::vector<std::string>{"b.gml"});

    ui.openManyAnswers.push_back({});  // cancelled
    form->BitBtn1Click();
    EXPECT_EQ(form->LBOrigen.size(), 2u);
    form->SpeedButton3Click();
    EXPECT_TRUE(form->LBOrigen.empty());
    EXPECT_TRUE(form->LBDestino.empty());
}

TEST_F(ParcelGroupingTest, FilesOfSeveralFoldersAreGroupedAndDrawnFromWhereTheyWereChosen)
{
    // Two files from one folder, one from another that also holds an a.gml:
    // every file must be opened where it was chosen.
    std::filesystem::create_directories(dir / "uno");
    std::filesystem::create_directories(dir / "dos");
    writeFile(dir / "uno" / "a.gml", archivo(parcela("UNO_A", "1")));
    writeFile(dir / "uno" / "b.gml", archivo(parcela("UNO_B", "1")));
    writeFile(dir / "dos" / "a.gml", archivo(parcela("DOS_A", "1")));
    writeFile(dir / "dos" / "c.gml", archivo(parcela("DOS_C", "1")));
    ui.openManyAnswers.push_back({(dir / "uno" / "a.gml").string(), (dir / "uno" / "b.gml").string()});
    ui.openManyAnswers.push_back({(dir / "dos" / "c.gml").string()});
    form->BitBtn1Click();
    form->BitBtn1Click();
    form->LBOrigenSeleccion = {0, 1, 2};
    form->SpeedButton1Click();
    auto doc = agrupa(std::nullopt);
    EXPECT_EQ(ids(doc, "cp:CadastralParcel"),
              (std::vector<std::string>{"ES.SDGC.CP.UNO_A", "ES.SDGC.CP.UNO_B", "ES.SDGC.CP.DOS_C"}));
}

TEST_F(ParcelGroupingTest, RefusalsBeforeTheQuestion)
{
    derecha({{"a.gml", archivo(parcela("A", "1"))}});
    form->BitBtn2Click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Error. Debe haber más de un archivo GML en la columna de la derecha para poder agruparlos."});
    derecha({{"b.gml", archivo(parcela("B", "1"))}});
    writeFile(dir / "BASE_MULTIPLE.XML", "<c><member/></c>");
    form->FormCreate();
    ui.messages.clear();
    form->BitBtn2Click();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. No se ha podido encontrar la base para unir los GMLs"});
    EXPECT_TRUE(ui.questions.empty());
}

namespace {

// A parcel whose surfaces name their reference system.
std::string enSistema(const std::string& ref, const std::string& anillo, const char* srs)
{
    std::string p = parcela(ref, "100", nullptr, nullptr, anillo);
    p.insert(p.find("<gml:MultiSurface ") + 18, std::string("srsName=\"") + srs + "\" ");
    return p;
}

const char* const kHuso30 = "http://www.opengis.net/def/crs/EPSG/0/25830";
const char* const kHuso28 = "urn:ogc:def:crs:EPSG::32628";
const char* const kMadrid = "440000 4470000 440010 4470000 440010 4470010 440000 4470000";
const char* const kTenerife = "372649.79 3142200.94 372659.79 3142200.94 372659.79 3142210.94 372649.79 3142200.94";

}  // namespace

TEST_F(ParcelGroupingTest, CoordinatesThatAreNoUtmOfTheirFilesZoneAreRefusedBeforeTheQuestion)
{
    const struct {
        const char* what;
        std::string b;  // the second file; the first is a sound parcel of zone 30
        const char* message;
    } cases[] = {
        {"swapped, as the file writes them",
         archivo(enSistema("B", "4470000.50 440000 4470000.50 440010 4470010 440010 4470000.50 440000", kHuso30)),
         "Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: X=4470000.50, Y=440000)."},
        {"the second vertex in local units",
         archivo(enSistema("B", "440000 4470000 10 4470000 10 10 440000 4470000", kHuso30)),
         "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 2: X=10, Y=4470000)."},
        {"zone 30 values in a file of zone 28", archivo(enSistema("B", kMadrid, kHuso28)),
         "Error. Las coordenadas no son UTM de España en el huso 28 (vértice 1: X=440000, Y=4470000)."},
        {"a later parcel of the file",
         archivo(enSistema("B", kMadrid, kHuso30) + enSistema("C", "1 2 3 4 5 6 1 2", kHuso30)),
         "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 1: X=1, Y=2)."},
    };
    for (const auto& c : cases) {
        form->SpeedButton3Click();
        ui.messages.clear();
        ui.questions.clear();
        derecha({{"a.gml", archivo(enSistema("A", kMadrid, kHuso30))}, {"b.gml", c.b}});
        ui.saveAnswers.push_back((dir / "agrupado.gml").string());
        form->BitBtn2Click();
        ui.saveAnswers.clear();
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.what;
        EXPECT_TRUE(ui.questions.empty()) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir / "agrupado.gml")) << c.what;
    }

    // Each file in its own zone; a ring of no UTM system is not judged.
    form->SpeedButton3Click();
    ui.messages.clear();
    derecha({{"a.gml", archivo(enSistema("A", kMadrid, kHuso30))},
             {"b.gml", archivo(enSistema("B", kTenerife, kHuso28))},
             {"c.gml", archivo(enSistema("C", "-3.7 40.4 -3.6 40.4 -3.6 40.5 -3.7 40.4", "EPSG:4258"))}});
    auto doc = agrupa(std::nullopt);
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(doc.select_nodes("//member").size(), 3u);
}

TEST_F(ParcelGroupingTest, FilesFarFromTheirZonesMeridianAreGroupedAndWarnedOfOnce)
{
    // 4.1° west of zone 30's meridian, both files.
    const std::string lejos = "149972.8667 4435814.8333 149982.8667 4435814.8333 149982.8667 4435824.8333 "
                              "149972.8667 4435814.8333";
    derecha({{"a.gml", archivo(enSistema("A", lejos, kHuso30))}, {"b.gml", archivo(enSistema("B", lejos, kHuso30))}});
    auto doc = agrupa("R1");
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso."});
    EXPECT_EQ(doc.select_nodes("//*[name()='gml:surfaceMember']").size(), 2u);
}

TEST_F(ParcelGroupingTest, SeveralParcelsKeptAsTheyAreWithOneMessagePerParcelWhoseReferenceCameBefore)
{
    derecha({{"1.gml", archivo(parcela("A", "1") + parcela("B", "2"))},
             {"2.gml", archivo(parcela("A", "3"))},
             {"3.gml", archivo(parcela("A", "4") + "<member><otra/></member>")}});
    auto doc = agrupa(std::nullopt);
    EXPECT_EQ(ui.questions, std::vector<std::string>{kUnaParcela});
    const std::string repetida =
        "Error. Referencia catastral A repetida. No puede estar la misma referencia varias veces en el mismo GML.";
    EXPECT_EQ(ui.messages, (std::vector<std::string>{repetida, repetida}));
    EXPECT_EQ(ids(doc, "cp:CadastralParcel"),
              (std::vector<std::string>{"ES.SDGC.CP.A", "ES.SDGC.CP.B", "ES.SDGC.CP.A", "ES.SDGC.CP.A"}));
    EXPECT_EQ(doc.select_nodes("//member").size(), 4u) << "a member without a parcel is left out";
}

TEST_F(ParcelGroupingTest, OneParcelSumsAreasCombinesTheBoxAndRenamesTheSurfaces)
{
    derecha({{"a.gml", archivo(parcela("A", "100", "10 20", "30 40"))},
             {"b.gml", archivo(parcela("B", "250,5", "25 5", "50 35") + parcela("A", "0", "20 20", "21 21"))}});
    auto doc = agrupa("R1");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(texto(doc, "cp:areaValue"), "350.5");
    EXPECT_EQ(texto(doc, "gml:lowerCorner"), "10 5");
    EXPECT_EQ(texto(doc, "gml:upperCorner"), "50 40");
    EXPECT_EQ(texto(doc, "gml:pos"), "30 22.5");
    EXPECT_EQ(texto(doc, "localId"), "R1");
    EXPECT_EQ(texto(doc, "namespace"), "ES.LOCAL.CP") << "a new parcel, named as its gml:id says";
    EXPECT_EQ(ids(doc, "cp:CadastralParcel"), std::vector<std::string>{"ES.LOCAL.CP.R1"});
    EXPECT_EQ(ids(doc, "gml:MultiSurface"), std::vector<std::string>{"Multisurface_ES.LOCAL.CP.R1"});
    EXPECT_EQ(ids(doc, "gml:Point"), std::vector<std::string>{"ReferencePoint_ES.LOCAL.CP.R1"});
    // In file and member order; the second surface of reference A numbered on.
    EXPECT_EQ(ids(doc, "gml:Surface"), (std::vector<std::string>{"Surface_ES.LOCAL.CP.2A", "Surface_ES.LOCAL.CP.2B",
                                                                 "Surface_ES.LOCAL.CP.3A"}));
    EXPECT_EQ(doc.select_nodes("//member").size(), 1u);
}

TEST_F(ParcelGroupingTest, DeliveryFormParcelsGroupAsMembers)
{
    // The cadastre's delivery form wraps each parcel in gml:featureMember.
    std::string entrega = parcela("B", "7");
    entrega.replace(0, 8, "<gml:featureMember>");
    entrega.replace(entrega.size() - 9, 9, "</gml:featureMember>");
    derecha({{"entrega.gml", archivo(entrega)}, {"a.gml", archivo(parcela("A", "100"))}});
    auto una = agrupa("R1", "una.gml");
    EXPECT_EQ(texto(una, "cp:areaValue"), "107");
    EXPECT_EQ(ids(una, "gml:Surface"), (std::vector<std::string>{"Surface_ES.LOCAL.CP.2B", "Surface_ES.LOCAL.CP.2A"}));
    EXPECT_EQ(una.select_nodes("//member").size(), 1u);
    auto varias = agrupa(std::nullopt, "varias.gml");
    EXPECT_EQ(varias.select_nodes("//member").size(), 2u);
    EXPECT_EQ(varias.select_nodes("//*[name()='gml:featureMember']").size(), 0u);
}

TEST_F(ParcelGroupingTest, OneParcelRefusalsWriteNothingAndTheTemplateComesBack)
{
    derecha({{"a.gml", archivo(parcela("A", "1"))}, {"b.gml", archivo(parcela("B", "1"))}});
    const struct {
        std::optional<std::string> nombre;
        ModalResult result;
        const char* message;
    } cases[] = {
        {"R1", ModalResult::Cancel, "Se ha cancelado la agrupación. No se ha realizado ninguna acción."},
        {"", ModalResult::Ok, "Error. No ha rellenado ningún nombre/referencia"},
        {"R 1", ModalResult::Ok, "Error. No puede haber espacios o caracteres especiales en la referencia."},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        ui.confirmAnswers.push_back(true);
        app->FRef->ERef = *c.nombre;
        ui.onShowModal = [&](Form&) { return c.result; };
        form->BitBtn2Click();
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(ui.saveDialogs.empty());
        EXPECT_FALSE(buscaNodo("member", form->XMLMultiple)) << "the template is back";
    }

    // Files without any parcel have no base to gather into, and nothing to
    // collect either.
    form->SpeedButton3Click();
    derecha({{"vacio.gml", archivo("")}, {"punto.gml", archivo("<member><gml:Point/></member>")}});
    for (std::optional<std::string> nombre : {std::optional<std::string>("R1"), std::optional<std::string>()}) {
        ui.messages.clear();
        agrupa(nombre);
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Ningún archivo contiene parcelas."});
        EXPECT_TRUE(ui.saveDialogs.empty());
        EXPECT_FALSE(std::filesystem::exists(dir / "agrupado.gml"));
    }
}

TEST_F(ParcelGroupingTest, TheBaseIsTheFirstMemberHoldingAParcel)
{
    const std::string edificio =
        "<?xml version=\"1.0\"?><gml:FeatureCollection xmlns:gml=\"g\" xmlns:bu-ext2d=\"e\"><gml:featureMember>"
        "<bu-ext2d:Building gml:id=\"ES.SDGC.BU.X\"><gml:Surface gml:id=\"S\"/></bu-ext2d:Building>"
        "</gml:featureMember></gml:FeatureCollection>";
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> files;
    } cases[] = {
        {"a building file first", {{"edificio.gml", edificio}, {"a.gml", archivo(parcela("A", "100"))},
                                   {"b.gml", archivo(parcela("B", "50"))}}},
        {"a member with only a point first",
         {{"a.gml", archivo("<member><gml:Point gml:id=\"P\"><gml:pos>1 1</gml:pos></gml:Point></member>" +
                            parcela("A", "100"))},
          {"b.gml", archivo(parcela("B", "50"))}}},
        {"an empty file first", {{"vacio.gml", archivo("")}, {"a.gml", archivo(parcela("A", "100"))},
                                 {"b.gml", archivo(parcela("B", "50"))}}},
        {"a parcel of a reference point only first",
         {{"punto.gml", archivo("<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP.P\"><cp:areaValue>0</cp:areaValue>"
                                "<cp:referencePoint><gml:Point gml:id=\"RP\"><gml:pos>5 5</gml:pos></gml:Point>"
                                "</cp:referencePoint></cp:CadastralParcel></member>")},
          {"a.gml", archivo(parcela("A", "100"))},
          {"b.gml", archivo(parcela("B", "50"))}}},
    };
    for (const auto& c : cases) {
        form->SpeedButton3Click();
        ui.messages.clear();
        derecha(c.files);
        auto doc = agrupa("R1");
        EXPECT_TRUE(ui.messages.empty()) << c.what;
        EXPECT_EQ(texto(doc, "cp:areaValue"), "150") << c.what;
        EXPECT_EQ(ids(doc, "gml:Surface"), (std::vector<std::string>{"Surface_ES.LOCAL.CP.2A", "Surface_ES.LOCAL.CP.2B"}))
            << c.what;
        EXPECT_EQ(ids(doc, "cp:CadastralParcel"), std::vector<std::string>{"ES.LOCAL.CP.R1"}) << c.what;
        EXPECT_EQ(doc.select_nodes("//member").size(), 1u) << c.what;
        EXPECT_EQ(doc.select_nodes("//*[name()='bu-ext2d:Building' or name()='gml:featureMember']").size(), 0u)
            << c.what;
    }
}

TEST_F(ParcelGroupingTest, TheNewParcelHasNoCadastralReferenceNorLabel)
{
    std::string a = parcela("A", "100");
    a.insert(a.find("<cp:inspireId>"), "<cp:label>12</cp:label><cp:nationalCadastralReference>1234567AB1234N"
                                        "</cp:nationalCadastralReference>");
    derecha({{"a.gml", archivo(a)}, {"b.gml", archivo(parcela("B", "50"))}});
    auto una = agrupa("R1", "una.gml");
    ASSERT_TRUE(buscaNodo("cp:label", una));
    EXPECT_EQ(texto(una, "cp:label"), "");
    EXPECT_EQ(texto(una, "cp:nationalCadastralReference"), "");
    // Kept as they are when the parcels stay parcels.
    auto varias = agrupa(std::nullopt, "varias.gml");
    EXPECT_EQ(texto(varias, "cp:nationalCadastralReference"), "1234567AB1234N");
}

TEST_F(ParcelGroupingTest, TheBoxTakesAnyCoordinates)
{
    const struct {
        const char* lowerA;
        const char* upperA;
        const char* lowerB;
        const char* upperB;
        const char* lower;
        const char* upper;
        const char* pos;
    } cases[] = {
        {"-30 -40", "-10 -20", "-25 -35", "-5 -1", "-30 -40", "-5 -1", "-17.5 -20.5"},
        {"1000000000 2000000000", "1000000010 2000000010", "1000000005 2000000005", "1000000020 2000000020",
         "1000000000 2000000000", "1000000020 2000000020", "1000000010 2000000010"},
        {"10\t20", "30\n40", "25  5", "50 35", "10 5", "50 40", "30 22.5"},
    };
    for (const auto& c : cases) {
        form->SpeedButton3Click();
        derecha({{"a.gml", archivo(parcela("A", "1", c.lowerA, c.upperA))},
                 {"b.gml", archivo(parcela("B", "1", c.lowerB, c.upperB))}});
        auto doc = agrupa("R1");
        EXPECT_EQ(texto(doc, "gml:lowerCorner"), c.lower);
        EXPECT_EQ(texto(doc, "gml:upperCorner"), c.upper);
        EXPECT_EQ(texto(doc, "gml:pos"), c.pos);
    }
}

TEST_F(ParcelGroupingTest, TheLeftListSortsAsASpanishReaderExpects)
{
    std::vector<std::string> paths;
    for (const char* f : {"ñu.gml", "Ávila.gml", "nz.gml", "parcela10.gml", "avila.gml", "b.gml", "parcela2.gml", "a.gml"}) {
        writeFile(dir / f, "x");
        paths.push_back(utf8Of(dir / f));
    }
    ui.openManyAnswers.push_back(paths);
    form->BitBtn1Click();
    EXPECT_EQ(nombres(form->LBOrigen), (std::vector<std::string>{"a.gml", "avila.gml", "Ávila.gml", "b.gml", "nz.gml",
                                                                 "ñu.gml", "parcela2.gml", "parcela10.gml"}));
}

TEST_F(ParcelGroupingTest, AnUnreadableFileStopsTheGroupingAndTheNextStartsFromTheTemplate)
{
    derecha({{"a.gml", archivo(parcela("A", "1"))}, {"roto.gml", "<FeatureCollection><member>"}});
    EXPECT_THROW(agrupa(std::nullopt), Failure);
    EXPECT_FALSE(std::filesystem::exists(dir / "agrupado.gml"));
    EXPECT_FALSE(buscaNodo("member", form->XMLMultiple));

    writeFile(dir / "roto.gml", archivo(parcela("C", "1")));
    auto doc = agrupa(std::nullopt);
    EXPECT_EQ(doc.select_nodes("//member").size(), 2u) << "nothing of the stopped grouping is left";
}

TEST_F(ParcelGroupingTest, RealFilesGroupIntoValidFiles)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's sample files are not here";
    if (!haveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed (scripts/deps.sh installs it)";
    const auto parcel = shared / "samples/gml/parcel";
    // A file of our writer (unprefixed localId, corners) beside the cadastre's
    // downloads (no corners): the box comes from each one's ring.
    const std::string nuestra = readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "parcel/data/parcela_1234567AB1234N.gml");
    derecha({{"uno.gml", readFile(parcel / "wfs-cp-getparcel-8429105VK1882N.gml")},
             {"nuestra.gml", nuestra},
             {"muchas.gml", readFile(parcel / "wfs-cp-bbox-29-parcels.gml")}});
    for (std::optional<std::string> nombre : {std::optional<std::string>(), std::optional<std::string>("AGRUPADA_1")}) {
        ui.messages.clear();
        auto doc = agrupa(nombre, nombre ? "una.gml" : "varias.gml");
        EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
        std::set<std::string> distinct;
        for (auto n : doc.select_nodes("//*[@gml:id]")) {
            EXPECT_TRUE(distinct.insert(n.node().attribute("gml:id").value()).second)
                << "repeated id " << n.node().attribute("gml:id").value();
        }
        auto v = run({"xmllint", "--noout", "--nonet", "--schema", (shared / "schemas/wrappers/cp4-wfs2.xsd").string(),
                      (dir / (nombre ? "una.gml" : "varias.gml")).string()},
                     dir.path(), {"XML_CATALOG_FILES=" + (shared / "schemas/catalog.xml").string()});
        EXPECT_EQ(v.exitCode, 0) << v.err;
        if (nombre) {
            EXPECT_EQ(doc.select_nodes("//*[name()='gml:Surface']").size(), 31u);
            // The centre of the rings' box, not the start values of the corners.
            const double x = std::stod(buscaNodo("gml:pos", doc).text().get());
            EXPECT_GT(x, 200000);
            EXPECT_LT(x, 700000);
        } else {
            EXPECT_EQ(doc.select_nodes("//member").size(), 31u);
        }
    }
}
