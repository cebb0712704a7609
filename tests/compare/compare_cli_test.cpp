// vadrel-cli compare and parcel download, run as the person runs them,
// against files and against a real HTTP server on this machine serving the
// cadastre's own answers.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>

#include "compare/cadastre_service.hpp"
#include "core/failure.hpp"
#include "support/local_server.hpp"
#include "support/process.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {
namespace {

const char* const kException =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<ExceptionReport xmlns=\"http://www.opengis.net/ows/1.1\" version=\"2.0.0\">"
    "<Exception exceptionCode=\"InvalidParameterValue\"><ExceptionText>La referencia catastral no existe"
    "</ExceptionText></Exception></ExceptionReport>";

class CompareCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (sharedDir().empty()) GTEST_SKIP() << "no ../shared beside the repository: no cadastre answers to serve";
        parcels = sharedDir() / "samples/gml/parcel";
        block = (parcels / "wfs-cp-bbox-29-parcels.gml").string();
        single = (parcels / "wfs-cp-getparcel-8429105VK1882N.gml").string();
        // 2041508TP7124S of the block with its corner A moved 1 m into
        // 2041506TP7124S, halfway between that parcel's sides at A.
        const double ax = 271863.9, ay = 4814037.88;
        const double dx = 271909.59 - ax, dy = 4814054.17 - ay, fx = 271870.62 - ax, fy = 4814019.04 - ay;
        const double d = std::hypot(dx, dy), f = std::hypot(fx, fy);
        double mx = dx / d + fx / f, my = dy / d + fy / f;
        const double m = std::hypot(mx, my);
        char line[128];
        std::snprintf(line, sizeof line, "1;%.4f;%.4f\r\n", ax + mx / m, ay + my / m);
        writeFile(dir / "moved.txt", std::string(line) +
                                         "2;271857.19;4814056.72\r\n3;271902.87;4814073.01\r\n4;271909.59;4814054.17\r\n");
    }

    RunResult cli(std::vector<std::string> args, std::vector<std::string> env = {})
    {
        args.insert(args.begin(), VADREL_CLI);
        return run(args, dir.path(), env);
    }

    TempDir dir;
    std::filesystem::path parcels;
    std::string block, single;
};

TEST_F(CompareCliTest, ComparesWithChosenFilesAndTellsOverlapsByItsStatus)
{
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string lastLine;
    };
    const Case cases[] = {
        {{"--gml", single, "--catastro", single, block}, 0, "solapes: 0"},
        {{"--coords", "moved.txt", "--ref", "2041508TP7124S", "--catastro", block}, 1, "solapes: 1"},
        {{"--edificio", (sharedDir() / "samples/gml/building/sede-Building_9531109VK0193B.gml").string(), "--parcela",
          single},
         1, "construcciones fuera: 2"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"compare"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = cli(args);
        SCOPED_TRACE(r.out + r.err);
        EXPECT_EQ(r.exitCode, c.status);
        EXPECT_EQ(r.err, "");
        ASSERT_FALSE(r.out.empty());
        EXPECT_TRUE(r.out.ends_with(c.lastLine + "\n"));
    }
    const RunResult moved = cli({"compare", "--coords", "moved.txt", "--ref", "2041508TP7124S", "--catastro", block});
    EXPECT_NE(moved.out.find("superficie catastral: 970.09 m2 (2041508TP7124S)\n"), std::string::npos) << moved.out;
    EXPECT_NE(moved.out.find("\nsolape con 2041506TP7124S: "), std::string::npos) << moved.out;

    const RunResult drawn = cli({"compare", "--coords", "moved.txt", "--catastro", block, "--png", "c.png"});
    EXPECT_EQ(drawn.exitCode, 1) << drawn.err;
    EXPECT_EQ(drawn.out, moved.out) << "without --ref the parcel is affected by its area inside";
    const std::string png = readFile(dir / "c.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    // IHDR: 800 x 800.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\x20\0\0\x03\x20", 8));
}

TEST_F(CompareCliTest, BadUsageAndMissingMapsHaveTheirOwnStatus)
{
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"compare", "--gml", single}, 2},
        {{"compare", "--catastro", block}, 2},
        {{"compare", "--gml", single, "--coords", "moved.txt", "--catastro", block}, 2},
        {{"compare", "--gml", single, "--catastro", block, "--descargar"}, 2},
        {{"compare", "--gml", single, "--catastro", block, "--servicio", "http://127.0.0.1/"}, 2},
        {{"compare", "--coords", "moved.txt", "--zone", "27", "--catastro", block}, 2},
        {{"compare", "--edificio", single}, 2},
        {{"parcel", "download", "--ref", "123", "-o", "x.gml"}, 2},
        {{"compare", "--gml", single, "--catastro", "absent.gml"}, 3},
        // Only the cadastre's host over https, or this machine over http.
        {{"compare", "--gml", single, "--descargar", "--servicio", "http://example.com/INSPIRE/"}, 3},
        {{"compare", "--gml", single, "--descargar", "--servicio", "https://example.com/INSPIRE/"}, 3},
        {{"compare", "--gml", single, "--descargar", "--servicio", "http://10.0.0.1/INSPIRE/"}, 3},
        {{"compare", "--gml", "absent.gml", "--catastro", block}, 1},
    };
    for (const auto& [args, status] : cases) {
        const RunResult r = cli(args);
        EXPECT_EQ(r.exitCode, status) << testing::PrintToString(args) << r.err;
        EXPECT_FALSE(r.err.empty());
        if (status == 3) {
            EXPECT_EQ(r.out, "") << "nothing compared without a map";
        }
    }
}

