#include "io/list_parse.hpp"

#include <gtest/gtest.h>

#include <sstream>

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
        {"every entity's points, in order",
         {"              from point, X= 159.9471  Y= 160.1850  Z=   0.0000", "at point  X=1 Y=2"},
         {{"159.9471", "160.1850"}, {"1", "2"}}},
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
        auto from = got.begin();
        for (const Puntos& p : polilineas) {
            auto at = std::search(from, got.end(), p.begin(), p.end());
            ASSERT_NE(at, got.end()) << name << ": a polyline starting at " << p.front().first << " is not a run";
            from = at + static_cast<std::ptrdiff_t>(p.size());
        }
        for (const auto& [x, y] : got) {
            EXPECT_FALSE(x.empty()) << name;
            EXPECT_FALSE(y.empty()) << name;
        }
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
