// The three previews, over a canvas that records what is drawn.

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "parcel/parcel_form.hpp"
#include "preview/preview_forms.hpp"
#include "preview/rings.hpp"
#include "preview/scaling.hpp"
#include "shell/aplicacion.hpp"
#include "support/app_fixture.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

class RecordingCanvas : public Canvas {
public:
    std::vector<std::string> calls;
    void clear() override { calls.clear(); }
    void penWidth(int w) override { calls.push_back("width " + std::to_string(w)); }
    void penColor(std::uint32_t c) override { calls.push_back("color " + std::to_string(c)); }
    void moveTo(int x, int y) override { calls.push_back(at("move", x, y)); }
    void lineTo(int x, int y) override { calls.push_back(at("line", x, y)); }
    void textOut(int x, int y, const std::string& t) override { calls.push_back(at("text", x, y) + " " + t); }
    void fontFace(const std::string& f) override { calls.push_back("font " + f); }

    std::vector<std::string> only(const std::string& kind) const
    {
        std::vector<std::string> out;
        for (const auto& c : calls)
            if (c.rfind(kind, 0) == 0) out.push_back(c);
        return out;
    }

private:
    static std::string at(const char* what, int x, int y)
    {
        return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y);
    }
};

const char* const kCerrado = "Se ha cerrado el polígono añadiendo la primera coordenada.";

class PreviewTest : public ProgramaTest {
protected:
    RecordingCanvas canvas;
    TFParcelgen* parcela = nullptr;
    TFVPrev* vista = nullptr;

    void SetUp() override
    {
        ProgramaTest::SetUp();
        parcela = app->FParcelgen.get();
        vista = app->FVPrev.get();
        vista->IDibujo = &canvas;
        app->FVPrevMulti->IDibujo = &canvas;
        app->FVPrevTotal->IDibujo = &canvas;
    }
};

}  // namespace

