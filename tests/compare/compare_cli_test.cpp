// vadrel-cli compare and parcel download, run as the person runs them,
// against files and against a real HTTP server on this machine serving the
// cadastre's own answers.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <thread>

#include "check/http_fetch.hpp"
#include "compare/cadastre_service.hpp"
#include "compare/comparison.hpp"
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

// The file with every ring's coordinates replaced by a square 2e308 m wide:
// each coordinate a finite number, its area and distances none.
std::string farApart(std::string gml)
{
    const std::string square = "-1e308 -1e308 1e308 -1e308 1e308 1e308 -1e308 1e308 -1e308 -1e308";
    for (std::size_t at = 0; (at = gml.find("<gml:posList", at)) != std::string::npos;) {
        const std::size_t from = gml.find('>', at) + 1, to = gml.find("</gml:posList>", from);
        gml.replace(from, to - from, square);
        at = from + square.size();
    }
    return gml;
}

// A figure that is no finite number is never printed: the comparison ends
// with its reason, nothing on standard output, and status 3 as for a map
// that could not be had.
TEST_F(CompareCliTest, AComparisonThatCannotBeComputedIsTold)
{
    const std::string building = (sharedDir() / "samples/gml/building/sede-Building_9531109VK0193B.gml").string();
    writeFile(dir / "lejos.gml", farApart(readFile(single)));
    writeFile(dir / "edificio_lejos.gml", farApart(readFile(building)));
    const std::string noNumber = " no es un número finito; revise las coordenadas.\n";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--gml", "lejos.gml", "--catastro", single}, std::string(compare::kNoComparison) + "la superficie nueva" + noNumber},
        {{"--gml", single, "--catastro", "lejos.gml"}, std::string(compare::kNoComparison) + "la superficie catastral" + noNumber},
        {{"--edificio", "edificio_lejos.gml", "--parcela", single},
         std::string(compare::kNoComparison) + "la superficie de una construcción fuera de la parcela" + noNumber},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"compare"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = cli(args);
        SCOPED_TRACE(testing::PrintToString(args));
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.exitCode, 3);
    }
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
    const RunResult r =
        cli({"compare", "--gml", single, "--descargar", "--servicio", server.base(), "--plazo", "1"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.starts_with("No se ha podido descargar la cartografía catastral: ")) << r.err;
    EXPECT_NE(r.err.find("el servidor no responde a tiempo"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(server.targets().size(), 2u) << "asked once more before giving up";
}

std::string owsException(const std::string& text)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ows:ExceptionReport xmlns:ows=\"http://www.opengis.net/ows/1.1\" "
           "version=\"2.0.0\"><ows:Exception exceptionCode=\"InvalidParameterValue\"><ows:ExceptionText>" +
           text + "</ows:ExceptionText></ows:Exception></ows:ExceptionReport>";
}

// The service as it really answers, each answer through the batch command:
// whatever the service refused on the way, the comparison's lines are those
// of plain answers; what stops the download says why.
TEST_F(CompareCliTest, TheServiceAsItReallyAnswers)
{
    // 2041508TP7124S moved, with a sliver 2.2 km east: three tiles across.
    writeFile(dir / "long.txt", readFile(dir / "moved.txt") + "5;274100;4814050\r\n");
    const std::string seaText = "No records founded for BBOX and SRS provided";
    const std::string noMap = "No se ha podido descargar la cartografía catastral: ";
    using Answer = std::function<std::optional<Reply>(int request)>;
    const Answer plain = [&](int) { return Reply{200, readFile(block)}; };
    auto serve = [&](const Answer& answer, std::vector<std::string> extra = {}) {
        std::atomic<int> asked = 0;
        LocalServer server([&](const std::string&) { return answer(asked++); });
        std::vector<std::string> args{"compare", "--coords", "long.txt", "--descargar", "--servicio", server.base()};
        args.insert(args.end(), extra.begin(), extra.end());
        RunResult r = cli(args);
        return std::make_pair(r, server.targets().size());
    };
    const auto [expected, tiles] = serve(plain);
    ASSERT_EQ(tiles, 3u);
    ASSERT_NE(expected.out.find("solapes: "), std::string::npos) << expected.err;

    const struct {
        const char* name;
        Answer answer;
        std::size_t requests;
        std::string err;  // empty: the lines of plain answers
        std::vector<std::string> extra = {};
    } cases[] = {
        {"tiles at sea among tiles with parcels",
         [&](int n) { return n == 1 ? Reply{200, readFile(block)} : Reply{200, owsException(seaText)}; }, 3, ""},
        {"the sea said with an error status", [&](int n) { return n == 0 ? Reply{200, readFile(block)} : Reply{404, owsException(seaText)}; }, 3, ""},
        {"a box over the area limit, asked in quarters",
         [&](int n) {
             return n == 0 ? Reply{200, owsException("Area of extension out of limits")} : Reply{200, readFile(block)};
         },
         7, ""},
        {"busy once", [&](int n) { return n == 0 ? Reply{500, "Internal Server Error"} : Reply{200, readFile(block)}; },
         4, ""},
        {"a slow answer", [&](int n) {
             if (n == 0) std::this_thread::sleep_for(std::chrono::seconds(3));
             return Reply{200, readFile(block)};
         }, 3, ""},
        {"no answer in time once",
         [&](int n) { return n == 0 ? std::optional<Reply>() : Reply{200, readFile(block)}; }, 4, "",
         {"--plazo", "1"}},
        {"busy twice", [&](int) { return Reply{503, "Service Unavailable"}; }, 2,
         noMap + "el servicio del catastro responde con el código 503\n"},
        {"too many requests", [&](int) { return Reply{403, "Forbidden"}; }, 1,
         noMap + "el servicio del catastro rechaza las peticiones (403); espere unos minutos y vuelva a "
                 "intentarlo.\n"},
        {"no parcel around the coordinates", [&](int) { return Reply{200, owsException(seaText)}; }, 3,
         noMap + "el catastro no tiene parcelas alrededor de estas coordenadas; compruebe el huso (30) y las "
                 "coordenadas.\n"},
        {"any other refusal", [&](int) { return Reply{200, owsException("Servicio en mantenimiento")}; }, 1,
         noMap + "el servicio del catastro responde «Servicio en mantenimiento»\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [r, requests] = serve(c.answer, c.extra);
        EXPECT_EQ(requests, c.requests);
        if (c.err.empty()) {
            EXPECT_EQ(r.exitCode, expected.exitCode) << r.err;
            EXPECT_EQ(r.out, expected.out);
            EXPECT_EQ(r.err, expected.err);
        } else {
            EXPECT_EQ(r.exitCode, 3);
            EXPECT_EQ(r.err, c.err);
            EXPECT_EQ(r.out, "");
        }
    }
}

// A Y typed with a digit too many would be thousands of requests: refused
// before any is sent. This machine's server is asked directly, whatever
// proxy the environment names.
TEST_F(CompareCliTest, AHugeBoxIsRefusedAndThisMachineIsAskedWithoutProxy)
{
    LocalServer server([&](const std::string&) { return Reply{200, readFile(block)}; });
    writeFile(dir / "typo.txt", readFile(dir / "moved.txt") + "5;271909.59;44700020\r\n");
    const RunResult huge = cli({"compare", "--coords", "typo.txt", "--descargar", "--servicio", server.base()});
    EXPECT_EQ(huge.exitCode, 3);
    EXPECT_EQ(huge.err, "No se ha podido descargar la cartografía catastral: la zona pasa de 100 km²; compare con "
                        "un archivo de la cartografía catastral.\n");
    EXPECT_TRUE(server.targets().empty());

    const RunResult proxied = cli({"compare", "--coords", "moved.txt", "--descargar", "--servicio", server.base()},
                                  {"http_proxy=http://127.0.0.1:9", "HTTP_PROXY=http://127.0.0.1:9",
                                   "all_proxy=http://127.0.0.1:9"});
    EXPECT_EQ(proxied.exitCode, 1) << proxied.err;
    EXPECT_EQ(server.targets().size(), 1u);
}

TEST(HttpFetchTest, TheHostOfAnAddress)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://inspire.ec.europa.eu/schemas/cp/4.0/x.xsd", "inspire.ec.europa.eu"},
        {"http://127.0.0.1:8080/INSPIRE/", "127.0.0.1"},
        {"http://[::1]:8080/INSPIRE/", "[::1]"},
        {"http://[::1]/", "[::1]"},
        {"http://user@[::1]:80/", "[::1]"},
        {"http://[::1", ""},
        {"no address", ""},
    };
    for (const auto& [url, host] : cases) EXPECT_EQ(check::hostOf(url), host) << url;
}

