// "Desplazamiento" of the parcel window through its Qt-free form: pairs
// proposed from the last comparison, computed, applied to the lists only
// on Yes; the pairs' file; the refusals; and the registered area reaching
// the comparison's lines and the report's block.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "compare/area_tolerance.hpp"
#include "compare/compare_forms.hpp"
#include "core/failure.hpp"
#include "georef/proposed_pairs.hpp"
#include "georef/shift_text.hpp"
#include "parcel/parcel_form.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {
namespace {

// 0.6 m and 0.02° about a point off the parcel: the survey's parcel is the
// cadastre's moved by this.
const georef::Similarity kSurvey{{271800, 4814000}, {271800.45, 4813999.6}, 0.02 * std::numbers::pi / 180, 1};

class ShiftFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        stageTemplates(dir.path());
        form.emplace(ui, Entorno{dir.path(), NumberFormat::withDecimal('.'), {}});
        form->FormCreate();
    }

    // 2041508TP7124S of the sample block as a survey moved by kSurvey finds
    // it, in the lists; its cadastral vertices in `original`.
    void surveyedParcel()
    {
        if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastral block";
        block = (sharedDir() / "samples/gml/parcel/wfs-cp-bbox-29-parcels.gml").string();
        std::vector<compare::Shape> parcel;
        for (const compare::Shape& s : compare::readShapes(block, compare::Kind::Parcels))
            if (s.name == "2041508TP7124S") parcel.push_back(s);
        ASSERT_EQ(parcel.size(), 1u);
        original = georef::verticesOf(parcel);
        for (const Punto& p : georef::moved(kSurvey, original)) {
            form->MX.push_back(georef::fixed(p.x, 3));
            form->MY.push_back(georef::fixed(p.y, 3));
        }
        form->ERefCatas = "2041508TP7124S";
    }

    void compara()
    {
        ui.confirmAnswers.push_back(false);  // a file, not the service
        ui.openManyAnswers.push_back({block});
        form->BBCompararClick();
    }

    // What the person does in the dialog, done now.
    void enDialogo(const std::function<void(TFDesplazamiento&)>& acciones)
    {
        ui.onShiftDialog = acciones;
        form->BBDesplazamientoClick();
        ui.onShiftDialog = nullptr;
    }

    TempDir dir;
    ScriptedUi ui;
    std::optional<TFParcelgen> form;
    std::string block;
    std::vector<Punto> original;
};

TEST_F(ShiftFormTest, ProposedComputedAndAppliedTheListsLieOnTheMap)
{
    surveyedParcel();
    compara();
    enDialogo([&](TFDesplazamiento& d) {
        d.BBProponerClick();
        ASSERT_EQ(d.SGPares.size(), original.size()) << "every vertex within 5 m of its cadastral one";
        d.BBCalcularClick();
        ASSERT_FALSE(d.MResultado.empty());
        EXPECT_EQ(d.MResultado[0], "puntos comunes: " + std::to_string(original.size()));
        // The survey's turn undone, to what millimetres tell on a 60 m parcel.
        ASSERT_TRUE(d.MResultado[4].starts_with("giro: -0.0")) << d.MResultado[4];
        EXPECT_NEAR(std::stod(d.MResultado[4].substr(6)), -0.02, 0.0005) << d.MResultado[4];
        // The survey's coordinates were rounded to the millimetre.
        for (const FilaPar& f : d.SGPares) EXPECT_LE(std::stod(f.residuo), 0.001) << f.n;
        ui.confirmAnswers = {true};
        d.BBAplicarClick();
        EXPECT_EQ(d.MResultado.back(), kAplicado);
    });
    EXPECT_EQ(ui.shownModal, std::vector<std::string>{"FDesplazamiento"});
    EXPECT_EQ(ui.questions.back(), kPreguntaAplicar);
    ASSERT_EQ(form->MX.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const double error = std::hypot(std::stod(form->MX[i]) - original[i].x, std::stod(form->MY[i]) - original[i].y);
        EXPECT_LT(error, 0.01) << "vertex " << i + 1;
    }
    ASSERT_TRUE(form->FDesplazamiento.paraInforme());
    EXPECT_TRUE(form->FDesplazamiento.paraInforme()->aplicado);
    const std::vector<std::string> aplicadas = form->FDesplazamiento.paraInforme()->lineas;
    // The table's measured points went with the lists: computed again they
    // give no shift, applied again they move nothing; the report keeps the
    // shift applied.
    compara();
    enDialogo([&](TFDesplazamiento& d) {
        d.BBCalcularClick();
        ASSERT_GE(d.MResultado.size(), 4u);
        EXPECT_TRUE(d.MResultado[3].starts_with("desplazamiento: 0.000 m")) << d.MResultado[3];
        const CoordList antes = form->MX;
        ui.questions.clear();
        d.BBAplicarClick();
        EXPECT_EQ(d.MResultado.back(), kNadaQueAplicar);
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(form->MX, antes);
    });
    EXPECT_EQ(form->FDesplazamiento.paraInforme()->lineas, aplicadas);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.back();
}