TEST_F(CompareCliTest, DownloadsTheMapFromTheService)
{
    LocalServer server([&](const std::string&) { return Reply{200, readFile(block)}; });
    const RunResult r = cli({"compare", "--coords", "moved.txt", "--ref", "2041508TP7124S", "--descargar",
                             "--servicio", server.base()});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_TRUE(r.out.ends_with("solapes: 1\n")) << r.out;
    const auto targets = server.targets();
    ASSERT_EQ(targets.size(), 1u) << "a small box is one request";
    EXPECT_TRUE(targets[0].starts_with("/INSPIRE/wfsCP.aspx?service=wfs&version=2.0.0&request=getfeature&"
                                       "typenames=CP.CADASTRALPARCEL&bbox="))
        << targets[0];
    EXPECT_TRUE(targets[0].ends_with("&srsname=EPSG:25830")) << targets[0];

    // The same through the environment, as the windows take it.
    const RunResult env = cli({"compare", "--coords", "moved.txt", "--descargar"},
                              {std::string(compare::kServiceVariable) + "=" + server.base()});
    EXPECT_EQ(env.exitCode, 1) << env.err;
    EXPECT_EQ(server.targets().size(), 2u);
}

TEST_F(CompareCliTest, DownloadsAParcelByItsReference)
{
    LocalServer server([&](const std::string& target) -> std::optional<Reply> {
        if (target.find("refcat=8429105VK1882N") != std::string::npos) return Reply{200, readFile(single)};
        return Reply{200, kException};
    });
    const RunResult r =
        cli({"parcel", "download", "--ref", "8429105VK1882N", "--servicio", server.base(), "-o", "p.gml"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(readFile(dir / "p.gml"), readFile(single));
    ASSERT_EQ(server.targets().size(), 1u);
    EXPECT_EQ(server.targets()[0],
              "/INSPIRE/wfsCP.aspx?service=wfs&version=2.0.0&request=getfeature&StoredQuerie_id=GetParcel"
              "&refcat=8429105VK1882N&srsname=EPSG:25830");

    const RunResult refused =
        cli({"parcel", "download", "--ref", "9999999VK9999N", "--servicio", server.base(), "-o", "q.gml"});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_EQ(refused.err, "No se ha podido descargar la cartografía catastral: el servicio del catastro responde "
                           "«La referencia catastral no existe»\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "q.gml"));
}

TEST_F(CompareCliTest, AServerThatNeverAnswersIsToldAfterItsTime)
{
    LocalServer server([](const std::string&) { return std::optional<Reply>(); });
    const RunResult r = cli({"compare", "--gml", single, "--descargar", "--servicio", server.base()});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.starts_with("No se ha podido descargar la cartografía catastral: ")) << r.err;
    EXPECT_NE(r.err.find("el servidor no responde a tiempo"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(CadastreServiceTest, OnlyTheCadastreOrThisMachineServe)
{
    const std::pair<const char*, bool> cases[] = {
        {"https://ovc.catastro.meh.es/INSPIRE/", true},
        {"http://127.0.0.1:8080/INSPIRE/", true},
        {"http://127.5.0.9/x/", true},
        {"http://[::1]:9000/INSPIRE/", true},
        {"http://ovc.catastro.meh.es/INSPIRE/", false},  // never in the clear
        {"https://ovc.catastro.meh.es.example.com/", false},
        {"https://user@ovc.catastro.meh.es/INSPIRE/", false},
        {"http://128.0.0.1/", false},
        {"http://127.0.0.256/", false},
        {"http://localhost/", false},
        {"ftp://127.0.0.1/", false},
        {"", false},
    };
    for (const auto& [base, accepted] : cases) {
        bool made = true;
        try {
            compare::CadastreService service{base};
        } catch (const Failure&) {
            made = false;
        }
        EXPECT_EQ(made, accepted) << base;
    }
}

TEST(CadastreServiceTest, ExceptionReportsGiveTheServicesWords)
{
    EXPECT_EQ(compare::exceptionText(kException), "La referencia catastral no existe");
    EXPECT_EQ(compare::exceptionText("<ows:ExceptionReport xmlns:ows='x'/>"), "sin explicación");
    EXPECT_EQ(compare::exceptionText("<FeatureCollection/>"), std::nullopt);
    EXPECT_EQ(compare::exceptionText("not xml"), std::nullopt);
}

// An answer cut at the service's limit is asked again in quarters, each
// parcel kept once; a box still too full at the smallest tiles is told.
TEST_F(CompareCliTest, ABoxTheServiceCutsShortIsAskedInQuarters)
{
    std::string full = readFile(block);
    const std::string cut = "numberMatched=\"6000\" numberReturned=\"5000\"";
    const std::string whole = "numberMatched=\"29\" numberReturned=\"29\"";
    full.replace(full.find(whole), whole.size(), cut);
    std::atomic<int> asked = 0;
    std::atomic<bool> alwaysCut = false;
    LocalServer server([&](const std::string&) {
        return Reply{200, asked++ == 0 || alwaysCut ? full : readFile(block)};
    });
    const compare::CadastreService service(server.base());
    EXPECT_EQ(service.parcelsInBox(271800, 4814000, 272000, 4814200, 30).size(), 29u);
    EXPECT_EQ(server.targets().size(), 5u);

    alwaysCut = true;
    EXPECT_THROW(service.parcelsInBox(271800, 4814000, 272000, 4814200, 30), Failure);
}

}  // namespace
}  // namespace vadrel::test
