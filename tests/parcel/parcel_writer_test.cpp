#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "parcel_fixture.hpp"

using namespace vadrel;
using test::ParcelFormTest;
using test::readFile;
using test::writeFile;

namespace {

const char* const kClosing = "Se ha cerrado el polígono añadiendo la primera coordenada.";
const char* const kCommas = "Se han sustituido las comas por puntos. (Formato de coordenada correcto)";

}  // namespace

using ParcelWriterTest = ParcelFormTest;

TEST_P(ParcelWriterTest, WholeFileMatchesTheReviewedOne)
{
    form->ERefCatas = "1234567AB1234N";
    form->ESup = "1,5";  // replaced below by "Cal. Área" as a person would
    form->CBHuso = "30";
    form->MX = {"441620.35", "441655.80", "441661.02", "441633.41", "441618.77"};
    form->MY = {"4479210.12", "4479214.47", "4479178.93", "4479169.80", "4479186.55"};
    form->BBCalcularClick();
    write("parcela.gml");
    EXPECT_EQ(readFile(dir / "parcela.gml"),
              readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "parcel/data/parcela_1234567AB1234N.gml"));
    EXPECT_EQ(ui.messages, std::vector<std::string>{kClosing});
    EXPECT_EQ(ui.saveDialogs.at(0).filter, "Archivos GML|*.gml");
    EXPECT_EQ(ui.saveDialogs.at(0).defaultExt, "gml");
}

TEST_P(ParcelWriterTest, OpenTriangleIsClosedAndTold)
{
    form->ERefCatas = "R1";
    form->ESup = "600";
    form->MX = {"500000", "500030", "500000"};
    form->MY = {"4100000", "4100000", "4100040"};
    auto doc = write();
    EXPECT_EQ(form->MX, (CoordList{"500000", "500030", "500000", "500000"}));
    EXPECT_EQ(form->MY, (CoordList{"4100000", "4100000", "4100040", "4100000"}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{kClosing});
    EXPECT_EQ(text(doc, "gml:posList"), " 500000 4100000 500030 4100000 500000 4100040 500000 4100000");
    EXPECT_EQ(text(doc, "gml:pos"), "500010 4100013.33333333");
    EXPECT_EQ(text(doc, "gml:lowerCorner"), "500000 4100000");
    EXPECT_EQ(text(doc, "gml:upperCorner"), "500030 4100040");
}

TEST_P(ParcelWriterTest, ClosedListsGetNoExtraPoint)
{
    square();
    form->MX.push_back("500000");
    form->MY.push_back("4100000");
    auto doc = write();
    EXPECT_EQ(form->MX.size(), 5u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(text(doc, "gml:posList"),
              " 500000 4100000 500010 4100000 500010 4100010 500000 4100010 500000 4100000");
}

TEST_P(ParcelWriterTest, CollinearClosedListsStopAtTheCentroid)
{
    form->ESup = "1";
    form->MX = {"440001", "440002", "440003", "440001"};
    form->MY = {"4470005", "4470006", "4470007", "4470005"};
    try {
        form->BBgmlClick();
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "Invalid floating point operation");
    }
    EXPECT_EQ(form->MX.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.saveDialogs.empty());
}

TEST_P(ParcelWriterTest, SameValueWrittenDifferentlyIsNotClosed)
{
    square();
    form->MX.push_back("500000.0");
    form->MY.push_back("4100000");
    write();
    EXPECT_EQ(form->MX.size(), 6u);
    EXPECT_EQ(form->MX.back(), "500000");
    EXPECT_EQ(ui.messages, std::vector<std::string>{kClosing});
}

TEST_P(ParcelWriterTest, CommasBecomePointsInListsAndFile)
{
    square();
    form->MX[1] = "500010,5";
    form->MX[2] = "500010,5";
    form->ESup = "105";
    auto doc = write();
    EXPECT_EQ(form->MX[1], "500010.5");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kCommas, kClosing}));
    EXPECT_NE(text(doc, "gml:posList").find(" 500010.5 4100000 "), std::string::npos);
    EXPECT_EQ(text(doc, "gml:upperCorner"), "500010.5 4100010");
}

