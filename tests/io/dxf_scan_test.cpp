#include "io/dxf_scan.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

#include "core/arcs.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"
#include "io/dxf_polylines.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

// A drawing as a CAD program writes one: header, a CLASSES entry named
// like the entity (as AutoCAD R14 does), the polylines, then what `after`
// adds to the entities section.
std::string dibujo(const std::vector<std::vector<std::pair<std::string, std::string>>>& polilineas,
                   const std::string& after = "", bool endsec = true)
{
    std::string d = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1014\n  0\nENDSEC\n"
                    "  0\nSECTION\n  2\nCLASSES\n  0\nCLASS\n  1\nLWPOLYLINE\n  2\nAcDbPolyline\n  0\nENDSEC\n"
                    "  0\nSECTION\n  2\nENTITIES\n";
    for (const auto& p : polilineas) {
        d += "  0\nLWPOLYLINE\n  5\n8F\n  8\n0\n 90\n        " + std::to_string(p.size()) + "\n 70\n     1\n";
        for (const auto& [x, y] : p) d += " 10\n" + x + "\n 20\n" + y + "\n";
        d += "210\n0.0\n220\n0.0\n230\n1.0\n";
    }
    d += after;
    if (endsec) d += "  0\nENDSEC\n  0\nEOF\n";
    return d;
}

const std::vector<std::pair<std::string, std::string>> kParcela{
    {"500000.123456", "4100000.98765"}, {"500030.5", "4100000.1"}, {"500030.12345", "4100040.55559"}};

std::string crlf(std::string s)
{
    std::string out;
    for (char c : s) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

struct Scan {
    CoordList MX, MY;
    int otras = 0;
};

Scan scan(const std::string& text, bool seguir = false)
{
    Scan s;
    escaneaDxf(text, s.MX, s.MY, [&] {
        ++s.otras;
        return seguir;
    });
    return s;
}

const CoordList kX{"500000.1234", "500030.5", "500030.1234"};
const CoordList kY{"4100000.9876", "4100000.1", "4100040.5556"};

}  // namespace

TEST(EscaneaDxf, PolylineVerticesInOrderCutToFourDecimalsWithEitherLineEnd)
{
    for (const std::string& text : {dibujo({kParcela}), crlf(dibujo({kParcela}))}) {
        Scan s = scan(text);
        EXPECT_EQ(s.MX, kX);
        EXPECT_EQ(s.MY, kY);
        EXPECT_EQ(s.otras, 0);
    }
}

