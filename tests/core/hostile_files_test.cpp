// Files made to hurt, through both windows' readers: each is refused with a
// message that says why, and the window keeps what it held.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/messages.hpp"
#include "io/coord_file.hpp"
#include "io/dxf_scan.hpp"
#include "parcel/parcel_form.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using test::ScriptedUi;
using test::TempDir;

namespace {

struct Hostile {
    const char* name;
    std::string bytes;
    const char* told;  // a piece of the message or failure
};

std::string ring(const char* posList)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gml:FeatureCollection "
                       "xmlns:gml=\"http://www.opengis.net/gml/3.2\"><localId>MALA</localId>"
                       "<gml:Surface><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList>") +
           posList + "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:Surface>"
                     "</gml:FeatureCollection>";
}

std::string binary()
{
    std::string b(4096, '\0');
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<char>((i * 7919 + 13) % 256);
    return b;
}

const Hostile kHostiles[] = {
    {"nested_entities",
     "<?xml version=\"1.0\"?>\n<!DOCTYPE a [\n<!ENTITY l \"lol\">\n<!ENTITY l1 \"&l;&l;&l;&l;&l;&l;&l;&l;\">\n"
     "<!ENTITY l2 \"&l1;&l1;&l1;&l1;&l1;&l1;&l1;&l1;\">\n]>\n<a><localId>&l2;</localId></a>",
     "<!ENTITY"},
    {"external_entity",
     "<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n<a><localId>&x;</localId></a>",
     "<!ENTITY"},
    {"invalid_utf8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>\n<localId>ES\xFF\xFE</localId></a>",
     "UTF-8 (línea 3)"},
    {"binary", binary(), "no es un documento XML válido"},
    {"odd_values", ring("441000 4479000 441010 4479000 441010 4479010 441000"), "número impar de valores"},
};

class HostileFileTest : public ::testing::TestWithParam<Hostile> {
protected:
    TempDir dir;
    ScriptedUi ui;

    std::string file()
    {
        const auto path = dir / (std::string(GetParam().name) + ".gml");
        test::writeFile(path, GetParam().bytes);
        return path.string();
    }

    // What the reader said, by message or by failure.
    template <class Read>
    std::string told(Read read)
    {
        ui.messages.clear();
        try {
            read();
        } catch (const Failure& f) {
            return f.what();
        }
        std::string all;
        for (const auto& m : ui.messages) all += m + "\n";
        return all;
    }
};

TEST_P(HostileFileTest, ParcelWindowTellsWhyAndKeepsItsData)
{
    test::stageTemplates(dir.path());
    TFParcelgen form(ui, Entorno{dir.path(), NumberFormat::batch(), {}});
    form.FormCreate();
    form.ERefCatas = "1234567AB1234N";
    form.ESup = "100";
    form.MX = {"1", "2", "3"};
    form.MY = {"4", "5", "6"};
    ui.openAnswers.push_back(file());
    EXPECT_NE(told([&] { form.BBCargarXMLClick(); }).find(GetParam().told), std::string::npos);
    EXPECT_EQ(form.ERefCatas, "1234567AB1234N");
    EXPECT_EQ(form.ESup, "100");
    EXPECT_EQ(form.MX, (CoordList{"1", "2", "3"}));
    EXPECT_EQ(form.MY, (CoordList{"4", "5", "6"}));
}

TEST_P(HostileFileTest, BuildingWindowTellsWhyAndKeepsItsConstructions)
{
    test::stageTemplates(dir.path());
    TFGMLEdif form(ui, Entorno{dir.path(), NumberFormat::batch(), {}});
    form.FormCreate();
    form.FormShow();
    form.ERefCatas = "1234567AB1234N";
    form.MX = {"1", "2", "3"};
    form.MY = {"4", "5", "6"};
    form.GuardaElem();
    const auto antes = form.Edificaciones;
    ui.confirmAnswers.push_back(true);
    ui.openAnswers.push_back(file());
    EXPECT_NE(told([&] { form.BBCargarXMLClick(); }).find(GetParam().told), std::string::npos);
    EXPECT_EQ(form.ERefCatas, "1234567AB1234N");
    ASSERT_EQ(form.Edificaciones.size(), antes.size());
    EXPECT_EQ(form.Edificaciones[0].coorx, antes[0].coorx);
}

INSTANTIATE_TEST_SUITE_P(Files, HostileFileTest, ::testing::ValuesIn(kHostiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A gigabyte of one line (sparse on disk): refused by its size before
// anything is read, by every reader.
TEST(HostileFiles, AGigabyteOfOneLineIsRefusedBeforeItIsRead)
{
    TempDir dir;
    const auto big = dir / "enorme.gml";
    { std::ofstream(big) << "1;"; }
    std::filesystem::resize_file(big, std::uintmax_t{1} << 30);

    ScriptedUi ui;
    test::stageTemplates(dir.path());
    TFParcelgen form(ui, Entorno{dir.path(), NumberFormat::batch(), {}});
    form.FormCreate();
    form.MX = {"1"};
    form.MY = {"2"};
    ui.openAnswers.push_back(big.string());
    try {
        form.BBCargarXMLClick();
        ADD_FAILURE() << "a gigabyte GML was read";
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find("es demasiado grande (más de 512 MB)"), std::string::npos) << f.what();
    }
    EXPECT_THROW(leerArchivoCoordenadas(big, form.MX, form.MY), Failure);
    ui.openAnswers.push_back(big.string());
    form.SBCargarDXFClick();
    EXPECT_EQ(ui.messages.back(), kDxfNoSeAbre);
    EXPECT_EQ(form.MX, CoordList{"1"});
    EXPECT_EQ(form.MY, CoordList{"2"});
}

}  // namespace