TEST_P(ParcelWriterTest, EmptyLinesAreDroppedBeforeCounting)
{
    square();
    form->MX.insert(form->MX.begin() + 1, "");
    form->MY.insert(form->MY.begin() + 1, "");
    form->MY.push_back("");
    auto doc = write();
    EXPECT_EQ(form->MX.size(), 5u);
    EXPECT_EQ(form->MY.size(), 5u);
    EXPECT_FALSE(text(doc, "gml:posList").empty());
}

TEST_P(ParcelWriterTest, AHalfVertexStopsBeforeAnythingIsCleaned)
{
    // An empty X on one line and an empty Y on another would pair every
    // vertex between them wrongly once each list were cleaned on its own.
    square();
    form->MX = {"500000", "", "500010", "500000"};
    form->MY = {"4100000", "4100000", "", "4100010"};
    EXPECT_THROW(
        {
            try {
                write();
            } catch (const Failure& f) {
                EXPECT_STREQ(f.what(), "Error. La línea 2 tiene Y pero no X.");
                throw;
            }
        },
        Failure);
    EXPECT_EQ(form->MX.size(), 4u);
    EXPECT_EQ(form->MY[2], "");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.gml"));
}

TEST_P(ParcelWriterTest, ZoneGoesOnEveryGeometryElement)
{
    const std::pair<const char*, const char*> table[] = {
        {"31", "http://www.opengis.net/def/crs/EPSG/0/25831"},
        {"", "http://www.opengis.net/def/crs/EPSG/0/25830"},
        {"28", "http://www.opengis.net/def/crs/EPSG/0/32628"},
        {"29", "http://www.opengis.net/def/crs/EPSG/0/25829"}};
    for (auto [zone, srs] : table) {
        square();
        if (std::string_view(zone) == "28") {  // the same square in Tenerife
            form->MX = {"372600", "372610", "372610", "372600"};
            form->MY = {"3142200", "3142200", "3142210", "3142210"};
        }
        form->CBHuso = zone;
        auto doc = write();
        for (const char* el : {"gml:MultiSurface", "gml:Surface", "gml:Point", "gml:Envelope"})
            EXPECT_EQ(attr(doc, el, "srsName"), srs) << el << " zone " << zone;
    }
}

TEST_P(ParcelWriterTest, AreaFieldIsNormalisedAndWritten)
{
    const std::pair<const char*, const char*> table[] = {
        {"100,56789", "100.5679"}, {"100.56785", "100.5678"}, {"100", "100"}, {"99,99999", "100"}};
    for (auto [typed, written] : table) {
        square();
        form->ESup = typed;
        auto doc = write();
        EXPECT_EQ(form->ESup, written) << typed;
        EXPECT_EQ(text(doc, "cp:areaValue"), written) << typed;
        EXPECT_EQ(attr(doc, "cp:areaValue", "uom"), "m2");
    }
    EXPECT_TRUE(ui.questions.empty()) << "within 1 m2 of the ring's 100 m2";
}

TEST_P(ParcelWriterTest, AreaThatDiffersFromTheRingsByMoreThanOneSquareMetreIsAskedAbout)
{
    // The field keeps its value across imports: a stale area must not be
    // written without a word.
    const struct {
        const char* typed;
        bool yes;
        const char* asked;  // nullptr: no question
    } cases[] = {
        {"101", false, nullptr},
        {"98,9", false,
         "La superficie indicada (98.9 m2) no coincide con la calculada con las coordenadas (100 m2). ¿Desea generar "
         "el GML de todos modos?"},
        {"69971986.8757", true,
         "La superficie indicada (69971986.8757 m2) no coincide con la calculada con las coordenadas (100 m2). ¿Desea "
         "generar el GML de todos modos?"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "out.gml");
        ui.questions.clear();
        ui.saveDialogs.clear();
        square();
        form->ESup = c.typed;
        ui.confirmAnswers.push_back(c.yes);
        ui.saveAnswers.push_back((dir / "out.gml").string());
        form->BBgmlClick();
        ui.confirmAnswers.clear();
        ui.saveAnswers.clear();
        if (!c.asked) {
            EXPECT_TRUE(ui.questions.empty()) << c.typed;
            continue;
        }
        EXPECT_EQ(ui.questions, std::vector<std::string>{c.asked});
        EXPECT_EQ(std::filesystem::exists(dir / "out.gml"), c.yes) << c.typed;
        EXPECT_EQ(ui.saveDialogs.size(), c.yes ? 1u : 0u) << "No: nothing offered for saving";
    }
}