// Only "Sí" moves the lists; "No" leaves them, and the fit, as they were.
TEST_F(ShiftFormTest, TheQuestionDecidesWhetherTheListsMove)
{
    struct Caso {
        bool si;
        bool mueve;
    } casos[] = {{false, false}, {true, true}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.si ? "Sí" : "No");
        form->MX = {"100", "110", "110", "", "100"};
        form->MY = {"200", "200", "210", "", "210"};
        const CoordList x = form->MX, y = form->MY;
        ui.confirmAnswers = {c.si};
        enDialogo([&](TFDesplazamiento& d) {
            // A pure shift of (+1, -2): the lists' vertices and a point off them.
            d.SGPares = {{"1", "100", "200", "101", "198", ""},
                         {"2", "110,0", "200", "111", "198", ""},
                         {"3", "110", "210", "111", "208", ""},
                         {"A", "90", "190", "91", "188", ""}};
            d.BBAplicarClick();
        });
        if (c.mueve) {
            EXPECT_EQ(form->MX, (CoordList{"101.000", "111.000", "111.000", "101.000"}));
            EXPECT_EQ(form->MY, (CoordList{"198.000", "198.000", "208.000", "208.000"}));
        } else {
            EXPECT_EQ(form->MX, x);
            EXPECT_EQ(form->MY, y);
        }
        ASSERT_TRUE(form->FDesplazamiento.paraInforme());
        EXPECT_EQ(form->FDesplazamiento.paraInforme()->aplicado, c.mueve);
    }
}

// What the table cannot give is told in the results, and "Aplicar" then
// asks nothing and moves nothing.
TEST_F(ShiftFormTest, RefusalsAreShownAndNothingMoves)
{
    struct Caso {
        const char* nombre;
        std::vector<FilaPar> filas;
        std::string resultado;
    } casos[] = {
        {"none", {}, georef::kTooFewPairs},
        {"two and an empty row",
         {{"1", "0", "0", "1", "1", ""}, {"", "", "", "", "", ""}, {"2", "10", "0", "11", "1", ""}},
         georef::kTooFewPairs},
        {"three on a line",
         {{"1", "0", "0", "1", "1", ""}, {"2", "10", "0", "11", "1", ""}, {"3", "20", "0", "21", "1", ""}},
         georef::kAlignedPairs},
        {"no number",
         {{"1", "0", "0", "1", "1", ""}, {"2", "10", "abc", "11", "1", ""}, {"3", "0", "10", "1", "11", ""}},
         "Error. La fila 2 de los puntos comunes no tiene sus cuatro coordenadas: \"abc\" no es un número."},
        {"a cell missing",
         {{"1", "0", "0", "1", "1", ""}, {"2", "10", "0", "11", "1", ""}, {"3", "0", "10", "", "11", ""}},
         "Error. La fila 3 de los puntos comunes no tiene sus cuatro coordenadas: falta una."},
    };
    form->MX = {"0", "10", "0"};
    form->MY = {"0", "0", "10"};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        ui.questions.clear();
        enDialogo([&](TFDesplazamiento& d) {
            d.SGPares = c.filas;
            d.BBCalcularClick();
            EXPECT_EQ(d.MResultado, std::vector<std::string>{c.resultado});
            d.BBAplicarClick();
            EXPECT_EQ(d.MResultado, std::vector<std::string>{c.resultado});
            for (const FilaPar& f : d.SGPares) EXPECT_EQ(f.residuo, "");
        });
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(form->MX, (CoordList{"0", "10", "0"}));
        EXPECT_FALSE(form->FDesplazamiento.paraInforme());
    }
}

