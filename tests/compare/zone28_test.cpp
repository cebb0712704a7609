// Zone 28 through degrees: PROJ's conversion on known points, and the
// service asked in EPSG:4326 with its answer brought back to metres.

#include <gtest/gtest.h>

#include <cstdio>

#include "compare/cadastre_service.hpp"
#include "compare/degrees.hpp"
#include "support/local_server.hpp"
#include "support/process.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {
namespace {

TEST(Zone28Test, ConvertsKnownPointsBothWays)
{
    const compare::Zone28 convert;
    // On the zone's central meridian at the equator: the false easting.
    const Punto origin = convert.metres({0, -15});
    EXPECT_NEAR(origin.x, 500000, 1e-6);
    EXPECT_NEAR(origin.y, 0, 1e-6);
    // West of the meridian, less easting; north, more northing.
    const Punto tenerife = convert.metres({28.4636, -16.2518});
    EXPECT_GT(tenerife.x, 300000);
    EXPECT_LT(tenerife.x, 500000);
    EXPECT_NEAR(tenerife.y, 3.149e6, 0.01e6);
    for (const compare::Degrees d : {compare::Degrees{28.4636, -16.2518}, compare::Degrees{27.75, -18.0}}) {
        const compare::Degrees back = convert.degrees(convert.metres(d));
        EXPECT_NEAR(back.lat, d.lat, 1e-9);
        EXPECT_NEAR(back.lon, d.lon, 1e-9);
    }
}

// A cadastre answer in degrees holding one square parcel of 20 m, given in
// zone 28 metres.
std::string answerInDegrees(const std::string& ref, double x, double y)
{
    const compare::Zone28 convert;
    std::string list;
    for (const Punto p : {Punto{x, y}, Punto{x, y + 20}, Punto{x + 20, y + 20}, Punto{x + 20, y}, Punto{x, y}}) {
        const compare::Degrees d = convert.degrees(p);
        char pair[64];
        std::snprintf(pair, sizeof pair, "%s%.10f %.10f", list.empty() ? "" : " ", d.lat, d.lon);
        list += pair;
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
           "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" xmlns=\"http://www.opengis.net/wfs/2.0\"><member>"
           "<cp:CadastralParcel gml:id=\"ES.SDGC.CP." + ref + "\"><cp:geometry><gml:MultiSurface srsName=\""
           "http://www.opengis.net/def/crs/EPSG/0/4326\"><gml:surfaceMember><gml:Surface><gml:patches><gml:PolygonPatch>"
           "<gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">" + list +
           "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
           "</gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId><Identifier "
           "xmlns=\"http://inspire.ec.europa.eu/schemas/base/3.3\"><localId>" + ref +
           "</localId><namespace>ES.SDGC.CP</namespace></Identifier></cp:inspireId></cp:CadastralParcel></member>"
           "</FeatureCollection>\n";
}

TEST(Zone28Test, TheServiceIsAskedInDegreesAndItsAnswerComesBackInMetres)
{
    TempDir dir;
    const std::string ref = "1234567CS3413S";
    LocalServer server([&](const std::string&) { return Reply{200, answerInDegrees(ref, 377000, 3149000)}; });
    writeFile(dir / "nueva.txt", "1;377000;3149000\r\n2;377000;3149020\r\n3;377020;3149020\r\n4;377020;3149000\r\n");
    const RunResult r = run({VADREL_CLI, "compare", "--coords", "nueva.txt", "--zone", "28", "--descargar",
                             "--servicio", server.base()},
                            dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("superficie catastral: 400.00 m2 (" + ref + ")\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("desplazamiento máximo del perímetro: 0.00 m\n"), std::string::npos) << r.out;
    ASSERT_EQ(server.targets().size(), 1u);
    const std::string target = server.targets()[0];
    EXPECT_TRUE(target.ends_with("&srsname=EPSG:4326")) << target;
    // Latitude first: the box starts near 28.4 degrees north.
    EXPECT_NE(target.find("&bbox=28.4"), std::string::npos) << target;

    const RunResult saved = run({VADREL_CLI, "parcel", "download", "--ref", ref, "--zone", "28", "--servicio",
                                 server.base(), "-o", "p.gml"},
                                dir.path());
    EXPECT_EQ(saved.exitCode, 0) << saved.err;
    const std::string gml = readFile(dir / "p.gml");
    EXPECT_NE(gml.find("http://www.opengis.net/def/crs/EPSG/0/32628"), std::string::npos) << gml;
    EXPECT_NE(gml.find(">377000.00 3149000.00 377000.00 3149020.00 "), std::string::npos) << gml;
    EXPECT_TRUE(server.targets()[1].ends_with("&refcat=" + ref + "&srsname=EPSG:4326")) << server.targets()[1];
}

}  // namespace
}  // namespace vadrel::test
