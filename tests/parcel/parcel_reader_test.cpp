#include <gtest/gtest.h>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "parcel_fixture.hpp"

using namespace vadrel;
using test::ParcelFormTest;
using test::writeFile;

namespace {

const char* const kVariasParcelas = "¡Atención! GML con varias geometrias definidas. Sólo se cargará la primera.";
const char* const kVariasSuperficies = "¡Atención! GML con varias superficies definidas. Sólo se cargará la primera.";

// A parcel GML of the delivery form with the given pieces.
std::string gml(const std::string& body)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<gml:FeatureCollection xmlns:gml="http://www.opengis.net/gml/3.2" xmlns:cp="c" xmlns:base="b">)" +
           body + "</gml:FeatureCollection>";
}

std::string parcel(const std::string& ref, const std::string& ns, const std::string& area, const std::string& srs,
                   const std::string& ring)
{
    return "<gml:featureMember><cp:CadastralParcel><cp:areaValue>" + area +
           "</cp:areaValue><gml:MultiSurface><gml:surfaceMember><gml:Surface " + srs +
           "><gml:posList>" + ring + "</gml:posList></gml:Surface></gml:surfaceMember></gml:MultiSurface>" +
           "<base:localId>" + ref + "</base:localId><base:namespace>" + ns +
           "</base:namespace></cp:CadastralParcel></gml:featureMember>";
}

}  // namespace

class ParcelReaderTest : public ParcelFormTest {
protected:
    void read(const std::string& content, const std::string& name = "in.gml")
    {
        writeFile(dir / name, content);
        ui.openAnswers.push_back((dir / name).string());
        form->BBCargarXMLClick();
    }
};

TEST_P(ParcelReaderTest, WrittenFileReadsBackTheSameParcel)
{
    square();
    form->CBHuso = "29";
    form->ESup = "100,00004";
    write("w.gml");
    form->BBLimpiarTodoClick();
    form->setReferenciaCatastral(false);
    ui.messages.clear();

    ui.openAnswers.push_back((dir / "w.gml").string());
    form->BBCargarXMLClick();
    EXPECT_EQ(ui.openDialogs.at(0).filter, "Archivos GML|*.gml");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form->ERefCatas, "1234567AB1234N");
    EXPECT_TRUE(form->RBRefCatas);
    EXPECT_FALSE(form->RBRefOtra);
    EXPECT_EQ(form->CBHuso, "29");
    EXPECT_EQ(form->ESup, "100.0000");
    EXPECT_EQ(form->MX, (CoordList{"500000", "500010", "500010", "500000", "500000"}));
    EXPECT_EQ(form->MY, (CoordList{"4100000", "4100000", "4100010", "4100010", "4100000"}));
}

TEST_P(ParcelReaderTest, LocalReferenceWrittenHereReadsBackAsLocal)
{
    square("finca_1");
    form->setReferenciaCatastral(false);
    write("w.gml");
    form->setReferenciaCatastral(true);
    ui.openAnswers.push_back((dir / "w.gml").string());
    form->BBCargarXMLClick();
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_EQ(form->ERefCatas, "finca_1");
}

TEST_P(ParcelReaderTest, RingTextIsSplitAtAnyRunOfWhiteSpace)
{
    const struct {
        const char* ring;
        CoordList x, y;
    } cases[] = {
        {"1 2 3 4 5 6", {"1", "3", "5"}, {"2", "4", "6"}},
        {" 1 2 3 4 ", {"1", "3"}, {"2", "4"}},
        {"1  2 3  4", {"1", "3"}, {"2", "4"}},
        {"1\t2 3\n4", {"1", "3"}, {"2", "4"}},
        {"\r\n  1 2\r\n  3 4\r\n", {"1", "3"}, {"2", "4"}},
        {"  1 2 3 4", {"1", "3"}, {"2", "4"}},
    };
    for (const auto& c : cases) {
        read(gml(parcel("R", "ES.SDGC.CP", "1", "srsName=\"x/25830\"", c.ring)));
        EXPECT_EQ(form->MX, c.x) << c.ring;
        EXPECT_EQ(form->MY, c.y) << c.ring;
    }
}

