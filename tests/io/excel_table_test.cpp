// The spreadsheet table as spreadsheets read it, whatever their locale.

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

#include "core/coord_list.hpp"
#include "io/excel_table.hpp"
#include "support/process.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

// A profile whose system locale is `locale`, as the person's desktop sets it.
void perfil(const std::filesystem::path& dir, const std::string& locale)
{
    writeFile(dir / "user" / "registrymodifications.xcu",
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
              "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
              "<item oor:path=\"/org.openoffice.Setup/L10N\"><prop oor:name=\"ooSetupSystemLocale\" oor:op=\"fuse\">"
              "<value>" + locale + "</value></prop></item>\n</oor:items>\n");
}

// The sheet's cells, ";" between them, text cells quoted: a number cell is
// the one left bare.
std::vector<std::vector<std::string>> celdas(const std::string& csv)
{
    std::vector<std::vector<std::string>> filas;
    for (const std::string& linea : splitLines(csv)) {
        auto& fila = filas.emplace_back();
        std::string celda;
        std::istringstream in(linea);
        while (std::getline(in, celda, ';')) fila.push_back(celda);
    }
    return filas;
}

}  // namespace

TEST(TablaExcel, ASpreadsheetReadsTheCoordinatesAsNumbersInAnyLocale)
{
    if (!haveProgram("soffice"))
        GTEST_SKIP() << "soffice is not installed (apt-get install libreoffice-calc): the table is not opened";
    TempDir dir;
    const CoordList x{"384464.656", "10.5", "384470"}, y{"4474000.25", "4474010", "-4474020.125"};
    CoordList mx = x, my = y;
    ScriptedUi ui;
    ui.saveAnswers.push_back((dir / "t.xls").string());
    exportaExcel(ui, "R", mx, my);

    for (const char* locale : {"en-US", "es-ES"}) {
        const auto profile = dir / locale;
        perfil(profile, locale);
        const auto out = dir / (std::string("out-") + locale);
        auto r = run({"soffice", "--headless", "-env:UserInstallation=file://" + profile.string(), "--convert-to",
                      "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true", "--outdir", out.string(),
                      (dir / "t.xls").string()},
                     dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto filas = celdas(readFile(out / "t.csv"));
        ASSERT_EQ(filas.size(), 6u) << locale;
        for (std::size_t i = 0; i < x.size(); ++i) {
            const auto& fila = filas[3 + i];
            ASSERT_EQ(fila.size(), 3u) << locale;
            for (std::size_t c = 0; c < 3; ++c) {
                const std::string esperado = c == 0 ? std::to_string(i + 1) : c == 1 ? x[i] : y[i];
                std::string celda = fila[c];
                EXPECT_NE(celda.front(), '"') << locale << ": " << esperado << " taken for a text";
                if (auto coma = celda.find(','); coma != std::string::npos) celda[coma] = '.';
                double valor = 0, debido = 0;
                std::from_chars(celda.data(), celda.data() + celda.size(), valor);
                std::from_chars(esperado.data(), esperado.data() + esperado.size(), debido);
                EXPECT_EQ(valor, debido) << locale << ": " << fila[c];
            }
        }
    }
}