TEST(RedondeaPar, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, int> table[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {87.5, 88}, {0.5, 0}, {1.5, 2},
                                            {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {1e300, 2147483647}};
    for (auto [v, n] : table) EXPECT_EQ(redondeaPar(v), n) << v;
}

TEST(ColorAnillo, LowByteRedWrappingWithin24Bits)
{
    EXPECT_EQ(colorAnillo(1), 0x0088AAu);  // red 170, green 136, blue 0
    EXPECT_EQ(colorAnillo(2), 0x011154u);  // red 84, green 17, blue 1
    EXPECT_EQ(colorAnillo(3), 0x0199FEu);  // red 254, green 153, blue 1
    EXPECT_EQ(colorAnillo(4), 0x0222A8u);  // red 168, green 34, blue 2
    EXPECT_LE(colorAnillo(480), 0xFFFFFFu);
    EXPECT_EQ(colorAnillo(480), (480u * 34986u) & 0xFFFFFFu);
}

TEST_F(PreviewTest, SquareFillsThePictureAndTheRingIsClosedInTheLists)
{
    parcela->MX = {"100", "110", "110", "100"};
    parcela->MY = {"200", "200", "210", "210"};
    parcela->ERefCatas = "ABC";
    parcela->ESup = "100";
    parcela->BBVistaClick();
    EXPECT_EQ(ui.shownModal, std::vector<std::string>{"FVPrev"});
    EXPECT_EQ(ui.messages, std::vector<std::string>{kCerrado});
    EXPECT_EQ(parcela->MX.size(), 5u);
    EXPECT_EQ(canvas.only("move"), std::vector<std::string>{"move 20,370"});
    EXPECT_EQ(canvas.only("line"),
              (std::vector<std::string>{"line 370,370", "line 370,20", "line 20,20", "line 20,370"}));
    EXPECT_EQ(vista->ECentroX + "," + vista->ECentroY, "195,195");
    ASSERT_EQ(vista->SGAux.size(), 5u);
    EXPECT_EQ(vista->SGAux[1], (TFVPrev::Fila{2, 370, 370}));
    EXPECT_EQ(vista->FormuOrigen, "parcela");
    EXPECT_EQ(vista->ESup, "100 m2");

    // Labels: numbers 1 to 4, the reference above the anchor, the area below.
    vista->CBPuntos = true;
    vista->CBPuntosClick();
    EXPECT_EQ(canvas.only("text"), (std::vector<std::string>{"text 22,372 1", "text 372,372 2", "text 372,22 3",
                                                              "text 22,22 4"}));
    vista->CBRef = true;
    vista->CBRefClick();
    EXPECT_EQ(canvas.calls.back(), "text 183,185 ABC") << "3 characters: N(1.5) = 2, 12 pixels left";
    vista->CBSup = true;
    vista->CBSupClick();
    EXPECT_EQ(canvas.calls.back(), "text 177,205 100 m2");

    // Turning numbers off draws again from the parcel window, then the other labels.
    ui.messages.clear();
    vista->CBPuntos = false;
    vista->CBPuntosClick();
    EXPECT_TRUE(ui.messages.empty()) << "the lists are closed now: no second message";
    EXPECT_EQ(canvas.only("text"), (std::vector<std::string>{"text 183,185 ABC", "text 177,205 100 m2"}));
}

TEST_F(PreviewTest, WideRingAndItsAnchor)
{
    parcela->MX = {"0", "100", "100", "0", "0"};
    parcela->MY = {"0", "0", "50", "50", "0"};
    parcela->DibujaGML();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(canvas.only("move"), std::vector<std::string>{"move 20,283"});
    EXPECT_EQ(canvas.only("line")[1], "line 370,108");
    EXPECT_EQ(vista->ECentroX + "," + vista->ECentroY, "195,196");
}

TEST_F(PreviewTest, ClosingIsByTextAndLabelsStartLeftByHalfTheirLength)
{
    parcela->MX = {"100.0", "110", "110", "100"};
    parcela->MY = {"200", "200", "210", "200"};
    parcela->DibujaGML();
    EXPECT_EQ(ui.messages, std::vector<std::string>{kCerrado}) << "100.0 and 100 differ as texts";

    for (auto [ref, x] : {std::pair{"R", 195}, std::pair{"RR", 189}, std::pair{"RRRR", 183}}) {
        vista->ERef = ref;
        vista->CBRef = true;
        vista->CBRefClick();
        EXPECT_EQ(canvas.calls.back(), "text " + std::to_string(x) + ",185 " + ref);
    }
}

TEST_F(PreviewTest, NoExtentGivesABlankPictureAndABadLineChangesNothing)
{
    for (CoordList x : {CoordList{}, CoordList{"5"}, CoordList{"5", "5", "5"}}) {
        parcela->MX = x;
        parcela->MY = CoordList(x.size(), "7");
        parcela->DibujaGML();
        EXPECT_TRUE(canvas.only("line").empty());
        EXPECT_TRUE(vista->SGAux.empty());
    }
    parcela->MX = {"1", "2", "abc"};
    parcela->MY = {"1", "2", "3"};
    EXPECT_THROW(parcela->DibujaGML(), Failure);
    EXPECT_EQ(parcela->MX.size(), 3u);

    vista->FormuOrigen = "";
    vista->CBRef = false;
    vista->CBRefClick();
    EXPECT_EQ(ui.messages.back(), "Error. No se reconoce formulario de origen.");
}

TEST_F(PreviewTest, UnequalListsDrawLineIOfEachList)
{
    // The added lines do not pair up: vertex 2 is (100, 10), vertex 3 (0, missing).
    parcela->MX = {"0", "100", "100"};
    parcela->MY = {"10", "50"};
    parcela->DibujaGML();
    EXPECT_EQ(canvas.only("move"), std::vector<std::string>{"move 20,248"});
    EXPECT_EQ(canvas.only("line"), (std::vector<std::string>{"line 370,108", "line 370,248", "line 20,283"}));
}

TEST_F(PreviewTest, BuildingPreviewTakesTheNameAndTheArea)
{
    TFGMLEdif& edificio = *app->FGMLEdif;
    edificio.FormShow();
    edificio.MX = {"0", "10", "10", "0"};
    edificio.MY = {"0", "0", "10", "10"};
    edificio.BBVistaClick();
    EXPECT_EQ(vista->FormuOrigen, "edificio");
    EXPECT_EQ(vista->ERef, "Nueva Edificación 1");
    EXPECT_EQ(vista->ESup, "100 m2");
}

TEST_F(PreviewTest, FilesToGroupDrawOneColouredRingPerSurface)
{
    auto file = [](const std::string& members) {
        return "<FeatureCollection xmlns:gml='g' xmlns:cp='c'>" + members + "</FeatureCollection>";
    };
    auto parcel = [](const std::string& wrapper, const std::string& ref, const std::string& area,
                     const std::vector<std::string>& rings) {
        std::string s = "<" + wrapper + "><cp:CadastralParcel><cp:areaValue>" + area + "</cp:areaValue>";
        for (const auto& r : rings)
            s += "<gml:surfaceMember><gml:Surface><gml:posList>" + r + "</gml:posList></gml:Surface></gml:surfaceMember>";
        return s + "<localId>" + ref + "</localId></cp:CadastralParcel></" + wrapper + ">";
    };
    writeFile(dir / "a.gml", file(parcel("member", "A", "1250", {"0 0 100 0 100 100 0 100 0 0"})));
    // Positions on lines of their own, as the cadastre's example allows.
    writeFile(dir / "b.gml",
              file(parcel("gml:featureMember", "B", "7", {"\n 200 0\n 300 0\n 300\t100\n 200 0\n", "0 200 10 200 0 210 0 200"}) +
                   "<member><otra/></member>"));
    parcela->LBDestino = {(dir / "a.gml").string(), (dir / "b.gml").string()};
    parcela->BBVPrevMultiClick();
    EXPECT_EQ(ui.shownModal, std::vector<std::string>{"FVPrevMulti"});

    TFVPrevMulti& multi = *app->FVPrevMulti;
    ASSERT_EQ(multi.SGAux.size(), 13u);
    EXPECT_EQ(canvas.only("color"), (std::vector<std::string>{"color 0", "color 34986", "color 69972", "color 104958"}));
    EXPECT_EQ(multi.SGAux[5].anillo, 2) << "the second file's first ring";
    EXPECT_EQ(multi.SGAux[5].ref, "B");
    EXPECT_EQ(multi.SGAux[9].ref, "B") << "a second surface of the same parcel is labelled again";
    EXPECT_EQ(multi.SGAux[9].sup, "7 m2");

    multi.CBPuntos = true;
    multi.CBPuntosClick();
    std::vector<std::string> numbers;
    for (const auto& t : canvas.only("text")) numbers.push_back(t.substr(t.rfind(' ') + 1));
    EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2", "3", "4", "1", "2", "3", "1", "2", "3"}));

    canvas.calls.clear();
    multi.CBSup = true;
    multi.CBSupClick();
    const auto labels = canvas.only("text");
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_NE(labels[0].find(" 1250 m2"), std::string::npos);
    const auto& last = multi.SGAux[4];
    ASSERT_TRUE(last.ancla);
    EXPECT_EQ(labels[0], "text " + std::to_string(last.centroX - 24) + "," + std::to_string(last.centroY + 10) + " 1250 m2");
}

TEST_F(PreviewTest, RingsWithoutVerticesOrLabelsLeaveTheOthersRight)
{
    writeFile(dir / "a.gml",
              "<FeatureCollection xmlns:gml='g' xmlns:cp='c'><member><cp:CadastralParcel><cp:areaValue>5</cp:areaValue>"
              "<gml:surfaceMember><gml:Surface/></gml:surfaceMember>"
              "<gml:surfaceMember><gml:Surface><gml:posList>0 0 100 0 100 100 0 100 0 0</gml:posList></gml:Surface>"
              "</gml:surfaceMember><localId>A</localId></cp:CadastralParcel></member>"
              "<member><cp:CadastralParcel><gml:surfaceMember><gml:Surface><gml:posList>200 0 300 0 300 100 200 0"
              "</gml:posList></gml:Surface></gml:surfaceMember></cp:CadastralParcel></member></FeatureCollection>");
    parcela->LBDestino = {(dir / "a.gml").string()};
    parcela->BBVPrevMultiClick();
    TFVPrevMulti& multi = *app->FVPrevMulti;
    multi.CBPuntos = true;
    multi.CBPuntosClick();
    std::vector<std::string> numbers;
    for (const auto& t : canvas.only("text")) numbers.push_back(t.substr(t.rfind(' ') + 1));
    EXPECT_EQ(numbers, (std::vector<std::string>{"1", "2", "3", "4", "1", "2", "3"}));

    canvas.calls.clear();
    multi.CBRef = true;
    multi.CBRefClick();
    const auto labels = canvas.only("text");
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].substr(labels[0].rfind(' ') + 1), "A");
    EXPECT_EQ(labels[1].back(), ' ') << "the second parcel has no reference of its own: " << labels[1];
}