TEST_F(CompareCliTest, AParcelTheServiceDoesNotKnowIsToldInTheProgramsWords)
{
    const std::string notFound = "No se ha encontrado la parcela 1234567AB1234N";
    for (const std::string& said : {notFound, std::string("No records founded")}) {
        LocalServer server([&](const std::string&) { return Reply{200, owsException(said)}; });
        const RunResult r =
            cli({"parcel", "download", "--ref", "1234567AB1234N", "--servicio", server.base(), "-o", "p.gml"});
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_EQ(r.err, "No se ha podido descargar la cartografía catastral: el catastro no da ninguna parcela con "
                         "la referencia 1234567AB1234N.\n");
        EXPECT_FALSE(std::filesystem::exists(dir / "p.gml"));
    }
    const RunResult bad = cli({"parcel", "download", "--ref", "1234567AB1234N", "--plazo", "0", "-o", "p.gml"});
    EXPECT_EQ(bad.exitCode, 2) << bad.err;
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
    compare::CadastreService service(server.base());
    service.spacing = std::chrono::milliseconds(0);
    EXPECT_EQ(service.parcelsInBox(271800, 4814000, 272000, 4814200, 30).size(), 29u);
    EXPECT_EQ(server.targets().size(), 5u);

    alwaysCut = true;
    EXPECT_THROW(service.parcelsInBox(271800, 4814000, 272000, 4814200, 30), Failure);
}

