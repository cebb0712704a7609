// vadrel-cli with drawings that hold arcs, and the zone conversion of
// coordinate files.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <regex>

#include "support/process.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {
namespace {

constexpr double kPi = std::numbers::pi;

class ArcsZoneCliTest : public ::testing::Test {
protected:
    TempDir dir;

    RunResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), VADREL_CLI);
        return run(args, dir.path());
    }
};

// A 40 x 20 m rectangle, closed, counter-clockwise: its east side a half
// circle outwards (bulge 1, radius 10), its closing west side a quarter
// circle outwards (bulge tan(π/8), radius 14.14).
const char* const kConArcos = "  0\nSECTION\n  2\nENTITIES\n"
                              "  0\nLWPOLYLINE\n  8\n0\n 90\n     4\n 70\n     1\n"
                              " 10\n500000.0\n 20\n4100000.0\n"
                              " 10\n500040.0\n 20\n4100000.0\n 42\n1.0\n"
                              " 10\n500040.0\n 20\n4100020.0\n"
                              " 10\n500000.0\n 20\n4100020.0\n 42\n0.41421356237309503\n"
                              "  0\nENDSEC\n  0\nEOF\n";

double areaDelGml(const std::string& gml)
{
    const std::string marca = "<cp:areaValue uom=\"m2\">";
    const auto at = gml.find(marca);
    return at == std::string::npos ? -1 : std::stod(gml.substr(at + marca.size()));
}

}  // namespace

TEST_F(ArcsZoneCliTest, ADrawingsArcsBecomeChordsAndAreTold)
{
    writeFile(dir / "arcos.dxf", kConArcos);
    const double conArcos = 800 + kPi * 100 / 2 + 200 * (kPi / 2 - 1) / 2;
    // What the chords may fall short: the arcs' length times the sagitta.
    const double cota = (kPi * 10 + kPi / 2 * std::sqrt(200.0)) * 0.05;

    RunResult r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--dxf", "arcos.dxf", "-o", "a.gml"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::smatch m;
    const std::string err = r.err;
    ASSERT_TRUE(std::regex_search(err, m,
                                  std::regex("^El dibujo tiene 2 arcos; se han sustituido por 26 tramos rectos \\(flecha "
                                             "máxima 0,05 m\\)\\. La superficie cambia en ([0-9]+),([0-9]{2}) m² "
                                             "respecto a unir los vértices con rectas\\.\n")))
        << err;
    const double cambio = std::stod(m[1].str() + "." + m[2].str());
    EXPECT_NEAR(cambio, conArcos - 800, cota);
    EXPECT_LE(cambio, conArcos - 800);
    // "Cal. Área" rounds to whole square metres.
    EXPECT_NEAR(areaDelGml(readFile(dir / "a.gml")), conArcos, cota + 0.5);

    // A coarser sagitta: fewer chords, said so.
    r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--dxf", "arcos.dxf", "--flecha", "0,5", "-o",
             "b.gml"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("se han sustituido por 8 tramos rectos (flecha máxima 0,5 m)"), std::string::npos) << r.err;

    // 0: the vertices joined by straight lines, without a word of arcs.
    r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--dxf", "arcos.dxf", "--flecha", "0", "-o",
             "c.gml"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err.find("arcos"), std::string::npos) << r.err;
    EXPECT_EQ(areaDelGml(readFile(dir / "c.gml")), 800);

    r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--dxf", "arcos.dxf", "--flecha", "-1", "-o",
             "d.gml"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("La flecha debe ser un número de metros, 0 o mayor: -1.\n", 0), 0u) << r.err;

    r = cli({"parcel", "write", "--ref", "R", "--local", "--calc-area", "--dxf", "arcos.dxf", "--flecha", "1e-9", "-o",
             "e.gml"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("La flecha debe ser 0 o de al menos 0,001 m: 1e-9.\n", 0), 0u) << r.err;
}

TEST_F(ArcsZoneCliTest, CoordsConvertWritesTheOtherZoneOrRefuses)
{
    writeFile(dir / "h30.txt", "1;230000.123;4430000.456\r\n2;230010;4430000.4\r\n3;230010.5;4430010.25678\r\n");
    RunResult r = cli({"coords", "convert", "--from", "30", "--to", "29", "h30.txt", "-o", "h29"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(readFile(dir / "h29.txt"),
              "1;742371.293;4429070.165\r\n2;742381.15;4429070.77\r\n3;742380.99;4429080.63994\r\n");

    // Zone 30's meridian lies out of zone 29's range: nothing is written.
    writeFile(dir / "centro.txt", "1;500000.5;4400000.25\r\n");
    r = cli({"coords", "convert", "--from", "30", "--to", "29", "centro.txt", "-o", "no.txt"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "Error. Las coordenadas no son UTM de España en el huso 29 (vértice 1: X=1014194.37, Y=4417250.62).\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "no.txt"));

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"coords", "convert", "--from", "27", "--to", "29", "h30.txt", "-o", "x.txt"},
          {"coords", "convert", "--from", "30", "h30.txt", "-o", "x.txt"},
          {"coords", "convert", "--from", "30", "--to", "29", "-o", "x.txt"}}) {
        r = cli(bad);
        EXPECT_EQ(r.exitCode, 2) << r.err;
    }
    r = cli({"coords", "convert", "--from", "30", "--to", "29", "h30.txt", "-o", "h30.txt"});
    EXPECT_EQ(r.exitCode, 1);
}

}  // namespace vadrel::test