TEST_P(ParcelReaderTest, ACoordinateFileWithBlanksRoundTripsThroughTheGml)
{
    // Blanks around a coordinate file's values reach the GML as they stand;
    // the file must still read back.
    writeFile(dir / "coords.txt", "1; 441620.35 ;4474000\r\n2;441640.35;4474000\r\n3;441640.35; 4474020\r\n");
    ui.openAnswers.push_back((dir / "coords.txt").string());
    form->BBCargarClick();
    form->ERefCatas = "finca";
    form->ESup = "200";
    write("w.gml");
    form->MX.clear();
    form->MY.clear();
    ui.openAnswers.push_back((dir / "w.gml").string());
    form->BBCargarXMLClick();
    EXPECT_EQ(form->MX, (CoordList{"441620.35", "441640.35", "441640.35", "441620.35"}));
    EXPECT_EQ(form->MY, (CoordList{"4474000", "4474000", "4474020", "4474000"}));
}

TEST_P(ParcelReaderTest, OddNumberOfValuesIsRefusedAndChangesNothing)
{
    for (const char* ring : {"1 2 3", "1\n2\n3", "  1\t", "1 2 3 4 5"}) {
        form->ERefCatas = "KEEP";
        form->MX = {"7"};
        form->MY = {"8"};
        try {
            read(gml(parcel("R", "ES.SDGC.CP", "1", "srsName=\"x/25830\"", ring)));
            ADD_FAILURE() << "read: " << ring;
        } catch (const Failure& f) {
            EXPECT_STREQ(f.what(), msg::kPosListImpar);
        }
        EXPECT_EQ(form->ERefCatas, "KEEP") << ring;
        EXPECT_EQ(form->MX, CoordList{"7"}) << ring;
        EXPECT_EQ(form->MY, CoordList{"8"}) << ring;
    }
}

TEST_P(ParcelReaderTest, SeveralParcelsAndSurfacesWarnThenTakeTheFirst)
{
    read(gml(parcel("FIRST", "ES.LOCAL.CP", "10", "srsName=\"EPSG:25829\"", "1 2 3 4 5 6") +
             parcel("SECOND", "ES.SDGC.CP", "20", "srsName=\"EPSG:25831\"", "7 8")));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kVariasParcelas, kVariasSuperficies}));
    EXPECT_EQ(form->ERefCatas, "FIRST");
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_EQ(form->ESup, "10");
    EXPECT_EQ(form->CBHuso, "29");
    EXPECT_EQ(form->MX.size(), 3u);
}

TEST_P(ParcelReaderTest, OnlyTheExactLocalNamespaceMeansAnotherReference)
{
    const std::pair<const char*, bool> table[] = {
        {"ES.LOCAL.CP", true}, {"es.local.cp", false}, {"ES.SDGC.CP", false}, {" ES.LOCAL.CP", false}};
    for (auto [ns, otra] : table) {
        form->setReferenciaCatastral(!otra);  // the opposite of what the file says
        read(gml(parcel("R", ns, "1", "", "1 2")));
        EXPECT_EQ(form->RBRefOtra, otra) << ns;
        EXPECT_EQ(form->RBRefCatas, !otra) << ns;
    }
}