struct RefusalCase {
    const char* name;
    CoordList x, y;
    const char* area;
    const char* ref;
    const char* message;
};

TEST_P(ParcelWriterTest, ChecksRefuseInOrderAndWriteNothing)
{
    const CoordList x3{"0", "10", "10"}, y3{"0", "0", "10"};
    const RefusalCase cases[] = {
        {"two points", {"0", "1"}, {"0", "1"}, "abc", "a b", "Error. Debe haber al menos tres coordenadas X e Y."},
        {"two Y", x3, {"0", "1"}, "1", "R", "Error. Debe haber al menos tres coordenadas X e Y."},
        {"counts differ", {"0", "10", "10", "0"}, y3, "abc", "a b",
         "Error. Debe haber el mismo número de coordenadas X que Y"},
        {"blank area", x3, y3, " \t", "a b",
         "Error. Debe rellenar la superficie con el área del polígono representado por las coordenadas. Pulse el "
         "botón \"Cal. Área\" para rellenarlo"},
        {"letters", x3, y3, "abc", "a b",
         "Debe rellenar la superficie con un número. Asegúrese de no haber escrito letras ni símbolos."},
        {"blank in ref", x3, y3, "50", "parcela 1",
         "Error. No puede haber espacios o caracteres especiales en la referencia."},
        {"ñ in ref", x3, y3, "50", "año", "Error. No puede haber espacios o caracteres especiales en la referencia."},
        // Every earlier check passes; the coordinates are refused before the
        // area is asked about (50 is not the ring's).
        {"local units", x3, y3, "50", "R1",
         "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 1: X=0, Y=0)."},
        {"X and Y swapped", {"4470000.25", "4470000.25", "4470010"}, {"440000.5", "440010", "440010"}, "50", "R1",
         "Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: X=4470000.25, Y=440000.5)."},
        {"one vertex swapped", {"440000.5", "440010", "4470010"}, {"4470000.25", "4470000.25", "440010"}, "50", "R1",
         "Error. Las coordenadas X e Y parecen intercambiadas (vértice 3: X=4470010, Y=440010)."},
        {"one vertex in local units", {"440000.5", "440010", "10"}, {"4470000.25", "4470000.25", "4470010"}, "50",
         "R1", "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 3: X=10, Y=4470010)."},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        form->MX = c.x;
        form->MY = c.y;
        form->ESup = c.area;
        form->ERefCatas = c.ref;
        ui.saveAnswers.push_back((dir / "no.gml").string());
        form->BBgmlClick();
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message}) << c.name;
        EXPECT_EQ(form->MX, c.x) << c.name << ": no closing point before the checks pass";
        EXPECT_TRUE(ui.saveDialogs.empty()) << c.name;
        ui.saveAnswers.clear();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "no.gml"));
}

TEST_P(ParcelWriterTest, CoordinatesOfAnotherZoneAreRefusedOrWarnedOf)
{
    // A parcel of Madrid in zone 28 lies nowhere in the Canaries.
    square();
    form->CBHuso = "28";
    auto doc = write();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 28 "
                                                    "(vértice 1: X=500000, Y=4100000)."});
    EXPECT_FALSE(std::filesystem::exists(dir / "out.gml"));
    EXPECT_TRUE(ui.saveDialogs.empty());

    // In range but 4.1° west of zone 30's meridian (typed with commas): a
    // warning, once, and the file is written.
    ui.messages.clear();
    form->CBHuso = "30";
    form->MX = {"149972,8667", "149982,8667", "149982,8667", "149972,8667"};
    form->MY = {"4435814,8333", "4435814,8333", "4435824,8333", "4435824,8333"};
    doc = write();
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{kCommas, "Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso.",
                                        kClosing}));
    EXPECT_EQ(text(doc, "gml:lowerCorner"), "149972.8667 4435814.8333");

    // 3.9° away, 0.9° past the band: a municipality across the zone line.
    ui.messages.clear();
    form->MX = {"167052.0861", "167062.0861", "167062.0861", "167052.0861"};
    form->MY = {"4435047.1451", "4435047.1451", "4435057.1451", "4435057.1451"};
    doc = write();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kClosing});
    EXPECT_EQ(text(doc, "gml:lowerCorner"), "167052.0861 4435047.1451");
}