TEST_F(ShiftFormTest, SavedPairsLoadBackAndABadFileLeavesTheTable)
{
    const std::vector<FilaPar> filas{{"P1", "271864,4771", "4814037.2781", "271864.5", "4814037.3", ""},
                                     {"P;2", " 271857.19 ", "4814056.72", "271857.2", "4814056.7", ""},
                                     {"", "271902.87", "4814073.01", "271902.9", "4814073", ""}};
    const std::string file = (dir.path() / "pares.txt").string();
    enDialogo([&](TFDesplazamiento& d) {
        d.SGPares = filas;
        ui.saveAnswers = {file};
        d.BBGuardarClick();
        d.SGPares.clear();
        ui.openAnswers = {file};
        d.BBCargarClick();
        // Millimetres, the name's ";" turned (the file's separator), an
        // empty name numbered by its row.
        EXPECT_EQ(d.SGPares, (std::vector<FilaPar>{{"P1", "271864.477", "4814037.278", "271864.500", "4814037.300", ""},
                                                   {"P,2", "271857.190", "4814056.720", "271857.200", "4814056.700", ""},
                                                   {"3", "271902.870", "4814073.010", "271902.900", "4814073.000", ""}}));
        const std::vector<FilaPar> cargadas = d.SGPares;
        writeFile(dir.path() / "malo.txt", "1;1;2;3;4\r\n2;1;2;3\r\n");
        ui.openAnswers = {(dir.path() / "malo.txt").string()};
        EXPECT_THROW(d.BBCargarClick(), Failure);
        EXPECT_EQ(d.SGPares, cargadas);
        // Cancelled dialogs change nothing.
        d.BBCargarClick();
        d.BBGuardarClick();
        EXPECT_EQ(d.SGPares, cargadas);
    });
    EXPECT_EQ(ui.saveDialogs.size(), 2u);
    EXPECT_EQ(ui.saveDialogs[0].filter, kFiltroPares.filter);
}

TEST_F(ShiftFormTest, RowsAddedAndRemovedAndEmptyRowsSkipped)
{
    enDialogo([&](TFDesplazamiento& d) {
        for (int i = 0; i < 5; ++i) d.BBAnadirClick();
        EXPECT_EQ(d.SGPares.size(), 5u);
        EXPECT_EQ(d.SGPares[4].n, "5");
        EXPECT_EQ(d.SGParesSeleccion, std::vector<int>{4});
        d.SGParesSeleccion = {1, 3, 99};
        d.BBQuitarClick();
        ASSERT_EQ(d.SGPares.size(), 3u);
        EXPECT_EQ(d.SGPares[1].n, "3");
        // Rows 1 and 3 filled, 2 left empty: the residuals go to 1 and 3.
        d.SGPares[0] = {"1", "0", "0", "5", "0", ""};
        d.SGPares[1] = {"", "", "", "", "", ""};
        d.SGPares[2] = {"5", "10", "0", "15", "0", ""};
        d.SGPares.push_back({"6", "0", "10", "5", "10.03", ""});
        d.BBCalcularClick();
        ASSERT_EQ(d.MResultado.size(), 7u) << d.MResultado[0];
        EXPECT_EQ(d.MResultado[0], "puntos comunes: 3");
        EXPECT_NE(d.SGPares[0].residuo, "");
        EXPECT_EQ(d.SGPares[1].residuo, "");
        EXPECT_NE(d.SGPares[2].residuo, "");
        EXPECT_EQ(d.flechas().size(), 3u);
    });
}

TEST_F(ShiftFormTest, ProposingNeedsAComparison)
{
    enDialogo([&](TFDesplazamiento& d) {
        try {
            d.BBProponerClick();
            ADD_FAILURE() << "no failure";
        } catch (const Failure& f) {
            EXPECT_EQ(std::string(f.what()), kSinComparacion);
        }
        EXPECT_TRUE(d.SGPares.empty());
    });
}