TEST(EscaneaDxf, WhatTheScanTakesAndLeaves)
{
    const std::string texto = "  0\nTEXT\n  8\n0\n 10\n500100.5\n 20\n4100100.5\n 30\n0.0\n  1\nParcela 7\n";
    const std::string insert = "  0\nINSERT\n  2\nNORTE\n 10\n500200.25\n 20\n4100200.25\n";
    const struct {
        const char* what;
        std::string text;
        CoordList x, y;
    } cases[] = {
        {"a text and a block after the polyline are no corners", dibujo({kParcela}, texto + insert), kX, kY},
        {"no ENDSEC: read to the end", dibujo({kParcela}, texto, false), kX, kY},
        {"local coordinates are shorter than 7 characters",
         dibujo({{{"12.5", "7.25"}, {"100", "-80"}, {"-100.5", "80.125"}}}), {}, {}},
        {"no polyline", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n500000.5\n 20\n4100000.5\n  0\nENDSEC\n", {}, {}},
        {"name two blanks in starts the polyline", "  0\n  LWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n", {"500000.5"},
         {"4100000.5"}},
        {"name at the fifth character is no polyline", "  0\n    LWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n", {}, {}},
        {"padded values and codes", "0\nLWPOLYLINE\n   10   \n  500000.5  \n20\n 4100000.5\n", {"500000.5"}, {"4100000.5"}},
        {"a layer named 0 keeps codes and values apart",
         "  0\nLWPOLYLINE\n  8\n0\n 10\n500000.5\n  8\n0\n 20\n4100000.5\n", {"500000.5"}, {"4100000.5"}},
        {"a value line missing at the end", "  0\nLWPOLYLINE\n 10\n500000.5\n 20\n", {"500000.5"}, {}},
    };
    for (const auto& c : cases) {
        Scan s = scan(c.text);
        EXPECT_EQ(s.MX, c.x) << c.what;
        EXPECT_EQ(s.MY, c.y) << c.what;
    }
}

TEST(EscaneaDxf, FurtherPolylinesAskWhetherToGoOn)
{
    const std::vector<std::pair<std::string, std::string>> segunda{{"600000.5", "4200000.5"}, {"600010.5", "4200000.5"}};
    const std::string text = dibujo({kParcela, segunda});

    Scan parar = scan(text, false);
    EXPECT_EQ(parar.otras, 1);
    EXPECT_EQ(parar.MX, kX);

    // Going on, the caller starts a new construction: here, lists that
    // simply take the second polyline's points too.
    Scan seguir = scan(text, true);
    EXPECT_EQ(seguir.otras, 1);
    EXPECT_EQ(seguir.MX.size(), 5u);
    EXPECT_EQ(seguir.MX.back(), "600010.5");
}

TEST(EscaneaDxf, PointsAppendAfterTheListsAndStopAtAValueThatIsNoNumber)
{
    CoordList MX{"1"}, MY{"2"};
    const std::string text = "  0\nLWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n 10\n500000.1234X\n 20\n4100000.5\n";
    EXPECT_THROW(escaneaDxf(text, MX, MY, [] { return false; }), Failure);
    EXPECT_EQ(MX, (CoordList{"1", "500000.5"}));
    EXPECT_EQ(MY, (CoordList{"2", "4100000.5"}));
}

TEST(EscaneaDxf, ValuesInExponentFormAreRoundedAsValuesAndWrittenPlain)
{
    const struct {
        const char* value;
        const char* taken;  // nullptr: not taken (under 7 characters in plain form)
    } cases[] = {
        {"4.4012345678E+05", "440123.4568"},
        {"4.2854138549E+06", "4285413.8549"},
        {"4,4012345678e+05", "440123.4568"},
        {"  4.4012345678E+05  ", "440123.4568"},
        {"-4.40123456E5", "-440123.456"},
        {"4.4E+05", nullptr},
        {"4.4E+06", "4400000"},
        {"44012345678E-5", "440123.4568"},
        {"4.40123499999E+05", "440123.5"},
        {"4.401234566E5", "440123.4566"},
        {"1.25E+02", nullptr},
        {"1.5E-20", "0.0000"},
        {"440123.45678", "440123.4568"},
        {"+440123.45678", "+440123.4568"},
    };
    for (const auto& c : cases) {
        Scan s = scan("  0\nLWPOLYLINE\n 10\n" + std::string(c.value) + "\n 20\n4100000.5\n");
        EXPECT_EQ(s.MX, c.taken ? CoordList{c.taken} : CoordList{}) << c.value;
    }
    // Text that is no number keeps failing with the conversion message.
    for (const char* bad : {"4.4012345678E+05X", "4.40123E+0.5", "500000.12X", "infinity"}) {
        CoordList MX, MY;
        try {
            escaneaDxf("  0\nLWPOLYLINE\n 10\n" + std::string(bad) + "\n", MX, MY, [] { return false; });
            ADD_FAILURE() << bad;
        } catch (const Failure& f) {
            EXPECT_EQ(f.what(), "'" + std::string(bad) + "' is not a valid floating point value");
        }
        EXPECT_TRUE(MX.empty()) << bad;
    }
}

TEST(EscaneaDxf, ABlockDefinitionIsNotTheDrawing)
{
    const std::string bloque = "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nNORTE\n"
                               "  0\nLWPOLYLINE\n 10\n111111.5\n 20\n2222222.5\n  0\nENDBLK\n  0\nENDSEC\n";
    std::string text = dibujo({kParcela});
    text.insert(text.find("  0\nSECTION\n  2\nENTITIES"), bloque);
    Scan s = scan(text);
    EXPECT_EQ(s.MX, kX);
    EXPECT_EQ(s.MY, kY);

    // A drawing whose only polyline is a block's has none.
    CoordList MX, MY;
    const ResultadoDxf r = escaneaDxf(bloque + "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n500000.5\n  0\nENDSEC\n",
                                      MX, MY, [] { return true; });
    EXPECT_FALSE(r.polilinea);
    EXPECT_TRUE(MX.empty());
}

namespace {

struct Carga {
    CargaDxf resultado;
    DibujoDxf dibujo;
    std::vector<std::string> mensajes;
};

Carga carga(const std::filesystem::path& file, int huso = 30, Polilineas cuales = Polilineas::primera)
{
    ScriptedUi ui;
    Carga c;
    c.resultado = cargaDxf(ui, file, huso, cuales, c.dibujo);
    c.mensajes = ui.messages;
    return c;
}

}  // namespace

TEST(CargaDxf, ADrawingThatGivesNothingSaysWhyAndGivesNothing)
{
    TempDir dir;
    const struct {
        const char* what;
        std::string text;
        std::string message;  // empty: loaded
        Polilineas cuales = Polilineas::primera;
    } cases[] = {
        {"no polyline", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n500000.5\n 20\n4100000.5\n  0\nENDSEC\n",
         kDxfSinPolilinea},
        {"an empty file", "", kDxfSinPolilinea},
        {"a polyline without vertices", "  0\nLWPOLYLINE\n  8\n0\n  0\nENDSEC\n", kDxfSinPolilinea},
        {"local drawing units", dibujo({{{"12.5", "7.25"}, {"100", "-80"}}}), kDxfNoUtm},
        {"UTM drawing", dibujo({kParcela}), ""},
        // Local units written with long decimals pass the length rule: the
        // range tells them, with the values as the lists would hold them.
        {"local units with long decimals", dibujo({{{"2685.665795860739", "-1234.56789012"}, {"2700.5", "-1200.25"}}}),
         "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 1: X=2685.6658, Y=-1234.5679)."},
        {"X and Y swapped", dibujo({{{kParcela[0].second, kParcela[0].first}, kParcela[1], kParcela[2]}}),
         "Error. Las coordenadas X e Y parecen intercambiadas (vértice 1: X=4100000.9876, Y=500000.1234)."},
        // The building takes every polyline: the second one's third vertex is
        // wrong, and neither polyline is given.
        {"a further polyline in local units",
         dibujo({kParcela, {{"600000.5", "4100000.5"}, {"600010.5", "4100000.5"}, {"1234.5678", "4100010.5"}}}),
         "Error. Las coordenadas no son UTM de España en el huso 30 (vértice 3: X=1234.5678, Y=4100010.5).",
         Polilineas::todas},
        // The parcel never reads past its first polyline.
        {"a further polyline the parcel does not read",
         dibujo({kParcela, {{"600000.5", "4100000.5"}, {"1234.5678", "4100010.5"}}}), ""},
    };
    for (const auto& c : cases) {
        writeFile(dir / "d.dxf", c.text);
        const Carga r = carga(dir / "d.dxf", 30, c.cuales);
        EXPECT_EQ(r.resultado, c.message.empty() ? CargaDxf::cargado : CargaDxf::vacio) << c.what;
        EXPECT_EQ(r.mensajes, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
            << c.what;
        if (!c.message.empty()) {
            EXPECT_TRUE(r.dibujo.x.empty()) << c.what;
            EXPECT_TRUE(r.dibujo.y.empty()) << c.what;
        }
    }
}

TEST(CargaDxf, EachPolylineItsOwnListsAndTheZoneOfTheWindow)
{
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> segunda{{"600000.5", "4100000.5"},
                                                                   {"600010.5", "4100010.5"}};
    writeFile(dir / "d.dxf", dibujo({kParcela, segunda}));

    const Carga todas = carga(dir / "d.dxf", 30, Polilineas::todas);
    ASSERT_EQ(todas.resultado, CargaDxf::cargado);
    EXPECT_EQ(todas.dibujo.x, (std::vector<CoordList>{kX, {"600000.5", "600010.5"}}));
    EXPECT_EQ(todas.dibujo.y, (std::vector<CoordList>{kY, {"4100000.5", "4100010.5"}}));
    EXPECT_TRUE(todas.dibujo.varias);

    const Carga primera = carga(dir / "d.dxf", 30, Polilineas::primera);
    EXPECT_EQ(primera.dibujo.x, std::vector<CoordList>{kX});
    EXPECT_TRUE(primera.dibujo.varias);

    // The same drawing is no UTM of the Canaries.
    const Carga canarias = carga(dir / "d.dxf", 28, Polilineas::todas);
    EXPECT_EQ(canarias.resultado, CargaDxf::vacio);
    EXPECT_EQ(canarias.mensajes, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 28 "
                                                          "(vértice 1: X=500000.1234, Y=4100000.9876)."});

    // A second polyline 4.1° west of zone 30's meridian: told, once for
    // the whole drawing, and given.
    const std::vector<std::pair<std::string, std::string>> lejana{{"149972.8667", "4435814.8333"},
                                                                  {"149982.8667", "4435814.8333"}};
    writeFile(dir / "lejos.dxf", dibujo({kParcela, lejana, lejana}));
    const Carga lejos = carga(dir / "lejos.dxf", 30, Polilineas::todas);
    EXPECT_EQ(lejos.resultado, CargaDxf::cargado);
    EXPECT_EQ(lejos.mensajes,
              std::vector<std::string>{"Aviso. Las coordenadas caen fuera del huso 30; compruebe el huso."});
    EXPECT_EQ(lejos.dibujo.x.size(), 3u);
}

TEST(CargaDxf, AValueThatIsNoNumberGivesNothing)
{
    TempDir dir;
    writeFile(dir / "d.dxf", "  0\nLWPOLYLINE\n 10\n500000.5\n 20\n4100000.5\n 10\n500000.1234X\n 20\n4100000.5\n");
    ScriptedUi ui;
    DibujoDxf d;
    EXPECT_THROW(cargaDxf(ui, dir / "d.dxf", 30, Polilineas::todas, d), Failure);
    EXPECT_TRUE(d.x.empty());
}

TEST(CargaDxf, UnreadableFileIsToldAndGivesNothing)
{
    TempDir dir;
    for (auto path : {dir / "missing.dxf", dir.path()}) {
        const Carga r = carga(path);
        EXPECT_EQ(r.resultado, CargaDxf::noSeAbre);
        EXPECT_EQ(r.mensajes, std::vector<std::string>{kDxfNoSeAbre});
        EXPECT_TRUE(r.dibujo.x.empty());
    }
    // A Windows-1252 layer name is read like any other line.
    writeFile(dir / "latin.dxf", "  0\nLWPOLYLINE\n  8\nPARCELA_A\xD1O\n 10\n500000.5\n 20\n4100000.5\n");
    EXPECT_EQ(carga(dir / "latin.dxf").dibujo.x, std::vector<CoordList>{{"500000.5"}});
}

TEST(CargaDxf, RealDrawingsInLocalUnitsAreRefused)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample drawings are not here";
    const auto dxf = shared / "samples" / "dxf";

    // AutoCAD R14: the class entry named LWPOLYLINE comes first; the entity
    // holds four long values in drawing units, each cut to 4 decimals by
    // the scan. They pass the length rule and are no UTM of Spain.
    CoordList MX, MY;
    escaneaDxf(readText(dxf / "libredwg_sample_r14.dxf"), MX, MY, [] { return false; });
    CoordList x, y;
    for (const auto& line : readTextLines(dxf / "libredwg_sample_r14.first-polyline.txt")) {
        std::istringstream in(line);
        std::string a, b;
        in >> a >> b;
        x.push_back(redondeaCadena(a, 4));
        y.push_back(redondeaCadena(b, 4));
    }
    ASSERT_EQ(x.size(), 4u);
    EXPECT_EQ(MX, x);
    EXPECT_EQ(MY, y);
    EXPECT_EQ(MX.front(), "-50.3187");
    EXPECT_EQ(MY.back(), "54.6957");
    for (Polilineas cuales : {Polilineas::primera, Polilineas::todas}) {
        const Carga r = carga(dxf / "libredwg_sample_r14.dxf", 30, cuales);
        EXPECT_EQ(r.resultado, CargaDxf::vacio);
        EXPECT_EQ(r.mensajes, std::vector<std::string>{"Error. Las coordenadas no son UTM de España en el huso 30 "
                                                       "(vértice 1: X=-50.3187, Y=-85.3042)."});
        EXPECT_TRUE(r.dibujo.x.empty());
    }

    // Drawings in small local units: every value is shorter than the 7
    // characters of a UTM coordinate, so nothing is taken, and that is told.
    for (const char* name : {"ezdxf_issue6.dxf", "netdxf_sample_2007.dxf"}) {
        const Carga r = carga(dxf / name);
        EXPECT_EQ(r.resultado, CargaDxf::vacio) << name;
        EXPECT_TRUE(r.dibujo.x.empty()) << name;
        EXPECT_EQ(r.mensajes, std::vector<std::string>{kDxfNoUtm}) << name;
        // The polyline read is the first of the ENTITIES section (the
        // netDxf drawing has another in a block definition before it).
        CoordList mx, my;
        const std::string stem = std::string(name).substr(0, std::string(name).size() - 4);
        const ResultadoDxf res = escaneaDxf(readText(dxf / name), mx, my, [] { return false; });
        EXPECT_EQ(res.valores, 2 * readTextLines(dxf / (stem + ".first-polyline.txt")).size()) << name;
    }
}

