// vadrel-cli report and building report, read back with poppler's tools:
// the text a client copies out of the document, and the plan measured on
// a rendering of the page.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>

#include "support/process.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel::test;

namespace {

class ReportCli : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override
    {
        if (!haveProgram("pdftotext") || !haveProgram("pdftoppm")) GTEST_SKIP() << "sin poppler-utils (scripts/deps.sh)";
    }
    RunResult cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), VADREL_CLI);
        return run(args, dir.path());
    }
    // The document's text in the order it is drawn.
    std::string texto(const std::string& pdf)
    {
        const RunResult r = run({"pdftotext", "-raw", pdf, "-"}, dir.path());
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    }
};

// A grey page rendered at 254 dpi: ten pixels a millimetre.
struct Gris {
    int ancho = 0, alto = 0;
    std::string px;
    bool oscuro(int x, int y) const { return static_cast<unsigned char>(px[std::size_t(y) * ancho + x]) < 128; }
};

Gris leePgm(const std::string& bytes)
{
    std::istringstream in(bytes);
    std::string magic;
    int maximo = 0;
    Gris g;
    in >> magic >> g.ancho >> g.alto >> maximo;
    in.get();
    g.px = bytes.substr(static_cast<std::size_t>(in.tellg()));
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(g.px.size(), std::size_t(g.ancho) * g.alto);
    return g;
}

// The centres of the dark runs along a row, between two columns.
std::vector<double> trazosEnFila(const Gris& g, int y, int desde, int hasta)
{
    std::vector<double> out;
    for (int x = desde; x < hasta; ++x) {
        if (!g.oscuro(x, y)) continue;
        const int inicio = x;
        while (x < hasta && g.oscuro(x, y)) ++x;
        out.push_back((inicio + x - 1) / 2.0);
    }
    return out;
}

}  // namespace