TEST_P(ParcelWriterTest, RefusedReferenceStillLeavesTheEarlierStepsDone)
{
    form->ERefCatas = "parcela 1";
    form->ESup = "12,34566";
    form->MX = {"0", "", "10,5", "10"};
    form->MY = {"0", "", "0", "10"};
    form->BBgmlClick();
    EXPECT_EQ(form->MX, (CoordList{"0", "10.5", "10"}));
    EXPECT_EQ(form->ESup, "12.3457");
    EXPECT_EQ(ui.messages.back(), "Error. No puede haber espacios o caracteres especiales en la referencia.");
}

TEST_P(ParcelWriterTest, EmptyReferencePasses)
{
    square("");
    auto doc = write();
    EXPECT_EQ(attr(doc, "cp:CadastralParcel", "gml:id"), "ES.SDGC.CP.");
}

TEST_P(ParcelWriterTest, IdentifiersFollowTheReferenceKind)
{
    square();
    auto doc = write();
    EXPECT_EQ(attr(doc, "cp:CadastralParcel", "gml:id"), "ES.SDGC.CP.1234567AB1234N");
    EXPECT_EQ(attr(doc, "gml:MultiSurface", "gml:id"), "Multisurface_ES.SDGC.CP.1234567AB1234N");
    EXPECT_EQ(attr(doc, "gml:Surface", "gml:id"), "Surface_ES.SDGC.CP.1234567AB1234N");
    EXPECT_EQ(attr(doc, "gml:Point", "gml:id"), "ReferencePoint_ES.SDGC.CP.1234567AB1234N");
    EXPECT_EQ(text(doc, "localId"), "1234567AB1234N");
    EXPECT_EQ(text(doc, "namespace"), "ES.SDGC.CP");

    square("finca-7_B");
    form->setReferenciaCatastral(false);
    doc = write("local.gml");
    EXPECT_EQ(attr(doc, "cp:CadastralParcel", "gml:id"), "ES.LOCAL.CP.finca-7_B");
    EXPECT_EQ(attr(doc, "gml:Point", "gml:id"), "ReferencePoint_ES.LOCAL.CP.finca-7_B");
    EXPECT_EQ(text(doc, "localId"), "finca-7_B");
    EXPECT_EQ(text(doc, "namespace"), "ES.LOCAL.CP");
}

TEST_P(ParcelWriterTest, SecondWriteOverwritesEveryValueOfTheFirst)
{
    square("AAAA");
    form->MX = {"372600", "372610", "372610", "372600"};  // Tenerife
    form->MY = {"3142200", "3142200", "3142210", "3142210"};
    form->CBHuso = "28";
    write("a.gml");
    ASSERT_TRUE(std::filesystem::exists(dir / "a.gml"));
    form->setReferenciaCatastral(false);
    square("BBBB");
    form->MX = {"500001", "500003", "500001"};
    form->MY = {"4400001", "4400001", "4400003"};
    form->ESup = "2";
    form->CBHuso = "31";
    write("b.gml");
    std::string b = readFile(dir / "b.gml");
    EXPECT_EQ(b.find("AAAA"), std::string::npos);
    EXPECT_EQ(b.find("32628"), std::string::npos);
    EXPECT_EQ(b.find("ES.SDGC"), std::string::npos);
    EXPECT_NE(b.find("<gml:lowerCorner>500001 4400001</gml:lowerCorner>"), std::string::npos);
}

TEST_P(ParcelWriterTest, BadCoordinateStopsWithFilledElementsKeptAndNoFile)
{
    square();
    form->MY[2] = "41OOO10";
    form->ESup = "100";
    try {
        write();
        FAIL() << "no failure";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), "'41OOO10' is not a valid floating point value");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.gml"));
    EXPECT_TRUE(ui.saveDialogs.empty());
    EXPECT_EQ(text(form->XMLParcela, "cp:areaValue"), "100");
    EXPECT_EQ(text(form->XMLParcela, "gml:pos"), "0 0");
}

