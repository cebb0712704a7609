#include "io/list_parse.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "core/arcs.hpp"

#include "core/text_file.hpp"
#include "io/list_form.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

std::vector<std::pair<std::string, std::string>> puntos(const std::vector<std::string>& lines)
{
    CoordList MX, MY;
    leeList(lines, MX, MY);
    EXPECT_EQ(MX.size(), MY.size());
    std::vector<std::pair<std::string, std::string>> out;
    for (std::size_t i = 0; i < MX.size() && i < MY.size(); ++i) out.emplace_back(MX[i], MY[i]);
    return out;
}

using Puntos = std::vector<std::pair<std::string, std::string>>;

}  // namespace

TEST(LeeList, VertexLinesAsAutoCadPrintsThem)
{
    const struct {
        const char* what;
        std::vector<std::string> lines;
        Puntos expected;
    } cases[] = {
        {"plain", {"at point X=100.25 Y=200.5 Z=0.0"}, {{"100.25", "200.5"}}},
        {"right-aligned short values", {"          at point  X= 107.1441  Y=  -14.3033  Z=   0.0000"},
         {{"107.1441", "-14.3033"}}},
        {"UTM values", {"          at point  X=500123.4567  Y=4100234.5678  Z=   0.0000"},
         {{"500123.4567", "4100234.5678"}}},
        {"Y at the end of the line", {"X=12 Y=34"}, {{"12", "34"}}},
        {"a line with Y only adds nothing", {"X=12 Y=34", "Y=56"}, {{"12", "34"}}},
        {"lower-case x is no marker", {"at point x=1 y=2"}, {}},
        {"a blank before = is no marker", {"Delta X =   0.0000, Delta Y = -150.0000"}, {}},
        {"X without Y gives an empty Y", {"X=7.5"}, {{"7.5", ""}}},
        {"a tab does not end a value", {"X=1\t2 Y=3"}, {{"1\t2", "3"}}},
        {"the centre of an arc is no vertex",
         {"             bulge   -0.4142", "            center  X= 259.9471  Y=  84.1850  Z=   0.0000",
          "            Centro  X= 1.0  Y= 2.0", "            centro  X= 1.0  Y= 2.0",
          "            центр  X= 1.0  Y= 2.0", "          at point  X= 259.9471  Y= 108.1850  Z=   0.0000"},
         {{"259.9471", "108.1850"}}},
        {"prompts and headers give nothing",
         {"Press ENTER to continue:", "                  LWPOLYLINE  Layer: \"0\"", "              area   6217.9710", ""},
         {}},
        {"a line's end points are no vertices",
         {"              from point, X= 159.9471  Y= 160.1850  Z=   0.0000",
          "                to point, X= 159.9471  Y=  10.1850  Z=   0.0000", "at point  X=1 Y=2"},
         {{"1", "2"}}},
        {"other entities' named points are no vertices",
         {"                 Origin    X=   0.0000  Y=   0.0000  Z=   0.0000",
          "             start point, X=   3.9829  Y=   3.9197  Z=   0.0000",
          "Location:        X=   2.4296  Y=   2.1523  Z=   0.0000",
          "Normal:          X=   0.0000  Y=   0.0000  Z=   1.0000", "   origen   X=1 Y=1", "   origine  X=1 Y=1",
          "   centre  X=1 Y=1", "   Centro  X=1 Y=1", "   ЦЕНТР  X=1 Y=1", "  1  X=1 Y=1", "  punto 1: X=1 Y=1"},
         {}},
        {"a phrase of letters in any language is a vertex",
         {"          al punto  X=3570.8396  Y=1404.3062  Z=   0.0000", "   в точке  X=1 Y=2", "  en punto\tX=3 Y=4",
          "X=5 Y=6"},
         {{"3570.8396", "1404.3062"}, {"1", "2"}, {"3", "4"}, {"5", "6"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(puntos(c.lines), c.expected) << c.what;
}

TEST(LeeList, RealListingsGiveEveryPolylineInOrder)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample listings are not here";
    const auto dir = shared / "samples" / "list";
    for (const char* name :
         {"en_rena0157_AutoCADLI_test", "en_rena0157_AutoList_GenericListText", "it_italian_localized_lwpolylines"}) {
        const Puntos got = puntos(readTextLines(dir / (std::string(name) + ".txt")));
        // Each polyline of the reference reading is a run of the points
        // taken, the runs in order; other entities' points may lie between.
        std::vector<Puntos> polilineas;
        for (const auto& line : readTextLines(dir / (std::string(name) + ".vertices.txt"))) {
            if (line.rfind("#", 0) == 0) {
                polilineas.emplace_back();
                continue;
            }
            std::istringstream in(line);
            std::string x, y;
            if (in >> x >> y) polilineas.back().emplace_back(x, y);
        }
        ASSERT_FALSE(polilineas.empty()) << name;
        // The polylines one after the other and nothing else: the lines,
        // hatches and texts between them give no vertex.
        Puntos todas;
        for (const Puntos& p : polilineas) todas.insert(todas.end(), p.begin(), p.end());
        EXPECT_EQ(got, todas) << name;
        CoordList MX, MY;
        EXPECT_EQ(leeList(readTextLines(dir / (std::string(name) + ".txt")), MX, MY), polilineas.size()) << name;
    }
}

TEST(LeeList, CountsPolylinesByHeadersOrBlankSeparatedRuns)
{
    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::size_t polylines;
    } cases[] = {
        {"one run", {"at point X=1 Y=2", "at point X=3 Y=4"}, 1},
        {"prompts inside a run", {"at point X=1 Y=2", "Press ENTER to continue:", "at point X=3 Y=4"}, 1},
        {"a blank line before the first vertex", {"", "at point X=1 Y=2", "at point X=3 Y=4"}, 1},
        {"two runs without headers", {"at point X=1 Y=2", "", "at point X=3 Y=4"}, 2},
        {"a blank line made of blanks", {"at point X=1 Y=2", "   \t", "at point X=3 Y=4"}, 2},
        {"two headers, no blank between",
         {"  LWPOLYLINE  Layer: \"0\"", "at point X=1 Y=2", "  LWPOLYLINE  Layer: \"0\"", "at point X=3 Y=4"}, 2},
        {"an old-style polyline header", {"   POLYLINE  Layer: 0", "at point X=1 Y=2"}, 1},
        {"a line between polylines is not one",
         {"  LWPOLYLINE  Layer: 0", "at point X=1 Y=2", "  LINE  Layer: 0", "from point, X=5 Y=5"}, 1},
        {"nothing", {"Select objects:"}, 0},
    };
    for (const auto& c : cases) {
        CoordList MX, MY;
        EXPECT_EQ(leeList(c.lines, MX, MY), c.polylines) << c.what;
    }
}

TEST(ImportaList, SeveralPolylinesAreJoinedAndTold)
{
    const struct {
        std::vector<std::string> pasted;
        std::size_t vertices;
        std::vector<std::string> messages;
    } cases[] = {
        {{"at point X=1 Y=2", "at point X=3 Y=4"}, 2, {}},
        {{"at point X=1 Y=2", "", "at point X=3 Y=4", "", "at point X=5 Y=6"}, 3,
         {"El texto contiene 3 polilíneas; se han unido en una sola lista de coordenadas."}},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        TFList lista(ui, nullptr);
        ui.onShowModal = [&](Form& f) {
            static_cast<TFList&>(f).Memo1 = c.pasted;
            return ModalResult::Ok;
        };
        CoordList MX, MY;
        importaList(ui, lista, MX, MY);
        EXPECT_EQ(ui.messages, c.messages);
        EXPECT_EQ(MX.size(), c.vertices);
    }
}

TEST(ImportaList, ThePasteDialogThenTheQuestionThenTheListsReplaced)
{
    const struct {
        const char* what;
        CoordList mx, my;
        ModalResult result;
        std::optional<bool> answer;  // the overwrite question, when asked
        CoordList expectedX;
    } cases[] = {
        {"empty lists: no question", {}, {}, ModalResult::Ok, std::nullopt, {"1", "3"}},
        {"only Y holds lines: asked, Yes", {}, {""}, ModalResult::Ok, true, {"1", "3"}},
        {"asked, No: unchanged", {"9"}, {"9"}, ModalResult::Ok, false, {"9"}},
        {"cancelled: unchanged, not asked", {"9"}, {"9"}, ModalResult::Cancel, std::nullopt, {"9"}},
    };
    for (const auto& c : cases) {
        ScriptedUi ui;
        TFList lista(ui, nullptr);
        lista.Memo1 = {"pasted before"};
        std::vector<std::string> shown;
        ui.onShowModal = [&](Form& f) {
            shown = static_cast<TFList&>(f).Memo1;
            static_cast<TFList&>(f).Memo1 = {"at point X=1 Y=2", "at point X=3 Y=4"};
            return c.result;
        };
        if (c.answer) ui.confirmAnswers.push_back(*c.answer);
        CoordList MX = c.mx, MY = c.my;
        importaList(ui, lista, MX, MY);
        EXPECT_TRUE(shown.empty()) << c.what << ": the box opens empty";
        EXPECT_EQ(ui.questions.size(), c.answer ? 1u : 0u) << c.what;
        EXPECT_EQ(MX, c.expectedX) << c.what;
        EXPECT_EQ(MY.size(), MX.size()) << c.what;
    }
}

TEST(LeeList, BulgeBlocksBecomeChordsOfTheirOwnPolyline)
{
    // A closed 20 x 10 rectangle: a half circle on its east side and on its
    // closing side, printed as AutoCAD prints them.
    const std::vector<std::string> rectangulo{
        "                  LWPOLYLINE  Layer: \"0\"",
        "              Closed",
        "          at point  X=500000.0000  Y=4100000.0000  Z=   0.0000",
        "          at point  X=500020.0000  Y=4100000.0000  Z=   0.0000",
        "             bulge   1.0000",
        "            center  X=500020.0000  Y=4100005.0000  Z=   0.0000",
        "            radius   5.0000",
        "       start angle       270",
        "         end angle        90",
        "          at point  X=500020.0000  Y=4100010.0000  Z=   0.0000",
        "          at point  X=500000.0000  Y=4100010.0000  Z=   0.0000",
        "             bulge   1.0000",
        "            center  X=500000.0000  Y=4100005.0000  Z=   0.0000",
    };
    const std::size_t medio = arcos::tramosDelArco({0, 0}, {0, 10}, 1, 0.05);
    const struct {
        const char* what;
        std::vector<std::string> lines;
        double flecha;
        std::size_t vertices, arcos;
    } cases[] = {
        {"closed: both arcs", rectangulo, 0.05, 4 + 2 * (medio - 1), 2},
        {"flecha 0: the vertices as printed", rectangulo, 0, 4, 0},
        {"open: the last vertex's bulge joins nothing",
         [&] {
             auto l = rectangulo;
             l[1] = "              Open";
             return l;
         }(),
         0.05, 4 + medio - 1, 1},
        {"another polyline after it takes no arc from it",
         [&] {
             auto l = rectangulo;
             l[1] = "              Open";
             l.push_back("                  LWPOLYLINE  Layer: \"0\"");
             l.push_back("          at point  X=500100.0000  Y=4100000.0000  Z=   0.0000");
             return l;
         }(),
         0.05, 5 + medio - 1, 1},
        // A pasted listing split by a blank line is still one outline in the
        // lists: the closing bulge stays on the closing side.
        {"split by a blank line: both arcs",
         [&] {
             auto l = rectangulo;
             l.insert(l.begin() + 9, "");
             return l;
         }(),
         0.05, 4 + 2 * (medio - 1), 2},
        {"a bulge written with a decimal comma",
         [&] {
             auto l = rectangulo;
             l[4] = "             bulge   1,0000";
             return l;
         }(),
         0.05, 4 + 2 * (medio - 1), 2},
    };
    for (const auto& c : cases) {
        CoordList MX, MY;
        ResumenArcos r;
        leeList(c.lines, MX, MY, c.flecha, &r);
        EXPECT_EQ(MX.size(), c.vertices) << c.what;
        EXPECT_EQ(MY.size(), c.vertices) << c.what;
        EXPECT_EQ(r.arcos, c.arcos) << c.what;
        // The centres are never vertices.
        for (std::size_t i = 0; i < MX.size(); ++i)
            EXPECT_FALSE(MY[i] == "4100005.0000" && (MX[i] == "500020.0000" || MX[i] == "500000.0000")) << c.what;
        // Every vertex of the listing still there, in order.
        EXPECT_EQ(MX.front(), "500000.0000") << c.what;
    }
    // Two half circles of radius 5 outwards: the area grows by a full disc.
    CoordList MX, MY;
    ResumenArcos r;
    leeList(rectangulo, MX, MY, 0.05, &r);
    EXPECT_NEAR(r.cambioSuperficie, std::numbers::pi * 25, 2 * std::numbers::pi * 5 * 0.05);
    EXPECT_EQ(MX[1 + medio], "500020.0000");  // the east arc ends at its vertex
    EXPECT_EQ(MY[1 + medio], "4100010.0000");
    // Appended after other points, which belong to no polyline of the text.
    CoordList x{"7"}, y{"7"};
    leeList(rectangulo, x, y, 0.05, &r);
    EXPECT_EQ(x.size(), 1 + MX.size());
    EXPECT_EQ(r.arcos, 2u);
}

TEST(LeeList, TheRealListingsArc)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample listings are not here";
    const auto lines = readTextLines(shared / "samples" / "list" / "en_rena0157_AutoCADLI_test.txt");
    // Its first polyline turns by a quarter circle of radius 24 (bulge
    // −0.4142, printed to 4 decimals) from (235.9471, 84.1850) to
    // (259.9471, 108.1850), about its centre (259.9471, 84.1850).
    CoordList MX, MY;
    ResumenArcos r;
    leeList(lines, MX, MY, 0.05, &r);
    EXPECT_EQ(r.arcos, 1u);
    EXPECT_EQ(MX[1], "235.9471");
    ASSERT_EQ(MX[1 + r.tramos], "259.9471");
    for (std::size_t i = 2; i < 1 + r.tramos; ++i) {
        const double dx = std::stod(MX[i]) - 259.9471, dy = std::stod(MY[i]) - 84.1850;
        EXPECT_NEAR(std::hypot(dx, dy), 24, 0.01) << i;
        EXPECT_LT(dx, 0);
        EXPECT_GT(dy, 0);
    }
    CoordList sinArcos, y;
    leeList(lines, sinArcos, y);
    EXPECT_EQ(MX.size(), sinArcos.size() + r.tramos - 1);
}
