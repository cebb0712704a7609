// "Desplazamiento" with real clicks, and its block in the client's PDF
// read back as a client copies it out.

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/parcel_window.hpp"
#include "app/report_measure.hpp"
#include "app/report_pdf.hpp"
#include "app/shift_window.hpp"
#include "compare/area_tolerance.hpp"
#include "georef/shift_text.hpp"
#include "report/report_georef.hpp"
#include "report/report_layout.hpp"
#include "skin_fixture.hpp"
#include "support/process.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

void pulsa(QWidget* w, const char* name)
{
    auto* b = w->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

TEST_F(SkinTest, ShiftDialogRowsComputedAndAppliedThroughItsButtons)
{
    app::ParcelWindow* w = skin->parcel;
    w->MX->setPlainText("100\n110\n110\n100");
    w->MY->setPlainText("200\n200\n210\n210");
    std::string resultado, residuo;
    whenModal([&](QWidget* modal) {
        auto* d = dynamic_cast<app::ShiftWindow*>(modal);
        ASSERT_NE(d, nullptr);
        for (int i = 0; i < 4; ++i) pulsa(d, "BBAnadir");
        ASSERT_EQ(d->SGPares->rowCount(), 4);
        // A shift of (+1, -2); the last row selected and removed.
        const char* filas[3][4] = {{"100", "200", "101", "198"}, {"110", "200", "111", "198"}, {"110", "210", "111", "208"}};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c) d->SGPares->item(r, c + 1)->setText(filas[r][c]);
        d->SGPares->selectRow(3);
        pulsa(d, "BBQuitar");
        EXPECT_EQ(d->SGPares->rowCount(), 3);
        pulsa(d, "BBCalcular");
        resultado = d->MResultado->toPlainText().toStdString();
        residuo = d->SGPares->item(2, 5)->text().toStdString();
        script.confirmAnswers.push_back(true);
        pulsa(d, "BBAplicar");
        pulsa(d, "BBCerrar");
    });
    QTest::mouseClick(w->findChild<QPushButton*>("BBDesplazamiento"), Qt::LeftButton);
    EXPECT_TRUE(resultado.starts_with("puntos comunes: 3\n")) << resultado;
    EXPECT_NE(resultado.find("\ndesplazamiento: 2.236 m, acimut 153.4349°"), std::string::npos) << resultado;
    EXPECT_EQ(residuo, "0.000");
    EXPECT_EQ(script.questions, std::vector<std::string>{kPreguntaAplicar});
    EXPECT_EQ(w->MX->toPlainText(), "101.000\n111.000\n111.000\n101.000\n");
    EXPECT_EQ(w->MY->toPlainText(), "198.000\n198.000\n208.000\n208.000\n");
    EXPECT_TRUE(script.messages.empty()) << script.messages.back();
}

TEST(ReportPdfTest, TheGeorreferencingBlockReadsBack)
{
    if (!haveProgram("pdftotext")) GTEST_SKIP() << "sin poppler-utils (scripts/deps.sh)";
    TempDir dir;
    report::DatosInforme d;
    d.referencia = "2041508TP7124S";
    d.huso = "30";
    report::AnilloInforme anillo;
    anillo.x = {"440000", "440030", "440030", "440000"};
    anillo.y = {"4470000", "4470000", "4470030", "4470030"};
    d.anillos.push_back(anillo);
    const std::vector<georef::Pair> pares{{"1", {440000, 4470000}, {440000.5, 4470000.25}},
                                          {"2", {440030, 4470000}, {440030.5, 4470000.25}},
                                          {"3", {440030, 4470030}, {440030.52, 4470030.25}},
                                          {"B-4", {440000, 4470030}, {440000.5, 4470030.25}}};
    const georef::Fit ajuste = georef::fitPairs(pares);
    report::anadeDesplazamiento(d, pares, ajuste, true);
    d.georreferenciacion.tolerancia = compare::toleranceLine(900, 910, 121, ',');
    d.georreferenciacion.registral = compare::registeredLine(900, 1000, ',');

    const report::Informe informe = report::componeInforme(d, app::MedidaPdf());
    const std::filesystem::path pdf = dir.path() / "informe.pdf";
    app::guardaInformePdf(informe, pdf);
    const RunResult r = run({"pdftotext", "-raw", pdf.string(), "-"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string& t = r.out;
    for (const std::string& esperado : std::vector<std::string>{std::string("Georreferenciación\n"), std::string("Nº X medido Y medido X catastro Y catastro Residuo (m)\n"),
          "1 440000,000 4470000,000 440000,500 4470000,250 " + d.georreferenciacion.pares[0].residuo + "\n",
          std::string("B-4 440000,000 4470030,000 440000,500 4470030,250 "), std::string("\npuntos comunes: 4\n"),
          std::string("\nrígido, residuos: 1: "), std::string("\nescala: 1,0001667 (166,7 ppm)\n"), std::string("\ndesplazamiento: 0,56"),
          std::string(report::kAplicadoAlInforme) + "\n",
          "margen de tolerancia técnica: 27,30 m² (la diferencia está dentro)\n",
          "superficie registral: 1000,00 m², diferencia -100,00 m² (-10,00 %): hasta el 10 % (arts. 9.b y 201.3.a LH)\n",
          std::string(report::kQuienDecide)})
        EXPECT_NE(t.find(esperado), std::string::npos) << esperado << "\n---\n" << t;
}