// Every tile the service is asked for stays under its limit of 1 km2 as
// the request writes it (corners to the centimetre).
TEST(CadastreServiceTest, TilesStayUnderTheServicesAreaLimit)
{
    const struct {
        double width, height;
        std::size_t tiles;
    } cases[] = {{10, 10, 1}, {998.9, 998.9, 1}, {999.0, 10, 2}, {2000, 999.5, 6}, {3333.33, 1234.567, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        LocalServer server([](const std::string&) {
            return Reply{200, "<wfs:FeatureCollection xmlns:wfs='http://www.opengis.net/wfs/2.0' numberMatched='0' "
                              "numberReturned='0'/>"};
        });
        compare::CadastreService service(server.base());
        service.spacing = std::chrono::milliseconds(0);
        service.parcelsInBox(440000.004, 4470000.006, 440000.004 + c.width, 4470000.006 + c.height, 30);
        const auto targets = server.targets();
        ASSERT_EQ(targets.size(), c.tiles);
        for (const std::string& t : targets) {
            const std::size_t at = t.find("bbox=") + 5;
            double v[4];
            std::size_t from = at;
            for (double& x : v) {
                const std::size_t end = t.find_first_of(",&", from);
                x = std::stod(t.substr(from, end - from));
                from = end + 1;
            }
            EXPECT_LE(v[2] - v[0], 999.0 + 1e-6) << t;
            EXPECT_LE(v[3] - v[1], 999.0 + 1e-6) << t;
            EXPECT_LT((v[2] - v[0]) * (v[3] - v[1]), 1e6) << t;
        }
    }
}

// Each request is told as it goes, the count growing as a box splits; a
// cancel stops the download before the next request, and after the last.
TEST_F(CompareCliTest, ProgressIsToldAndACancelStopsBeforeTheNextRequest)
{
    struct Recorder : Progress {
        std::vector<std::string> steps;
        std::size_t cancelAfter = 1000;
        void step(const std::string& text) override { steps.push_back(text); }
        bool cancelled() override { return steps.size() >= cancelAfter; }
    };
    std::atomic<int> asked = 0;
    LocalServer server([&](const std::string&) {
        return asked++ == 0 ? Reply{200, owsException("Area of extension out of limits")} : Reply{200, readFile(block)};
    });
    compare::CadastreService service(server.base());
    service.spacing = std::chrono::milliseconds(0);
    Recorder progress;
    service.progress = &progress;
    EXPECT_EQ(service.parcelsInBox(271800, 4814000, 272000, 4814200, 30).size(), 29u);
    const std::string d = compare::kDownloading;
    EXPECT_EQ(progress.steps, (std::vector<std::string>{d + "1 de 1", d + "2 de 5", d + "3 de 5", d + "4 de 5",
                                                        d + "5 de 5"}));

    for (const std::size_t after : {2u, 5u}) {
        asked = 0;
        Recorder cancelling;
        cancelling.cancelAfter = after;
        service.progress = &cancelling;
        const std::size_t before = server.targets().size();
        try {
            service.parcelsInBox(271800, 4814000, 272000, 4814200, 30);
            ADD_FAILURE() << "not cancelled";
        } catch (const Failure& e) {
            EXPECT_EQ(std::string(e.what()), compare::kDownloadCancelled);
        }
        EXPECT_EQ(server.targets().size() - before, after);
    }
}

// An answer is used, and saved, only when it is what was asked for and
// reads as a file the person opens would: the download of a parcel and the
// parcels of a box alike.
TEST_F(CompareCliTest, HostileAnswersAreNeitherSavedNorCompared)
{
    const std::string answer = readFile(single);
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string a = answer;
        EXPECT_NE(a.find(from), std::string::npos) << from;
        for (std::size_t at = 0; (at = a.find(from, at)) != std::string::npos; at += to.size())
            a.replace(at, from.size(), to);
        return a;
    };
    const std::string noMap = "No se ha podido descargar la cartografía catastral: ";
    const std::string notAsked = noMap + "la respuesta del servicio no es la parcela pedida (8429105VK1882N).\n";
    const struct {
        const char* name;
        std::string body;
        std::string downloadErr;  // parcel download --ref 8429105VK1882N
        std::string compareErr;   // compare --descargar of the same parcel
    } cases[] = {
        {"another reference", replaced("8429105VK1882N", "9999999ZZ9999Z"), notAsked, ""},
        {"another zone", replaced("EPSG/0/25830", "EPSG/0/25829"), notAsked,
         noMap + "la respuesta del servicio no vale: la respuesta está en otro sistema de coordenadas "
                 "(http://www.opengis.net/def/crs/EPSG/0/25829).\n"},
        {"a coordinate that is no number", replaced("418276.77 4482669.6", "418276.77 NaN"), notAsked,
         noMap + "la respuesta del servicio no vale: la respuesta tiene coordenadas que no son números finitos.\n"},
        {"a DOCTYPE", replaced("<FeatureCollection", "<!DOCTYPE FeatureCollection>\n<FeatureCollection"), notAsked,
         noMap + "la respuesta del servicio no vale: la respuesta declara un tipo de documento (DOCTYPE).\n"},
        {"bytes that are no UTF-8", replaced("Parcela Catastral", "Parcela \xff Catastral"), notAsked,
         noMap + "la respuesta del servicio no vale: El archivo 'respuesta del servicio' no es un documento XML "
                 "válido: tiene bytes que no son UTF-8 (línea 2).\n"},
        {"declared UTF-7", replaced("encoding=\"utf-8\"", "encoding=\"utf-7\""), notAsked,
         noMap + "la respuesta del servicio no vale: la respuesta está en una codificación que el catastro no usa.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir / "p.gml");
        LocalServer server([&](const std::string&) { return Reply{200, c.body}; });
        const RunResult download =
            cli({"parcel", "download", "--ref", "8429105VK1882N", "--servicio", server.base(), "-o", "p.gml"});
        EXPECT_EQ(download.exitCode, 3);
        EXPECT_EQ(download.err, c.downloadErr);
        EXPECT_FALSE(std::filesystem::exists(dir / "p.gml"));
        if (c.compareErr.empty()) continue;  // a box's answer holds any parcels
        const RunResult compared = cli({"compare", "--gml", single, "--descargar", "--servicio", server.base()});
        EXPECT_EQ(compared.exitCode, 3);
        EXPECT_EQ(compared.err, c.compareErr);
        EXPECT_EQ(compared.out, "");
    }
}

// Text from outside (the service's words, the names of a map's parcels)
// is printed escaped and cut: it cannot drive the terminal, forge a line
// of its own or fill the screen.
TEST_F(CompareCliTest, OutsideTextIsPrintedEscapedAndCut)
{
    const std::string noMap = "No se ha podido descargar la cartografía catastral: ";
    const std::string forged = "Fallo\x1b]0;hecho\x07\nvadrel: todo correcto, 0 solapes";
    const struct {
        const char* name;
        std::string said;
        std::string told;
    } cases[] = {
        {"escape sequences and a line of its own", forged,
         "Fallo\\x1b]0;hecho\\x07\\nvadrel: todo correcto, 0 solapes"},
        {"a megabyte of words", std::string(1 << 20, 'a'), std::string(200, 'a') + "…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocalServer server([&](const std::string&) { return Reply{200, owsException(c.said)}; });
        const RunResult r = cli({"compare", "--gml", single, "--descargar", "--servicio", server.base()});
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_EQ(r.err, noMap + "el servicio del catastro responde «" + c.told + "»\n");
    }

    // A map whose overlapped neighbour is named with a forged line.
    std::string map = readFile(block);
    for (std::size_t at = 0; (at = map.find("2041506TP7124S", at)) != std::string::npos;)
        map.replace(at, 14, "2041506&#27;[2J&#10;solapes: 0");
    writeFile(dir / "mapa.gml", map);
    const RunResult r = cli({"compare", "--coords", "moved.txt", "--catastro", "mapa.gml"});
    EXPECT_NE(r.out.find("solape con 2041506\\x1b[2J\\nsolapes: 0: "), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);

    // Any message of the batch command: a file named with an escape.
    const RunResult named = cli({"preview", "--coords", "no\x1b]0;x\x07.txt", "-o", "vista.png"});
    EXPECT_EQ(named.exitCode, 1);
    EXPECT_EQ(named.err.find('\x1b'), std::string::npos) << named.err;
    EXPECT_NE(named.err.find("no\\x1b]0;x\\x07.txt"), std::string::npos) << named.err;
}

// A coordinates file with an X missing on one line and a Y on another is
// refused by every command that reads one, as the windows refuse it: never
// vertices at 0.
TEST_F(CompareCliTest, AnEmptyCellIsNeverAVertexAtZero)
{
    writeFile(dir / "huecos.txt", "1;271864.48;4814037.28\r\n2;;4814056.72\r\n3;271902.87;\r\n4;271909.59;4814054.17\r\n");
    const std::vector<std::vector<std::string>> commands = {
        {"compare", "--coords", "huecos.txt", "--catastro", block},
        {"preview", "--coords", "huecos.txt", "-o", "vista.png"},
        {"report", "--coords", "huecos.txt", "--ref", "1234567AB1234N", "-o", "informe.pdf"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.front());
        const RunResult r = cli(command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "Error. La línea 2 tiene Y pero no X.\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "vista.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "informe.pdf"));
}

// No command writes over a file it reads, whatever the spelling or link
// that names it; the input stays as it was.
TEST_F(CompareCliTest, TheOutputIsNeverAnInput)
{
    std::filesystem::copy_file(single, dir / "p.gml");
    std::filesystem::copy_file(block, dir / "mapa.gml");
    // Links need a privilege on Windows: there the spellings alone.
    std::error_code noLink;
    std::filesystem::create_symlink(dir / "p.gml", dir / "enlace.gml", noLink);
    const std::string pGml = readFile(dir / "p.gml"), map = readFile(dir / "mapa.gml"), moved = readFile(dir / "moved.txt");
    const std::vector<std::vector<std::string>> commands = {
        {"report", "--gml", "p.gml", "-o", "p.gml"},
        {"report", "--gml", "p.gml", "-o", "./enlace.gml"},
        {"report", "--gml", "p.gml", "--catastro", "mapa.gml", "-o", "mapa.gml"},
        {"report", "--coords", "moved.txt", "--ref", "1234567AB1234N", "-o", "moved.txt"},
        {"building", "report", "--gml", "p.gml", "-o", "enlace.gml"},
        {"compare", "--gml", "p.gml", "--catastro", "mapa.gml", "--png", "mapa.gml"},
        {"compare", "--coords", "moved.txt", "--catastro", "mapa.gml", "--png", "../" + dir.path().filename().string() + "/moved.txt"},
    };
    for (const auto& command : commands) {
        if (noLink && command.back().find("enlace") != std::string::npos) continue;
        SCOPED_TRACE(command.front() + " " + command.back());
        const RunResult r = cli(command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "Error. El archivo de salida es uno de los de entrada.\n");
    }
    EXPECT_EQ(readFile(dir / "p.gml"), pGml);
    EXPECT_EQ(readFile(dir / "mapa.gml"), map);
    EXPECT_EQ(readFile(dir / "moved.txt"), moved);
}

// The registered area's line follows the tolerance's, right after the
// difference; a registered area that is no area is bad usage.
TEST_F(CompareCliTest, TheRegisteredAreaFollowsTheTolerance)
{
    const RunResult r = cli({"compare", "--gml", single, "--catastro", single, "--registral", "572,17"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string difference = "diferencia: 0.00 m2 (0.00 %)\nmargen de tolerancia técnica: ";
    const std::size_t at = r.out.find(difference);
    ASSERT_NE(at, std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" m2 (la diferencia está dentro)\nsuperficie registral: 572.17 m2, diferencia 0.00 m2 "
                         "(0.00 %): hasta el 5 % (art. 201.3.b LH)\nfuera de las parcelas afectadas: ",
                         at),
              std::string::npos)
        << r.out;
    const std::vector<std::vector<std::string>> refused{
        {"compare", "--gml", single, "--catastro", single, "--registral", "0"},
        {"compare", "--gml", single, "--catastro", single, "--registral", "12a"},
        {"compare", "--gml", single, "--catastro", single, "--registral", "-5"},
        {"compare", "--edificio", single, "--parcela", single, "--registral", "500"},
    };
    for (const auto& args : refused) {
        const RunResult bad = cli(args);
        EXPECT_EQ(bad.exitCode, 2) << args.back();
        EXPECT_EQ(bad.out, "");
        EXPECT_TRUE(bad.err.starts_with("--registral ")) << bad.err;
    }
}

// The comparison reads its files by every reader's rules: a file past the
// size limit is refused before it fills the memory, an entity is not
// expanded.
TEST_F(CompareCliTest, TheComparisonsFilesAreReadByEveryReadersRules)
{
    {
        std::ofstream(dir / "enorme.gml").put('<');
    }
    std::filesystem::resize_file(dir / "enorme.gml", std::uintmax_t{3} << 30);  // sparse: no disk used
    writeFile(dir / "entidades.gml", "<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>");
    const struct {
        std::vector<std::string> command;
        int exitCode;
        std::string err;
    } cases[] = {
        {{"compare", "--coords", "moved.txt", "--catastro", "enorme.gml"}, 3,
         "No se puede leer el archivo 'enorme.gml': es demasiado grande (más de 512 MB).\n"},
        {{"compare", "--gml", "enorme.gml", "--catastro", block}, 1,
         "No se puede leer el archivo 'enorme.gml': es demasiado grande (más de 512 MB).\n"},
        {{"compare", "--coords", "moved.txt", "--catastro", "entidades.gml"}, 3,
         "El archivo 'entidades.gml' no se lee: declara entidades (<!ENTITY) en su DOCTYPE, algo que ningún GML "
         "usa.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.back());
        const RunResult r = cli(c.command);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
}  // namespace vadrel::test