// The registered area as typed: the comparison's line for it, or the
// refusal before any map is asked for.
TEST_F(ShiftFormTest, TheRegisteredAreaReachesTheComparisonsLines)
{
    struct Caso {
        const char* escrita;
        std::optional<std::string> linea;  // none: refused
    } casos[] = {
        {"", ""},
        {"  ", ""},
        {"1000,5", "superficie registral: 1000.50 m2, diferencia "},
        {" 985.2 ", "superficie registral: 985.20 m2, diferencia "},
        {"0", std::nullopt},
        {"-20", std::nullopt},
        {"mil", std::nullopt},
        {"1.000,5", std::nullopt},
    };
    surveyedParcel();
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.escrita);
        form->ESupRegistral = c.escrita;
        ui.reports.clear();
        ui.questions.clear();
        if (!c.linea) {
            EXPECT_THROW(form->BBCompararClick(), Failure);
            EXPECT_TRUE(ui.questions.empty()) << "nothing asked before the figure is read";
            continue;
        }
        compara();
        ASSERT_EQ(ui.reports.size(), 1u);
        const std::string& text = ui.reports[0].second;
        const std::size_t line = text.find("superficie registral: ");
        if (c.linea->empty()) {
            EXPECT_EQ(line, std::string::npos) << text;
        } else {
            ASSERT_NE(line, std::string::npos) << text;
            EXPECT_EQ(text.substr(line, c.linea->size()), *c.linea);
            // Right after the tolerance line, as the batch command prints it.
            const std::size_t previous = text.rfind('\n', line - 2) + 1;
            EXPECT_TRUE(text.substr(previous).starts_with("margen de tolerancia técnica: ")) << text;
        }
    }
    try {
        compare::registeredArea("0");
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()), compare::kBadRegisteredArea);
    }
}

// The report after the session's shift and registered area carries both
// in its block; the top "Limpiar" forgets them.
TEST_F(ShiftFormTest, TheReportCarriesTheBlockUntilClearing)
{
    surveyedParcel();
    form->ESupRegistral = "1000";
    form->BBCalcularClick();  // the area field filled from the ring
    compara();
    enDialogo([&](TFDesplazamiento& d) {
        d.BBProponerClick();
        d.BBCalcularClick();
    });
    ui.saveAnswers = {(dir.path() / "informe.pdf").string()};
    form->BBInformeClick();
    ASSERT_EQ(ui.writtenReports.size(), 1u) << (ui.messages.empty() ? "" : ui.messages.back());
    const report::Georreferenciacion& g = ui.lastGeorreferenciacion;
    ASSERT_EQ(g.pares.size(), original.size());
    EXPECT_TRUE(g.pares[0].residuo.starts_with("0,00")) << g.pares[0].residuo;
    EXPECT_EQ(g.lineas.front(), "puntos comunes: " + std::to_string(original.size()));
    EXPECT_FALSE(g.aplicado);
    // With the report's decimal comma.
    EXPECT_TRUE(g.tolerancia.starts_with("margen de tolerancia técnica: ")) << g.tolerancia;
    EXPECT_EQ(g.tolerancia.find('.'), std::string::npos) << g.tolerancia;
    EXPECT_TRUE(g.registral.starts_with("superficie registral: 1000,00 m², diferencia ")) << g.registral;
    EXPECT_NE(g.registral.find("201.3.b"), std::string::npos) << "the article keeps its dots: " << g.registral;

    ui.confirmAnswers = {true};
    form->BBLimpiarTodoClick();
    EXPECT_TRUE(form->ESupRegistral.empty());
    EXPECT_FALSE(form->FDesplazamiento.paraInforme());
    EXPECT_TRUE(form->FDesplazamiento.SGPares.empty());
}

// Without a comparison the registered area still has its line, from the
// ring's own area, and no tolerance (there is no cadastral area).
TEST_F(ShiftFormTest, TheRegisteredAreaReachesTheReportWithoutAComparison)
{
    form->ERefCatas = "2041508TP7124S";
    form->MX = {"440000", "440030", "440030", "440000"};
    form->MY = {"4470000", "4470000", "4470030", "4470030"};
    form->ESupRegistral = "1000,0";
    form->BBCalcularClick();
    ui.saveAnswers = {(dir.path() / "informe.pdf").string()};
    form->BBInformeClick();
    ASSERT_EQ(ui.writtenReports.size(), 1u) << (ui.messages.empty() ? "" : ui.messages.back());
    const report::Georreferenciacion& g = ui.lastGeorreferenciacion;
    EXPECT_EQ(g.registral, "superficie registral: 1000,00 m², diferencia -100,00 m² (-10,00 %): hasta el 10 % "
                           "(arts. 9.b y 201.3.a LH)");
    EXPECT_TRUE(g.tolerancia.empty());
    EXPECT_TRUE(g.pares.empty());
}

}  // namespace
}  // namespace vadrel::test