TEST_P(ParcelReaderTest, EmptyElementsGiveEmptyTextsAndTheReadingGoesOn)
{
    form->ERefCatas = "old";
    form->ESup = "old";
    form->CBHuso = "31";
    read(gml("<cp:CadastralParcel><cp:areaValue/><gml:Surface><gml:posList/></gml:Surface>"
             "<base:localId></base:localId><base:namespace/></cp:CadastralParcel>"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form->ERefCatas, "");
    EXPECT_EQ(form->ESup, "");
    EXPECT_EQ(form->CBHuso, "31");
    EXPECT_TRUE(form->RBRefCatas);
    EXPECT_TRUE(form->MX.empty());
    EXPECT_TRUE(form->MY.empty());
}

TEST_P(ParcelReaderTest, MissingElementsLeaveTheirFields)
{
    form->ERefCatas = "keep";
    form->ESup = "5";
    form->setReferenciaCatastral(false);
    form->MX = {"9"};
    read(gml("<gml:featureMember><cp:CadastralParcel/></gml:featureMember>"));
    EXPECT_EQ(form->ERefCatas, "keep");
    EXPECT_EQ(form->ESup, "5");
    EXPECT_EQ(form->CBHuso, "30");
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_TRUE(form->MX.empty());
}

TEST_P(ParcelReaderTest, UnprefixedIdentifierIsTheFallback)
{
    read("<r><cp:CadastralParcel/><localId>L</localId><namespace>ES.LOCAL.CP</namespace></r>");
    EXPECT_EQ(form->ERefCatas, "L");
    EXPECT_TRUE(form->RBRefOtra);
    read("<r xmlns:base='b'><cp:CadastralParcel/><localId>L</localId><base:localId>B</base:localId></r>");
    EXPECT_EQ(form->ERefCatas, "B");
}

TEST_P(ParcelReaderTest, CancelChangesNothing)
{
    form->MX = {"1"};
    ui.openAnswers.push_back(std::nullopt);
    form->BBCargarXMLClick();
    EXPECT_EQ(form->MX, CoordList{"1"});
}

TEST_P(ParcelReaderTest, MalformedFileChangesNothing)
{
    form->ERefCatas = "keep";
    form->MX = {"1"};
    form->MY = {"2"};
    EXPECT_THROW(read("<gml:FeatureCollection><oops></gml:FeatureCollection>"), Failure);
    EXPECT_EQ(form->MX, CoordList{"1"});
    EXPECT_EQ(form->MY, CoordList{"2"});
    EXPECT_EQ(form->ERefCatas, "keep");
}

TEST_P(ParcelReaderTest, CadastreFilesReadCorrectly)
{
    auto shared = test::sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the cadastre's sample files are not here";
    auto readSample = [&](const char* rel) {
        ui.messages.clear();
        ui.openAnswers.push_back((shared / "samples/gml" / rel).string());
        form->BBCargarXMLClick();
    };

    readSample("official/cp_ejemplo_explicativo.gml");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form->ERefCatas, "1A");
    EXPECT_TRUE(form->RBRefOtra);
    EXPECT_EQ(form->ESup, "236");
    EXPECT_EQ(form->CBHuso, "30");
    EXPECT_EQ(form->MX.size(), 9u);
    EXPECT_EQ(form->MX.front(), "269218.83");
    EXPECT_EQ(form->MY.back(), "4805295.18");

    readSample("parcel/wfs-cp-bbox-29-parcels.gml");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{kVariasParcelas, kVariasSuperficies}));
    EXPECT_EQ(form->ERefCatas, "2041508TP7124S");
    EXPECT_TRUE(form->RBRefCatas);
    EXPECT_EQ(form->ESup, "970");
    EXPECT_EQ(form->MX, (CoordList{"271863.9", "271857.19", "271902.87", "271909.59", "271863.9"}));

    readSample("parcel/wfs-cp-getparcel-8429105VK1882N.gml");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form->ERefCatas, "8429105VK1882N");
    EXPECT_EQ(form->ESup, "572");
    EXPECT_EQ(form->MX.size(), 24u);
    EXPECT_EQ(form->MX.front(), form->MX.back());

    // The area computed from the ring read agrees with the cadastre's 572 m2
    // (572.17195 exactly, from its own coordinates).
    form->BBCalcularClick();
    EXPECT_EQ(form->ESup, GetParam() == ',' ? "572,1719" : "572.1719");

    // A building file is no parcel: told, and the window keeps its parcel.
    const CoordList antes = form->MX;
    for (const char* edificio : {"building/sede-Building_9620123VK0192B.gml", "building/atom-38023-building-zone28.gml"}) {
        try {
            readSample(edificio);
            ADD_FAILURE() << edificio << " read as a parcel";
        } catch (const Failure& f) {
            EXPECT_STREQ(f.what(), "Error. El archivo no contiene ninguna parcela. Ábralo en la ventana de edificios.");
        }
        EXPECT_TRUE(ui.messages.empty()) << edificio;
        EXPECT_EQ(form->MX, antes) << edificio;
        EXPECT_EQ(form->ERefCatas, "8429105VK1882N") << edificio;
    }
}

INSTANTIATE_TEST_SUITE_P(Separators, ParcelReaderTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });
