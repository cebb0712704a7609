#include "core/zone_change.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "support/process.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::utm;
using vadrel::test::ScriptedUi;

namespace {

struct Listas {
    CoordList x, y;
};

// The lists converted; the messages said.
std::vector<std::string> convierte(Listas& l, int desde, int hasta)
{
    ScriptedUi ui;
    cambiaHuso(ui, {{&l.x, &l.y}}, desde, hasta, NumberFormat::batch());
    return ui.messages;
}

}  // namespace

TEST(CambioDeHuso, ARoundTripComesBackWithinAMillimetre)
{
    // Points of both sides of the line between zones 29 and 30 (6° W), and
    // of zones 30 and 31 (0°).
    const struct {
        int desde, intermedio;
        Punto p;
    } cases[] = {
        {30, 29, {230000.123, 4430000.456}}, {30, 29, {260512.5, 4731200.75}}, {30, 31, {780000.5, 4600000.25}},
        {28, 28, {330000.12, 3100000.34}},
    };
    for (const auto& c : cases) {
        const Punto ida = *CambioDeHuso(c.desde, c.intermedio).convierte(c.p);
        const Punto vuelta = *CambioDeHuso(c.intermedio, c.desde).convierte(ida);
        EXPECT_NEAR(vuelta.x, c.p.x, 0.001) << c.desde << "→" << c.intermedio;
        EXPECT_NEAR(vuelta.y, c.p.y, 0.001) << c.desde << "→" << c.intermedio;
    }
    EXPECT_THROW(CambioDeHuso(27, 30), std::out_of_range);
    EXPECT_THROW(CambioDeHuso(30, 32), std::out_of_range);
}

TEST(CambioDeHuso, AgreesWithPROJsOwnCommand)
{
    // Computed with cs2cs 9.1.1: `cs2cs EPSG:25830 EPSG:25829 -f %.4f`.
    const Punto p = *CambioDeHuso(30, 29).convierte({230000.123, 4430000.456});
    EXPECT_NEAR(p.x, 742371.2933, 0.0001);
    EXPECT_NEAR(p.y, 4429070.1652, 0.0001);

    // And live, with whatever PROJ the machine has, where its command is.
    if (!test::haveProgram("cs2cs")) GTEST_SKIP() << "cs2cs (PROJ's command, package proj-bin) is not installed";
    test::TempDir dir;
    test::writeFile(dir / "in.txt", "250000.5 4300000.25\n");
    const test::RunResult r = test::run({"sh", "-c", "cs2cs EPSG:25830 EPSG:25829 -f %.4f < in.txt"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream in(r.out);
    double x = 0, y = 0;
    in >> x >> y;
    const Punto q = *CambioDeHuso(30, 29).convierte({250000.5, 4300000.25});
    EXPECT_NEAR(q.x, x, 0.0001);
    EXPECT_NEAR(q.y, y, 0.0001);
}

TEST(CambiaHuso, ListsConvertedWithTheirDecimalsOrRefusedWhole)
{
    const struct {
        const char* what;
        Listas antes;
        int desde, hasta;
        Listas despues;  // the same as `antes` when refused
        std::vector<std::string> mensajes;
    } cases[] = {
        {"decimals kept, at least 2, each value its own",
         {{"230000.123", "230010", "230010.5"}, {"4430000.456", "4430000.4", "4430010.25678"}},
         30,
         29,
         {{"742371.293", "742381.15", "742380.99"}, {"4429070.165", "4429070.77", "4429080.63994"}},
         {}},
        {"a comma stays a comma, empty lines go", {{"230000,123", ""}, {"4430000,456", ""}}, 30, 29,
         {{"742371,293"}, {"4429070,165"}}, {}},
        {"out of Spain's range in the new zone",
         {{"230000.123", "500000.5"}, {"4430000.456", "4400000.25"}},
         30,
         29,
         {{"230000.123", "500000.5"}, {"4430000.456", "4400000.25"}},
         {"Error. Las coordenadas no son UTM de España en el huso 29 (vértice 2: X=1014194.37, Y=4417250.62)."}},
        {"no UTM of the zone they are said to be in",
         {{"1234.5"}, {"4430000.456"}},
         30,
         29,
         {{"1234.5"}, {"4430000.456"}},
         {"Error. Las coordenadas no son UTM de España en el huso 30 (vértice 1: X=1234.5, Y=4430000.456)."}},
        {"lists of different lengths", {{"230000.1", "230001.1"}, {"4430000.4"}}, 30, 29,
         {{"230000.1", "230001.1"}, {"4430000.4"}}, {"Error. Debe haber el mismo número de coordenadas X que Y"}},
    };
    for (const auto& c : cases) {
        Listas l = c.antes;
        EXPECT_EQ(convierte(l, c.desde, c.hasta), c.mensajes) << c.what;
        EXPECT_EQ(l.x, c.despues.x) << c.what;
        EXPECT_EQ(l.y, c.despues.y) << c.what;
    }
}