TEST_F(ReportCli, SampleParcelShowsReferenceEveryVertexAreaAndPage)
{
    const auto sample = sharedDir() / "samples/gml/parcel/wfs-cp-getparcel-8429105VK1882N.gml";
    if (sharedDir().empty() || !std::filesystem::exists(sample)) GTEST_SKIP() << "sin las muestras de ../shared";
    const RunResult r = cli({"report", "--gml", sample.string(), "--autor", "Ana Pérez", "-o", "informe"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string t = texto("informe.pdf");
    EXPECT_NE(t.find("Informe de coordenadas de la parcela 8429105VK1882N"), std::string::npos) << t;
    EXPECT_NE(t.find("ETRS89 / UTM huso 30N"), std::string::npos);
    EXPECT_NE(t.find("Autor: Ana Pérez"), std::string::npos);
    EXPECT_NE(t.find("Superficie calculada con las coordenadas: 572,17 m²"), std::string::npos);
    EXPECT_NE(t.find("Superficie declarada en el GML: 572 m²"), std::string::npos);
    EXPECT_NE(t.find("Página 1 de 1"), std::string::npos);
    // Every X and Y text of the file's ring, the closing repetition aside,
    // with a comma and the two decimals of the most precise ones
    // ("4482651" is "4482651,00").
    const std::string gml = readFile(sample);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(gml, m, std::regex("<gml:posList[^>]*>([^<]*)<")));
    std::istringstream valores(m[1].str());
    std::vector<std::string> v{std::istream_iterator<std::string>(valores), {}};
    ASSERT_EQ(v.size(), 48u);
    const auto dosDecimales = [](std::string s) {
        const std::size_t punto = s.find('.');
        if (punto == std::string::npos) return s + ",00";
        s[punto] = ',';
        return s.append(punto + 3 - s.size(), '0');
    };
    for (std::size_t i = 0; i + 2 < v.size(); i += 2) {
        EXPECT_NE(t.find(dosDecimales(v[i]) + " " + dosDecimales(v[i + 1])), std::string::npos)
            << "vértice " << i / 2 + 1 << ": " << v[i];
    }
    EXPECT_NE(t.find("418263,04 4482651,00"), std::string::npos);
    EXPECT_NE(t.find("418258,90 4482660,55"), std::string::npos);
}

TEST_F(ReportCli, ThreeHundredVerticesFillSeveralPagesOnceEachInOrder)
{
    // A 100 x 50 m rectangle in Tenerife with a vertex every metre, each X
    // text its own.
    std::ostringstream c;
    std::vector<std::string> xs;
    int n = 0;
    auto anade = [&](int x, int y) {
        ++n;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d.%03d", 372600 + x, n);
        c << n << ';' << buf << ';' << 3142200 + y << ".5\r\n";
        *std::strchr(buf, '.') = ',';  // as the report shows it
        xs.push_back(buf);
    };
    for (int x = 0; x < 100; ++x) anade(x, 0);
    for (int y = 0; y < 50; ++y) anade(100, y);
    for (int x = 100; x > 0; --x) anade(x, 50);
    for (int y = 50; y > 0; --y) anade(0, y);
    writeFile(dir / "c.txt", c.str());
    const RunResult r = cli({"report", "--coords", "c.txt", "--ref", "1234567AB1234N", "--zone", "28", "-o", "i.pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string t = texto("i.pdf");
    EXPECT_NE(t.find("WGS 84 / UTM huso 28N"), std::string::npos);
    EXPECT_NE(t.find("Página 1 de 4"), std::string::npos);
    EXPECT_NE(t.find("Página 4 de 4"), std::string::npos);
    std::size_t desde = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const std::size_t at = t.find(xs[i], desde);
        ASSERT_NE(at, std::string::npos) << "vértice " << i + 1 << " falta o está fuera de orden";
        EXPECT_EQ(t.find(xs[i], at + 1), std::string::npos) << "vértice " << i + 1 << " repetido";
        desde = at;
    }
}

TEST_F(ReportCli, TenMetreSquareAtOneToHundredIsTenCentimetresOnThePage)
{
    writeFile(dir / "c.txt", "1;500000;4100000\r\n2;500010;4100000\r\n3;500010;4100010\r\n4;500000;4100010\r\n");
    const RunResult r = cli({"report", "--coords", "c.txt", "--ref", "cuadrado", "--area", "100", "-o", "c.pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(texto("c.pdf").find("Escala 1:100"), std::string::npos);
    const RunResult ppm = run({"pdftoppm", "-r", "254", "-gray", "c.pdf", "p"}, dir.path());
    ASSERT_EQ(ppm.exitCode, 0) << ppm.err;
    EXPECT_EQ(ppm.err, "");
    const Gris g = leePgm(readFile(dir / "p-1.pgm"));
    ASSERT_EQ(g.ancho, 2100);  // A4 at 10 px a mm
    // The plan's box is 180 x 120 mm from (15, 40) mm; the square sits at
    // its centre, (105, 100) mm. Its sides cross the middle row and column.
    const std::vector<double> fila = trazosEnFila(g, 1000, 500, 1600);
    ASSERT_EQ(fila.size(), 2u);
    EXPECT_NEAR(fila[1] - fila[0], 1000, 5);  // 100 mm within 0.5 mm
    Gris t = g;  // the columns as rows
    t.ancho = g.alto;
    t.alto = g.ancho;
    for (int y = 0; y < g.alto; ++y)
        for (int x = 0; x < g.ancho; ++x) t.px[std::size_t(x) * t.ancho + y] = g.px[std::size_t(y) * g.ancho + x];
    const std::vector<double> columna = trazosEnFila(t, 1050, 420, 1580);
    ASSERT_EQ(columna.size(), 2u);
    EXPECT_NEAR(columna[1] - columna[0], 1000, 5);
    // The scale bar: 5 m, 50 mm from 5 mm inside the box's left edge, its
    // segments along the row 5.3 mm above the box's foot.
    const std::vector<double> barra = trazosEnFila(g, 1547, 170, 1000);
    ASSERT_FALSE(barra.empty());
    int primero = 170, ultimo = 999;
    while (!g.oscuro(primero, 1547)) ++primero;
    while (!g.oscuro(ultimo, 1547)) --ultimo;
    EXPECT_NEAR(ultimo - primero, 500, 5);
}

TEST_F(ReportCli, BuildingReportTellsEveryConstruction)
{
    const auto sample = sharedDir() / "samples/gml/building/sede-Building_9531109VK0193B.gml";
    if (sharedDir().empty() || !std::filesystem::exists(sample)) GTEST_SKIP() << "sin las muestras de ../shared";
    const RunResult r = cli({"building", "report", "--gml", sample.string(), "-o", "e.pdf"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string t = texto("e.pdf");
    EXPECT_NE(t.find("Informe de coordenadas de la edificación 9531109VK0193B"), std::string::npos) << t;
    EXPECT_NE(t.find("Nueva Edificación 1 · Edificación · Exterior · 22,08 m²"), std::string::npos);
    EXPECT_NE(t.find("Nueva Edificación 2 · Edificación · Exterior · 29,83 m²"), std::string::npos);
    EXPECT_NE(t.find("Superficie en planta de las edificaciones: 51,92 m²"), std::string::npos);
}

TEST_F(ReportCli, RefusalsLeaveNoDocument)
{
    struct Caso {
        std::vector<std::string> args;
        int estado;
    };
    writeFile(dir / "dos.txt", "1;500000;4100000\r\n2;500010;4100000\r\n");
    writeFile(dir / "roto.gml", "<cp:CadastralParcel");
    for (const Caso& c : {Caso{{"report", "--gml", "a.gml", "--coords", "c.txt", "-o", "x.pdf"}, 2},
                          Caso{{"report", "--gml", "a.gml", "--area", "5", "-o", "x.pdf"}, 2},
                          Caso{{"report", "--coords", "dos.txt", "-o", "x.pdf"}, 2},
                          Caso{{"report", "--gml", "falta.gml", "-o", "x.pdf"}, 1},
                          Caso{{"report", "--gml", "roto.gml", "-o", "x.pdf"}, 1},
                          Caso{{"report", "--coords", "dos.txt", "--ref", "r", "-o", "x.pdf"}, 1},
                          Caso{{"building", "report", "--gml", "roto.gml", "-o", "x.pdf"}, 1}}) {
        const RunResult r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.estado) << c.args[2] << ' ' << c.args[3] << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
    }
}

// The cadastral map given: the comparison's table in the document, its
// figures with a decimal comma and their units, only when the map holds
// the parcel's surroundings.
TEST_F(ReportCli, CadastralMapBringsTheComparisonWhenItIsAround)
{
    const auto parcels = sharedDir() / "samples/gml/parcel";
    if (sharedDir().empty() || !std::filesystem::exists(parcels)) GTEST_SKIP() << "sin las muestras de ../shared";
    // 2041508TP7124S with a corner 0.6 m into 2041506TP7124S.
    std::ofstream(dir.path() / "movida.txt") << "1;271864.4771;4814037.2781\n2;271857.19;4814056.72\n"
                                                "3;271902.87;4814073.01\n4;271909.59;4814054.17\n";
    const std::string block = (parcels / "wfs-cp-bbox-29-parcels.gml").string();
    const std::string far = (parcels / "wfs-cp-getparcel-8429105VK1882N.gml").string();
    const RunResult near = cli({"report", "--coords", "movida.txt", "--ref", "2041508TP7124S", "--catastro", far,
                                block, "-o", "cerca.pdf"});
    ASSERT_EQ(near.exitCode, 0) << near.err;
    const std::string t = std::regex_replace(texto("cerca.pdf"), std::regex("\\s+"), " ");
    EXPECT_NE(t.find("Comparación con la cartografía catastral Superficie nueva 985,13 m² Superficie catastral "),
              std::string::npos)
        << t;
    // The tolerance's row right after the difference, with comma decimals.
    EXPECT_TRUE(std::regex_search(t, std::regex("Diferencia -?[0-9.]+,[0-9]{2} m² \\(-?[0-9]+,[0-9]{2} %\\) Margen de "
                                                "tolerancia técnica [0-9.]+,[0-9]{2} m² \\(la diferencia está "
                                                "(dentro|fuera)\\) Fuera de ")))
        << t;
    EXPECT_TRUE(std::regex_search(t, std::regex("Solape con 2041506TP7124S [0-9]+,[0-9]{2} m², profundidad "
                                                "[0-9]+,[0-9]{2} m Solapes 1 ")))
        << t;
    EXPECT_EQ(t.find(" m2"), std::string::npos) << t;

    const RunResult away =
        cli({"report", "--coords", "movida.txt", "--ref", "2041508TP7124S", "--catastro", far, "-o", "lejos.pdf"});
    ASSERT_EQ(away.exitCode, 0) << away.err;
    EXPECT_EQ(texto("lejos.pdf").find("Comparación"), std::string::npos);

    EXPECT_EQ(cli({"report", "--coords", "movida.txt", "--ref", "2041508TP7124S", "--catastro", "nada.gml", "-o",
                   "x.pdf"})
                  .exitCode,
              1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.pdf"));
}

// The document read as the client reads it: every figure with a comma, each
// column of the table to the decimals of its most precise coordinate, and
// the check's first line telling whether the schemas saw the file.
TEST_F(ReportCli, OneDocumentCommaEverywhereAndTheCheckTellsTheSchemas)
{
    writeFile(dir / "c.txt",
              "1;500000;4100000\r\n2;500010.5;4100000\r\n3;500010.25;4100010.125\r\n4;500000;4100010\r\n");
    const auto informe = [&](const std::string& catalogo, const std::string& pdf) {
        const RunResult r = run({VADREL_CLI, "report", "--coords", "c.txt", "--ref", "1234567AB1234N", "--area",
                                 "103.5", "-o", pdf},
                                dir.path(), {"XML_CATALOG_FILES=" + catalogo});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        // One blank between words: a long line of the check takes two.
        return std::regex_replace(texto(pdf), std::regex("\\s+"), " ");
    };
    const std::string t = informe((dir / "falta.xml").string(), "sin.pdf");
    for (const char* fila : {"1 500000,00 4100000,000", "2 500010,50 4100000,000", "3 500010,25 4100010,125",
                             "4 500000,00 4100010,000"})
        EXPECT_NE(t.find(fila), std::string::npos) << fila << "\n" << t;
    EXPECT_NE(t.find("Superficie declarada en el GML: 103,5 m²"), std::string::npos) << t;
    EXPECT_FALSE(std::regex_search(t, std::regex("[0-9]\\.[0-9]"))) << "a figure with a point:\n" << t;
    EXPECT_NE(t.find("Comprobación del GML: Sin errores, pero sin comprobar contra los esquemas No se ha podido comprobar el "
                     "archivo contra los esquemas"),
              std::string::npos)
        << t;
    EXPECT_EQ(t.find("Sin problemas"), std::string::npos);

    const auto shared = sharedDir();
    if (shared.empty()) GTEST_SKIP() << "no ../shared beside the repository: the schemas' catalog";
    const std::string con = informe((shared / "schemas/catalog.xml").string(), "con.pdf");
    EXPECT_NE(con.find("Comprobación del GML: Sin problemas"), std::string::npos) << con;
    EXPECT_EQ(con.find("sin comprobar contra los esquemas"), std::string::npos);
}

namespace {

// A parcel GML as the cadastre's service gives one, its reference and
// the posList of each surface its own.
std::string gmlDeParcela(const std::string& referencia, const std::vector<std::string>& superficies,
                         const std::string& area = "200")
{
    std::string s =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
        "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" xmlns=\"http://www.opengis.net/wfs/2.0\">\n"
        "<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP.1\"><cp:areaValue uom=\"m2\">" + area +
        "</cp:areaValue><cp:geometry><gml:MultiSurface srsName=\"http://www.opengis.net/def/crs/EPSG/0/25830\">";
    for (const std::string& posList : superficies)
        s += "<gml:surfaceMember><gml:Surface srsName=\"http://www.opengis.net/def/crs/EPSG/0/25830\"><gml:patches>"
             "<gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">" + posList +
             "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
             "</gml:surfaceMember>";
    return s + "</gml:MultiSurface></cp:geometry><cp:inspireId><Identifier "
               "xmlns=\"http://inspire.ec.europa.eu/schemas/base/3.3\"><localId>" + referencia +
               "</localId><namespace>ES.SDGC.CP</namespace></Identifier></cp:inspireId>"
               "</cp:CadastralParcel></member>\n</FeatureCollection>\n";
}

// A 10 x 10 m square from (x, y), closed.
std::string cuadrado(const std::string& x0, const std::string& y0, long dx = 0)
{
    const long x = std::stol(x0) + dx, y = std::stol(y0);
    const auto p = [](long a, long b) { return std::to_string(a) + " " + std::to_string(b) + " "; };
    return p(x, y) + p(x + 10, y) + p(x + 10, y + 10) + p(x, y + 10) + p(x, y);
}

std::string edificioConPiscinaDeDosPoligonos()
{
    const auto poligono = [](long dx) {
        return "<gml:surfaceMember><gml:Polygon><gml:exterior><gml:LinearRing><gml:posList>" +
               cuadrado("440000", "4470000", dx) + "</gml:posList></gml:LinearRing></gml:exterior></gml:Polygon>"
               "</gml:surfaceMember>";
    };
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<gml:FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
           "xmlns:bu-ext2d=\"http://inspire.jrc.ec.europa.eu/schemas/bu-ext2d/2.0\" "
           "xmlns:base=\"urn:x-inspire:specification:gmlas:BaseTypes:3.2\">"
           "<gml:featureMember><bu-ext2d:OtherConstruction><base:Identifier><base:localId>P1</base:localId>"
           "<base:namespace>ES.LOCAL.OC</base:namespace></base:Identifier><bu-ext2d:geometry>"
           "<gml:MultiSurface srsName=\"urn:ogc:def:crs:EPSG::25830\">" +
           poligono(0) + poligono(20) +
           "</gml:MultiSurface></bu-ext2d:geometry></bu-ext2d:OtherConstruction></gml:featureMember>"
           "</gml:FeatureCollection>\n";
}

}  // namespace

// Hostile inputs of the report, through the batch command: what is shown
// of them, what is refused, and never a file left behind by a refusal.
TEST_F(ReportCli, HostileInputsShownWholeEscapedCutOrRefused)
{
    const std::string rlo = "\xE2\x80\xAE";  // U+202E, RIGHT-TO-LEFT OVERRIDE
    struct Caso {
        const char* nombre;
        std::string entrada;  // file written as "entrada.gml" or "entrada.txt"
        std::vector<std::string> args;
        int estado;
        std::optional<std::string> mensaje;  // standard error, whole; none: the loader's own notes
        std::vector<std::string> enElTexto = {}, fueraDelTexto = {};
        std::uintmax_t mayorPdf = 300'000;  // bytes
    };
    const std::string diezMegas(10'000'000, 'R');
    const Caso casos[] = {
        {"dos_superficies",
         gmlDeParcela("1234567AB1234N", {cuadrado("440000", "4470000"), cuadrado("440000", "4470000", 20)}),
         {"report", "--gml", "entrada.gml"}, 0, "",
         {"Superficie 1", "Superficie 2", "Superficie calculada con las coordenadas: 200,00 m²",
          "Superficie declarada en el GML: 200 m²", "440020 4470000", "440030 4470010", "Número de vértices: 8"},
         {"difiere", "Sólo se cargará"}},
        {"referencia_que_se_lee_al_reves", gmlDeParcela(rlo + "N4321BA7654321", {cuadrado("440000", "4470000")}, "100"),
         {"report", "--gml", "entrada.gml"}, 0, "",
         {"Informe de coordenadas de la parcela \\u202eN4321BA7654321", "Referencia: \\u202eN4321BA7654321"},
         {rlo}},
        {"referencia_de_diez_megas", gmlDeParcela(diezMegas, {cuadrado("440000", "4470000")}, "100"),
         {"report", "--gml", "entrada.gml"}, 0, "",
         // The page's line shows what fits of the 200 characters.
         {"Referencia: RRRRRRRRRR"}, {std::string(201, 'R')}, 100'000},
        {"doce_decimales", "1;440000.123456789012;4470000\r\n2;440010;4470000.5\r\n3;440010;4470010\r\n"
         "4;440000.123456789012;4470000\r\n",
         {"report", "--coords", "entrada.txt", "--ref", "1234567AB1234N", "--zone", "30"}, 0, "",
         {"1 440000,1235 4470000,0", "2 440010,0000 4470000,5"}, {"440000,12345"}},
        {"mil_billones_de_metros", gmlDeParcela("1234567AB1234N", {"440000 4470000 1e15 4470000 1e15 4470010 440000 "
                                                                   "4470010 440000 4470000"}),
         {"report", "--gml", "entrada.gml"}, 1, "Error. La geometría mide más de 100 km; no cabe en un plano.\n"},
        // In Spain's UTM range of the zone, so "Crear GML" writes it; the
        // plan does not take it.
        {"doscientos_kilometros", "1;300000;4470000\r\n2;500000;4470000\r\n3;500000;4470010\r\n4;300000;4470000\r\n",
         {"report", "--coords", "entrada.txt", "--ref", "1234567AB1234N", "--zone", "30"}, 1,
         "Error. La geometría mide más de 100 km; no cabe en un plano.\n"},
        {"piscina_de_dos_poligonos", edificioConPiscinaDeDosPoligonos(), {"building", "report", "--gml", "entrada.gml"},
         0, std::nullopt,
         {"P1 · Superficie 1 · Piscina · Exterior · 100,00 m²", "P1 · Superficie 2 · Piscina · Exterior · 100,00 m²",
          "Superficie de las piscinas: 200,00 m²"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const bool gml = std::find(c.args.begin(), c.args.end(), "entrada.gml") != c.args.end();
        const std::string entrada = gml ? "entrada.gml" : "entrada.txt";
        writeFile(dir / entrada, c.entrada);
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", "informe.pdf"});
        const RunResult r = cli(args);
        EXPECT_EQ(r.exitCode, c.estado) << r.err;
        if (c.mensaje) {
            EXPECT_EQ(r.err, *c.mensaje);
        }
        std::vector<std::string> quedan;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            quedan.push_back(e.path().filename().string());
        std::sort(quedan.begin(), quedan.end());
        if (c.estado != 0) {
            EXPECT_EQ(quedan, std::vector<std::string>{entrada});
        } else {
            EXPECT_EQ(quedan, (std::vector<std::string>{entrada, "informe.pdf"}));
            EXPECT_LT(std::filesystem::file_size(dir / "informe.pdf"), c.mayorPdf);
            // One blank between words: a long line takes several.
            const std::string t = std::regex_replace(texto("informe.pdf"), std::regex("\\s+"), " ");
            for (const std::string& s : c.enElTexto) EXPECT_NE(t.find(s), std::string::npos) << s << "\n" << t;
            for (const std::string& s : c.fueraDelTexto) EXPECT_EQ(t.find(s), std::string::npos) << s;
            std::filesystem::remove(dir / "informe.pdf");
        }
        std::filesystem::remove(dir / entrada);
    }
}

namespace {

// A cadastral map of `cuantas` strips 3 m wide along the north side of a
// 100 x 50 m parcel from (440000, 4470000), each 1 m into it.
std::string franjasAlNorte(int cuantas)
{
    std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                    "<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
                    "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" xmlns=\"http://www.opengis.net/wfs/2.0\">\n";
    for (int i = 0; i < cuantas; ++i) {
        const long x = 440000 + 3L * i, y = 4470049;
        const auto p = [](long a, long b) { return std::to_string(a) + " " + std::to_string(b) + " "; };
        char ref[32];
        std::snprintf(ref, sizeof ref, "12345%02dAB1234N", i);
        s += std::string("<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP.") + ref +
             "\"><cp:geometry><gml:MultiSurface srsName=\"http://www.opengis.net/def/crs/EPSG/0/25830\">"
             "<gml:surfaceMember><gml:Surface><gml:patches><gml:PolygonPatch><gml:exterior><gml:LinearRing>"
             "<gml:posList srsDimension=\"2\">" +
             p(x, y) + p(x + 3, y) + p(x + 3, y + 10) + p(x, y + 10) + p(x, y) +
             "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
             "</gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId><Identifier "
             "xmlns=\"http://inspire.ec.europa.eu/schemas/base/3.3\"><localId>" + ref +
             "</localId><namespace>ES.SDGC.CP</namespace></Identifier></cp:inspireId></cp:CadastralParcel></member>\n";
    }
    return s + "</FeatureCollection>\n";
}

std::string sinBlancos(std::string s)
{
    std::erase_if(s, [](unsigned char c) { return std::isspace(c) != 0; });
    return s;
}

}  // namespace

// Long texts in every block of a real document: every sentence arrives
// whole in the PDF's text, none cut with "…" but the fields the report cuts
// at 200 characters, and every vertex and comparison row in order.
TEST_F(ReportCli, LongTextsArriveWholeInEveryBlock)
{
    // A 100 x 50 m rectangle with a vertex every metre, declared at 100 m².
    std::string posList;
    const auto p = [&](int x, int y) { posList += std::to_string(440000 + x) + " " + std::to_string(4470000 + y) + " "; };
    for (int x = 0; x < 100; ++x) p(x, 0);
    for (int y = 0; y < 50; ++y) p(100, y);
    for (int x = 100; x > 0; --x) p(x, 50);
    for (int y = 50; y > 0; --y) p(0, y);
    p(0, 0);
    writeFile(dir / "larga.gml", gmlDeParcela(std::string(300, 'R'), {posList}, "100"));
    writeFile(dir / "franjas.gml", franjasAlNorte(30));
    const std::string autor = "Ana María Pérez de la Fuente y Rodríguez-Villalobos, en nombre de la sociedad "
                              "Topografía y Agrimensura del Noroeste, S. L. P., con domicilio en Ourense";
    const std::string colegiado = "Ingeniera técnica en topografía, colegiada número 12345 del Colegio Oficial de "
                                  "Ingeniería Geomática y Topográfica, delegación de Galicia";
    const std::string cliente = "Comunidad hereditaria de don Xosé Manuel Fernández Outeiriño y doña Maruxa "
                                "Carballo Iglesias, representada por su administrador";
    const std::string situacion = "Paraxe O Outeiro das Pedras Longas, polígono 123, parcela 4567, lugar de "
                                  "Vilanova de Abaixo, parroquia de Santa María, Ourense";
    // No schemas: the check's own notes, the same wherever it runs.
    const RunResult r = run({VADREL_CLI, "report", "--gml", "larga.gml", "--catastro", "franjas.gml", "--autor", autor,
                             "--colegiado", colegiado, "--cliente", cliente, "--situacion", situacion, "-o", "larga.pdf"},
                            dir.path(), {"XML_CATALOG_FILES=" + (dir / "falta.xml").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string crudo = texto("larga.pdf");
    const std::string t = std::regex_replace(crudo, std::regex("\\s+"), " ");
    for (const std::string& frase :
         {"Autor: " + autor, "Titulación y nº de colegiado: " + colegiado, "Cliente: " + cliente,
          "Situación: " + situacion, std::string("Superficie declarada en el GML: 100 m², difiere en 4900,00 m² de la calculada"),
          std::string("No se ha podido comprobar el archivo contra los esquemas: no se puede leer el catálogo de "
                      "esquemas."),
          std::string("Comparación con la cartografía catastral Superficie nueva 5000,00 m²"),
          std::string("Solapes 30 ")})
        EXPECT_NE(t.find(frase), std::string::npos) << frase << "\n" << t;
    // The reference, 200 characters and the cut's mark, broken between
    // characters where a line ends.
    EXPECT_NE(sinBlancos(crudo).find("Referencia:" + std::string(200, 'R') + "…(catastral)"), std::string::npos);
    EXPECT_TRUE(std::regex_search(t, std::regex("Comprobación del GML: [0-9]+ errores y 0 avisos parcela R"))) << t;
    // The summary's count of the problems it leaves out is no cut.
    const std::string resto = std::regex_replace(crudo, std::regex("R[R\\s]*…|… y [0-9]+ más"), "");
    EXPECT_EQ(resto.find("…"), std::string::npos) << "a text cut short:\n" << resto;
    // Each overlap a row of its own, in order, with its figures whole.
    std::size_t desde = 0;
    for (int i = 0; i < 30; ++i) {
        char fila[96];
        std::snprintf(fila, sizeof fila, "Solape con 12345%02dAB1234N 3,00 m², profundidad 1,00 m ", i);
        const std::size_t at = t.find(fila, desde);
        ASSERT_NE(at, std::string::npos) << fila << "\n" << t;
        desde = at;
    }
    // Every vertex once, in order, after the comparison.
    for (int i = 1; i <= 300; ++i) {
        const std::size_t at = t.find(" " + std::to_string(i) + " 440", desde);
        ASSERT_NE(at, std::string::npos) << "vértice " << i;
        desde = at;
    }
}

// The document made in the person's home, with the schemas' catalog there
// and unreadable: the check tells why in plain words, and the PDF holds no
// part of the home's path.
TEST_F(ReportCli, NoPathOfTheMachineInTheDocument)
{
    const std::filesystem::path home = dir.path() / "Ana García";
    std::filesystem::create_directories(home / "tmp");
    writeFile(home / "c.txt", "1;500000;4100000\r\n2;500010;4100000\r\n3;500010;4100010\r\n4;500000;4100010\r\n");
    const RunResult r = run({VADREL_CLI, "report", "--coords", "c.txt", "--ref", "1234567AB1234N", "--area", "100",
                             "--autor", "Ana", "-o", "informe.pdf"},
                            home,
                            {"HOME=" + home.string(), "TMPDIR=" + (home / "tmp").string(),
                             "XML_CATALOG_FILES=" + (home / "falta.xml").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string t = std::regex_replace(texto((home / "informe.pdf").string()), std::regex("\\s+"), " ");
    EXPECT_NE(t.find("Comprobación del GML: Sin errores, pero sin comprobar contra los esquemas No se ha podido comprobar el "
                     "archivo contra los esquemas: no se puede leer el catálogo de esquemas."),
              std::string::npos)
        << t;
    for (const std::string& parte : {dir.path().string(), dir.path().filename().string(), std::string("García"),
                                     std::string("falta.xml"), std::string("/tmp")})
        EXPECT_EQ(t.find(parte), std::string::npos) << parte << "\n" << t;
    EXPECT_EQ(readFile(home / "informe.pdf").find(dir.path().filename().string()), std::string::npos);
}

// Both reports take the signer's details, and their usage names them.
TEST_F(ReportCli, SignerDetailsInBothReports)
{
    writeFile(dir / "edificio.gml", edificioConPiscinaDeDosPoligonos());
    writeFile(dir / "c.txt", "1;500000;4100000\r\n2;500010;4100000\r\n3;500010;4100010\r\n4;500000;4100010\r\n");
    const std::vector<std::string> firma{"--autor", "Ana Pérez", "--colegiado", "ITT nº 12", "--cliente", "Luis Gil",
                                         "--situacion", "Paraje Alto, Villena"};
    for (std::vector<std::string> orden : {std::vector<std::string>{"building", "report", "--gml", "edificio.gml"},
                                           std::vector<std::string>{"report", "--coords", "c.txt", "--ref", "1234567AB1234N"}}) {
        SCOPED_TRACE(orden[0]);
        orden.insert(orden.end(), firma.begin(), firma.end());
        orden.insert(orden.end(), {"-o", "f.pdf"});
        const RunResult r = cli(orden);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string t = std::regex_replace(texto("f.pdf"), std::regex("\\s+"), " ");
        for (const char* linea : {"Autor: Ana Pérez", "Titulación y nº de colegiado: ITT nº 12", "Cliente: Luis Gil",
                                  "Situación: Paraje Alto, Villena"})
            EXPECT_NE(t.find(linea), std::string::npos) << linea << "\n" << t;
        std::filesystem::remove(dir / "f.pdf");
        orden.resize(2);
        const RunResult uso = cli(orden);
        EXPECT_EQ(uso.exitCode, 2);
        for (const char* opcion : {"--autor TEXTO", "--colegiado TEXTO", "--cliente TEXTO", "--situacion TEXTO"})
            EXPECT_NE(uso.err.find(opcion), std::string::npos) << opcion << "\n" << uso.err;
    }
}