namespace {

// What the reader tells, as written: each polyline's values, bulges and
// whether it is closed.
struct Leida {
    CoordList x, y;
    std::vector<double> bulges;
    bool cerrada = false;
};

class Recoge : public LectorPolilineas {
public:
    std::vector<Leida> polilineas;
    bool empieza(std::size_t k) override
    {
        EXPECT_EQ(k, polilineas.size());
        polilineas.emplace_back();
        return true;
    }
    void valor(bool esX, std::string_view v) override
    {
        (esX ? polilineas.back().x : polilineas.back().y).emplace_back(trimmed(v));
    }
    void bulge(std::size_t vertice, std::string_view v) override
    {
        auto& b = polilineas.back().bulges;
        b.resize(std::max(b.size(), vertice + 1), 0.0);
        b[vertice] = std::stod(std::string(v));
    }
    void termina(bool cerrada) override { polilineas.back().cerrada = cerrada; }
};

// The area of a ring whose segments may be arcs, in closed form: the
// polygon of its vertices plus, for each arc, the circular segment between
// chord and arc (r²(θ − sin θ)/2), on the side its bulge turns to.
double areaConArcos(const std::vector<Punto>& v, const std::vector<double>& bulges)
{
    double doble = doubleSignedArea(v);
    for (std::size_t i = 0; i < v.size() && i < bulges.size(); ++i) {
        const double b = bulges[i];
        if (b == 0) continue;
        const Punto p = v[i], q = v[(i + 1) % v.size()];
        const double c = std::hypot(q.x - p.x, q.y - p.y);
        const double r = c * (1 + b * b) / (4 * std::fabs(b));
        const double theta = 4 * std::atan(std::fabs(b));
        doble += (b > 0 ? 1 : -1) * r * r * (theta - std::sin(theta));
    }
    return std::fabs(doble) / 2;
}

}  // namespace

TEST(EscaneaDxf, TheRealDrawingsRoundedCornersAgainstTheirArea)
{
    auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the sample drawings are not here";
    const std::string text = readText(shared / "samples" / "dxf" / "ezdxf_issue6.dxf");

    // Local units, below the windows' length rule: the reader itself. A
    // 200 x 200 square, clockwise, its corners rounded by quarter circles of
    // radius 20 (bulge −tan(π/8) on every second vertex, the last one's
    // on the closing side).
    Recoge r;
    ASSERT_EQ(recorrePolilineas(text, r), ClasePolilinea::ligera);
    ASSERT_EQ(r.polilineas.size(), 1u);
    const Leida& p = r.polilineas.front();
    EXPECT_TRUE(p.cerrada);
    ASSERT_EQ(p.x.size(), 8u);
    ASSERT_EQ(p.bulges.size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(p.bulges[i], i % 2 ? -0.414213562373 : 0.0) << i;

    std::vector<Punto> vertices;
    for (std::size_t i = 0; i < 8; ++i) vertices.push_back({std::stod(p.x[i]), std::stod(p.y[i])});
    const double exacta = areaConArcos(vertices, p.bulges);
    EXPECT_NEAR(exacta, 200 * 200 - 4 * 400 * (1 - std::numbers::pi / 4), 1e-6);

    // The chords: short of it by less than the arcs' length times the sagitta.
    CoordList mx = p.x, my = p.y;
    const ResumenArcos resumen = sustituyeArcos(mx, my, 0, p.bulges, p.cerrada, 0.05);
    EXPECT_EQ(resumen.arcos, 4u);
    const double area = CalculaArea(mx, my, NumberFormat::batch());
    const double cota = 4 * (std::numbers::pi / 2 * 20) * 0.05;
    EXPECT_LT(area, exacta);
    EXPECT_GT(area, exacta - cota);
    EXPECT_NEAR(resumen.cambioSuperficie, exacta - CalculaArea(p.x, p.y, NumberFormat::batch()), cota);
}

TEST(EscaneaDxf, AnR12DrawingLoadsExactlyItsVertices)
{
    // A 3D mesh and a polyface mesh first, which are no outline; the
    // POLYLINE's own point is a dummy; a 220 (the extrusion) is no 20.
    const std::string malla = "  0\nPOLYLINE\n  8\n0\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n    16\n 71\n2\n 72\n2\n"
                              "  0\nVERTEX\n  8\n0\n 10\n600000.5\n 20\n4200000.5\n 30\n0.0\n 70\n64\n"
                              "  0\nVERTEX\n  8\n0\n 10\n600010.5\n 20\n4200000.5\n 30\n0.0\n 70\n64\n"
                              "  0\nSEQEND\n  8\n0\n"
                              "  0\nPOLYLINE\n  8\n0\n 66\n1\n 10\n0.0\n 20\n0.0\n 70\n64\n"
                              "  0\nVERTEX\n  8\n0\n 10\n700000.5\n 20\n4300000.5\n 70\n192\n"
                              "  0\nSEQEND\n";
    const auto r12 = [](const std::string& flags, const std::string& vertices) {
        return "  0\nPOLYLINE\n  8\nPARCELA\n 66\n     1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 70\n" + flags +
               "\n210\n0.0\n220\n0.0\n230\n1.0\n" + vertices + "  0\nSEQEND\n  8\nPARCELA\n";
    };
    const auto vertice = [](const std::string& x, const std::string& y, const std::string& extra = "") {
        return "  0\nVERTEX\n  8\nPARCELA\n 10\n" + x + "\n 20\n" + y + "\n 30\n0.0\n" + extra;
    };
    const std::string primera = r12("     1", vertice("500000.123456", "4100000.98765") +
                                                vertice("500030.5", "4100000.1", "220\n9999999.9\n") +
                                                vertice("500030.12345", "4100040.55559"));
    const std::string segunda = r12("0", vertice("600000.5", "4200000.5") + vertice("600010.5", "4200000.5"));
    const std::string cabecera = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
                                 "  0\nSECTION\n  2\nENTITIES\n";
    const std::string text = cabecera + malla + primera + segunda + "  0\nENDSEC\n  0\nEOF\n";

    for (const std::string& t : {text, crlf(text)}) {
        Scan parar = scan(t, false);
        EXPECT_EQ(parar.MX, kX);
        EXPECT_EQ(parar.MY, kY);
        EXPECT_EQ(parar.otras, 1);  // the meshes are no further polyline

        Scan seguir = scan(t, true);
        EXPECT_EQ(seguir.MX, (CoordList{"500000.1234", "500030.5", "500030.1234", "600000.5", "600010.5"}));
        EXPECT_EQ(seguir.MY.size(), 5u);
    }
    Recoge r;
    EXPECT_EQ(recorrePolilineas(text, r), ClasePolilinea::r12);
    ASSERT_EQ(r.polilineas.size(), 2u);
    EXPECT_TRUE(r.polilineas[0].cerrada);
    EXPECT_FALSE(r.polilineas[1].cerrada);
    // The building window: one construction per outline.
    TempDir dir;
    writeFile(dir / "r12.dxf", text);
    EXPECT_EQ(carga(dir / "r12.dxf", 30, Polilineas::todas).dibujo.x,
              (std::vector<CoordList>{kX, {"600000.5", "600010.5"}}));

    // A drawing with a LWPOLYLINE reads that, wherever the POLYLINE stands.
    const std::string ligera = dibujo({{{"800000.5", "4400000.5"}, {"800010.5", "4400000.5"}}});
    std::string ambas = ligera;
    ambas.insert(ambas.find("  0\nLWPOLYLINE"), primera);
    EXPECT_EQ(scan(ambas).MX, (CoordList{"800000.5", "800010.5"}));
    // Meshes alone are no polyline; nor is a POLYLINE in a block.
    CoordList MX, MY;
    EXPECT_FALSE(escaneaDxf(cabecera + malla + "  0\nENDSEC\n", MX, MY, [] { return true; }).polilinea);
    const std::string bloque = "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nB\n" + primera + "  0\nENDBLK\n  0\nENDSEC\n";
    EXPECT_FALSE(escaneaDxf(bloque + cabecera + "  0\nENDSEC\n", MX, MY, [] { return true; }).polilinea);
    EXPECT_TRUE(MX.empty());
}

TEST(EscaneaDxf, ArcsOfEitherKindOfPolylineIncludingTheClosingOne)
{
    // A 20 x 10 rectangle, its closing side (west) a half circle outwards.
    const std::vector<std::pair<std::string, std::string>> esquinas{
        {"500000.0", "4100000.0"}, {"500020.0", "4100000.0"}, {"500020.0", "4100010.0"}, {"500000.0", "4100010.0"}};
    std::string lw = "  0\nSECTION\n  2\nENTITIES\n  0\nLWPOLYLINE\n  8\n0\n 90\n4\n 70\n1\n";
    std::string r12 = "  0\nSECTION\n  2\nENTITIES\n  0\nPOLYLINE\n  8\n0\n 10\n0.0\n 20\n0.0\n 70\n1\n";
    for (std::size_t i = 0; i < esquinas.size(); ++i) {
        const std::string bulge = i == 3 ? " 42\n1.0\n" : "";
        lw += " 10\n" + esquinas[i].first + "\n 20\n" + esquinas[i].second + "\n" + bulge;
        r12 += "  0\nVERTEX\n  8\n0\n 10\n" + esquinas[i].first + "\n 20\n" + esquinas[i].second + "\n" + bulge;
    }
    lw += "  0\nENDSEC\n";
    r12 += "  0\nSEQEND\n  0\nENDSEC\n";
    const std::size_t tramos = arcos::tramosDelArco({0, 10}, {0, 0}, 1, 0.05);
    for (const std::string& text : {lw, r12}) {
        CoordList MX, MY;
        const ResultadoDxf r = escaneaDxf(text, MX, MY, [] { return false; }, 0.05);
        EXPECT_EQ(r.arcos.arcos, 1u);
        EXPECT_EQ(r.arcos.tramos, tramos);
        ASSERT_EQ(MX.size(), 4 + tramos - 1);
        EXPECT_EQ(MX[3], "500000.0");
        // The arc's middle point, 5 m west of the side.
        EXPECT_EQ(MX[3 + tramos / 2], "499995.0000");
        EXPECT_EQ(MY[3 + tramos / 2], "4100005.0000");
        EXPECT_NEAR(r.arcos.cambioSuperficie, std::numbers::pi * 25 / 2, std::numbers::pi * 5 * 0.05);

        // Without a flecha (the scanner's default) the vertices alone.
        CoordList x, y;
        EXPECT_EQ(escaneaDxf(text, x, y, [] { return false; }).arcos.arcos, 0u);
        EXPECT_EQ(x.size(), 4u);
    }

    // The load tells it after judging the drawing.
    TempDir dir;
    writeFile(dir / "arco.dxf", lw);
    const Carga c = carga(dir / "arco.dxf");
    ASSERT_EQ(c.resultado, CargaDxf::cargado);
    ASSERT_EQ(c.mensajes.size(), 1u);
    // Half a disc of radius 5, short by the chords' segments.
    EXPECT_EQ(c.mensajes[0], "El dibujo tiene 1 arcos; se han sustituido por " + std::to_string(tramos) +
                                 " tramos rectos (flecha máxima 0,05 m). La superficie cambia en 38,82 m² respecto a "
                                 "unir los vértices con rectas.");
}
