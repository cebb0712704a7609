// The parcel window never drops typed coordinates without asking: "Limpiar"
// of the top box and "Descargar del Catastro" ask when the lists hold what
// was neither just loaded nor just written.

#include "parcel/parcel_fixture.hpp"

namespace vadrel::test {
namespace {

constexpr const char* kPregunta = "¿Desea borrar las coordenadas que hay en las listas?";

using ParcelListsKeptTest = ParcelFormTest;

TEST_P(ParcelListsKeptTest, TheTopClearAsksOnlyForWhatWasNotLoadedOrWritten)
{
    const struct {
        const char* name;
        std::function<void()> before;
        bool asks;
    } cases[] = {
        {"empty lists", [] {}, false},
        {"lines left blank", [this] { form->MX = {"", " "}; }, false},
        {"typed", [this] { square(); }, true},
        {"written with Crear GML", [this] { square(), write(); }, false},
        {"written, then a vertex changed",
         [this] { square(), write(), form->MX[1] = "500011"; }, true},
        {"saved with Guardar",
         [this] {
             square();
             ui.saveAnswers.push_back((dir / "puntos.txt").string());
             form->BBGuardarClick();
         },
         false},
        {"loaded with Cargar GML",
         [this] {
             square(), write("p.gml"), form->BBLimpiarClick();
             ui.openAnswers.push_back((dir / "p.gml").string());
             form->BBCargarXMLClick();
         },
         false},
        {"loaded, then a vertex added",
         [this] {
             square(), write("p.gml"), form->BBLimpiarClick();
             ui.openAnswers.push_back((dir / "p.gml").string());
             form->BBCargarXMLClick();
             form->MX.push_back("500005"), form->MY.push_back("4100015");
         },
         true},
        {"typed, then a load cancelled",
         [this] {
             square();
             ui.openAnswers.push_back(std::nullopt);
             form->BBCargarClick();
         },
         true},
    };
    for (const auto& c : cases)
        for (bool yes : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (yes ? ", Yes" : ", No"));
            createForm();
            c.before();
            ui.questions.clear();
            ui.confirmAnswers = {yes};
            const CoordList mx = form->MX, my = form->MY;
            const std::string ref = form->ERefCatas;
            form->BBLimpiarTodoClick();
            EXPECT_EQ(ui.questions, c.asks ? std::vector<std::string>{kPregunta} : std::vector<std::string>{});
            if (c.asks && !yes) {
                EXPECT_EQ(form->MX, mx);
                EXPECT_EQ(form->MY, my);
                EXPECT_EQ(form->ERefCatas, ref) << "No leaves every field";
            } else {
                EXPECT_TRUE(form->MX.empty() && form->MY.empty() && form->ERefCatas.empty());
            }
        }
}

// No: nothing asked of the cadastre, nothing changed.
TEST_P(ParcelListsKeptTest, DownloadingOverTypedListsAsksFirst)
{
    square();
    form->MX.push_back("500005");
    ui.confirmAnswers = {false};
    const CoordList mx = form->MX;
    form->BBDescargarClick();
    EXPECT_EQ(ui.questions, std::vector<std::string>{kPregunta});
    EXPECT_EQ(form->MX, mx);
    EXPECT_TRUE(ui.progressSteps.empty());
    EXPECT_TRUE(ui.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Separators, ParcelListsKeptTest, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "dot" : "comma"; });

}  // namespace
}  // namespace vadrel::test