TEST_P(ParcelWriterTest, CancelledSaveWritesAndSaysNothing)
{
    square();
    ui.saveAnswers.push_back(std::nullopt);
    form->BBgmlClick();
    EXPECT_EQ(ui.saveDialogs.size(), 1u);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kClosing});
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().extension(), ".XML") << "only the templates: " << e.path();
}

TEST_P(ParcelWriterTest, TypedNameGetsTheDefaultExtensionAndReplacesAFile)
{
    square();
    writeFile(dir / "p.gml", "old");
    ui.saveAnswers.push_back((dir / "p").string());
    form->BBgmlClick();
    EXPECT_NE(readFile(dir / "p.gml").find("1234567AB1234N"), std::string::npos);
}

TEST_P(ParcelWriterTest, UnwritableTargetIsReportedAndTheDocumentKept)
{
    square();
    ui.saveAnswers.push_back((dir / "missing" / "p.gml").string());
    EXPECT_THROW(form->BBgmlClick(), Failure);
    EXPECT_EQ(text(form->XMLParcela, "localId"), "1234567AB1234N");
}

TEST_P(ParcelWriterTest, MissingTemplateRefusesBeforeTouchingAnything)
{
    std::filesystem::remove(dir / "BASE_PARCELAS.XML");
    EXPECT_THROW(createForm(), Failure);
    square();
    form->MX[0] = "500000,0";
    form->BBgmlClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Error. No se ha cargado la plantilla BASE_PARCELAS.XML, por lo que no se puede crear el GML."});
    EXPECT_EQ(form->MX[0], "500000,0");
    EXPECT_TRUE(ui.saveDialogs.empty());
}

TEST_P(ParcelWriterTest, TemplateWithoutAnElementToFillWritesNothing)
{
    for (const char* element : {"gml:posList", "cp:CadastralParcel"}) {
        test::stageTemplates(dir.path());
        test::replaceInFile(dir / "BASE_PARCELAS.XML", element, "gml:otro");
        createForm();
        square();
        ui.messages.clear();
        ui.saveDialogs.clear();
        EXPECT_THROW(
            {
                try {
                    write();
                } catch (const Failure& f) {
                    EXPECT_EQ(std::string(f.what()),
                              std::string("Error. La plantilla BASE_PARCELAS.XML no contiene el elemento ") + element + ".");
                    throw;
                }
            },
            Failure);
        EXPECT_TRUE(ui.saveDialogs.empty()) << element;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.gml")) << element;
        EXPECT_EQ(form->MX.size(), 4u) << "the ring is not closed: nothing was done";
    }
}

TEST_P(ParcelWriterTest, TemplateLookupsStartAfreshAndTakeTheFirstMatch)
{
    // The point before the surface, a prefixed identifier, two rings.
    writeFile(dir / "BASE_PARCELAS.XML", R"(<?xml version="1.0" encoding="utf-8"?>
<c xmlns:gml="g" xmlns:cp="c" xmlns:base="b">
<gml:Point gml:id="p"><gml:pos>0 0</gml:pos></gml:Point>
<cp:CadastralParcel><cp:areaValue>0</cp:areaValue>
<gml:MultiSurface><gml:Surface><gml:posList>first</gml:posList><gml:posList>second</gml:posList></gml:Surface></gml:MultiSurface>
<base:localId>keep</base:localId><base:namespace>keep</base:namespace></cp:CadastralParcel></c>)");
    createForm();
    square();
    auto doc = write();
    EXPECT_EQ(attr(doc, "gml:Point", "gml:id"), "ReferencePoint_ES.SDGC.CP.1234567AB1234N");
    EXPECT_EQ(text(doc, "gml:pos"), "500005 4100005");
    EXPECT_EQ(buscaOcurrencia("gml:posList", doc, 2).text().get(), std::string("second"));
    EXPECT_NE(text(doc, "gml:posList"), "first");
    EXPECT_EQ(text(doc, "base:localId"), "keep");
    EXPECT_EQ(text(doc, "base:namespace"), "keep");
}

INSTANTIATE_TEST_SUITE_P(Separators, ParcelWriterTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