TEST_F(PreviewTest, AllConstructionsInListOrderWhateverTheirIds)
{
    TFGMLEdif& edificio = *app->FGMLEdif;
    edificio.FormShow();
    edificio.BBVistaTotalClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Debe haber al menos una edificación cargada para poder "
                                                    "mostrarlas."});

    auto anade = [&](CoordList x, CoordList y) {
        edificio.MX = std::move(x);
        edificio.MY = std::move(y);
        edificio.MXExit();
    };
    anade({"0", "10", "10", "0"}, {"0", "0", "10", "0"});
    edificio.SBNuevoClick();
    anade({}, {});  // no coordinates: no ring, no colour
    edificio.SBNuevoClick();
    anade({"20", "30", "30", "20"}, {"0", "0", "10", "0"});
    edificio.SBNuevoClick();
    anade({"40", "50", "50"}, {"0", "0", "10"});
    // The third moved to the top: ids 3, 1, 2, 4 down the list.
    edificio.LBElementosIndex = 2;
    edificio.SBSubirClick();
    edificio.LBElementosIndex = 1;
    edificio.SBSubirClick();
    EXPECT_EQ(edificio.Edificaciones[0].id, 3);
    edificio.MX = {"999"};  // typed, not stored: not drawn

    ui.messages.clear();
    edificio.BBVistaTotalClick();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.shownModal.back(), "FVPrevTotal");
    EXPECT_EQ(canvas.only("color"), (std::vector<std::string>{"color 0", "color 34986", "color 69972", "color 104958"}));
    EXPECT_EQ(canvas.only("move").size(), 3u);
    EXPECT_EQ(app->FVPrevTotal->SGAux.front().id, "3");
    EXPECT_EQ(app->FVPrevTotal->SGAux.size(), 11u);
}
