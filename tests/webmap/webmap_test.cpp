// The web-map pages of both dialogs.

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "parcel/parcel_form.hpp"
#include "shell/aplicacion.hpp"
#include "support/app_fixture.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"
#include "webmap/page_template.hpp"
#include "webmap/webmap_forms.hpp"

using namespace vadrel;
using namespace vadrel::test;

namespace {

class WebMapTest : public ProgramaTest {
protected:
    TFParcelgen* parcela = nullptr;
    TFGMLEdif* edificio = nullptr;

    void SetUp() override
    {
        ProgramaTest::SetUp();
        parcela = app->FParcelgen.get();
        edificio = app->FGMLEdif.get();
        edificio->FormShow();
        ui.messages.clear();
    }

    std::string pagina(const char* name = "ejemplo_catastro_montado.html") { return readFile(dir / name); }
    static bool tiene(const std::string& page, const std::string& text) { return page.find(text) != std::string::npos; }

    void anade(const char* tipo, const char* e_i, CoordList x, CoordList y)
    {
        if (!edificio->Edificaciones.back().coorx.empty()) edificio->SBNuevoClick();
        edificio->CBTipo = tipo;
        edificio->CBIE = e_i;
        edificio->MX = std::move(x);
        edificio->MY = std::move(y);
        edificio->MXExit();
    }
};

}  // namespace

TEST(RellenaPagina, TagsByNameWithoutRegardToCaseEachComputedWhereItStands)
{
    int llamadas = 0;
    const std::string out = rellenaPagina("a<#CENTRO>b<#husogeo#>c<#otra> <p>d<#centro", [&](std::string_view n) {
        ++llamadas;
        return n == "centro" ? std::string("[1, 2]") : n == "husogeo" ? std::string("25830") : std::string();
    });
    EXPECT_EQ(out, "a[1, 2]b25830c <p>d<#centro");
    EXPECT_EQ(llamadas, 3);
}

TEST_F(WebMapTest, ParcelPageFollowsTheParcelZoneAndMatchesTheReviewedFile)
{
    parcela->MX = {"441620,35", "441655.80", "441661.02"};
    parcela->MY = {"4479210.12", "4479214.47", "4479178.93"};
    parcela->BBVerMapaClick();
    EXPECT_EQ(ui.shownModal, std::vector<std::string>{"FVPrevWeb2"});
    app->FVPrevWeb2->BBSiClick();
    EXPECT_EQ(ui.openedWithDesktop, std::vector<std::string>{(dir / "ejemplo_catastro_montado.html").string()});
    EXPECT_EQ(pagina(), readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "webmap/data/parcela_huso30.html"));

    parcela->CBHuso = "31";
    app->FVPrevWeb2->BBSiClick();
    const std::string p = pagina();
    EXPECT_TRUE(tiene(p, "proj4.defs('EPSG:25831', '+proj=utm +zone=31 "));
    EXPECT_TRUE(tiene(p, "srs=epsg:25831&"));
    EXPECT_TRUE(tiene(p, "'name': 'urn:ogc:def:crs:EPSG::25831'"));
    EXPECT_TRUE(tiene(p, "var EPSG=\"+proj=utm +zone=31 "));
    EXPECT_TRUE(ui.messages.empty());

    // A browser that will not start: the page is there, and the person is told where.
    ui.desktopOpens = false;
    app->FVPrevWeb2->BBSiClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"No se ha podido abrir " +
                                                    (dir / "ejemplo_catastro_montado.html").string() +
                                                    ". Ábralo con su navegador."});
}

TEST_F(WebMapTest, BuildingZonesOnEveryProjectionLine)
{
    edificio->MX = {"100.5", "101.5", "101"};
    edificio->MY = {"200", "200", "201"};
    const struct {
        const char* huso;
        const char* epsg;
        const char* zona;
    } cases[] = {{"29", "25829", "29"}, {"28 ", "32628", "28"}, {" 31", "25831", "31"}, {"", "25830", "30"}};
    for (const auto& c : cases) {
        edificio->CBHuso = c.huso;
        app->FVPrevWeb->opcion = 0;
        app->FVPrevWeb->BBSiClick();
        const std::string p = pagina();
        EXPECT_TRUE(tiene(p, std::string("proj4.defs('EPSG:") + c.epsg + "', '+proj=utm +zone=" + c.zona + " "))
            << c.huso;
        EXPECT_TRUE(tiene(p, std::string("srs=epsg:") + c.epsg + "&")) << c.huso;
        EXPECT_TRUE(tiene(p, std::string("urn:ogc:def:crs:EPSG::") + c.epsg + "'")) << c.huso;
        // Halves to the even neighbour: 100.5 and 101.5 give 100 and 102.
        EXPECT_TRUE(tiene(p, "&bbox=100,200,102,201&i=25&j=25")) << c.huso;
        EXPECT_TRUE(tiene(p, "[[[100.5, 200], [101.5, 200], [101, 201]]]")) << "not closed for the page";
        EXPECT_TRUE(tiene(p, "proj4(EPSG,utm,[100.5, 200])"));
    }
}

TEST_F(WebMapTest, AllConstructionsColouredByKindEachLinkWhereItIs)
{
    edificio->CBHuso = "29";
    anade(kEdificacion, kExterior, {"0", "10", "10"}, {"0", "0", "10"});
    anade(kEdificacion, kInterior, {"2", "3", "3"}, {"2", "2", "3"});
    anade(kPiscina, kExterior, {"20", "30", "30"}, {"0", "0", "10"});
    anade(kEdificacion, "", {"40", "50", "50"}, {"0", "0", "10"});
    anade(kPiscina, kInterior, {"41", "42", "42"}, {"1", "1", "2"});
    app->FVPrevWeb->opcion = 1;
    edificio->BBMapaTotalClick();
    app->FVPrevWeb->BBSiClick();
    const std::string p = pagina("ejemplo_catastro_montado2.html");
    EXPECT_EQ(p, readFile(std::filesystem::path(VADREL_TEST_DATA_DIR) / "webmap/data/todas_huso29.html"));
    std::vector<std::string> colores;
    for (std::size_t at = p.find(" 'color': '"); at != std::string::npos; at = p.find(" 'color': '", at + 1))
        colores.push_back(p.substr(at + 11, 7));
    EXPECT_EQ(colores, (std::vector<std::string>{"#FF0000", "#FFFFFF", "#00FFFF", "#00FF00", "#FFFFFF"}));
    EXPECT_TRUE(tiene(p, "var poligono4 = {"));
    EXPECT_TRUE(tiene(p, "[[[0, 0] , [10, 0] , [10, 10] ]] },"));
    EXPECT_TRUE(tiene(p, "srs=epsg:25829&width=50&height=50&FORMAT=image/png&query_Layers=BU.BUILDING&bbox=20,0,30,10&"));
    EXPECT_TRUE(tiene(p, "window.open(poligono2.properties.enlace)}).addTo(map);"));
    EXPECT_EQ(p.find("<#"), std::string::npos);
    EXPECT_EQ(ui.openedWithDesktop.back(), (dir / "ejemplo_catastro_montado2.html").string());

    // Twenty-one exteriors: the 21st takes the first colour again.
    edificio->FormShow();
    for (int i = 0; i < 21; ++i) anade(kEdificacion, kExterior, {"0", "1", "1"}, {"0", "0", "1"});
    app->FVPrevWeb->BBSiClick();
    const std::string q = pagina("ejemplo_catastro_montado2.html");
    EXPECT_TRUE(tiene(q, "var poligono20 = {"));
    EXPECT_EQ(q.substr(q.rfind(" 'color': '") + 11, 7), "#FF0000");
}

TEST_F(WebMapTest, NumbersAsAScriptReadsThem)
{
    // Leading zeros would make an octal number or a syntax error.
    for (auto [typed, written] : {std::pair{"0441620", "441620"}, std::pair{"-00,5", "-0.5"}, std::pair{"+007.25", "+7.25"},
                                  std::pair{"0", "0"}, std::pair{"0.5", "0.5"}}) {
        EXPECT_EQ(coordenadaEnPagina(typed, NumberFormat{}), written) << typed;
    }
    // Any size, halves to even; a missing Y is no vertex at 0.
    EXPECT_EQ(calculaBox({"3000000000.5", "1"}, {"-2.5", "7"}, NumberFormat{}), "1,-2,3000000000,7");
    EXPECT_EQ(calculaBox({"441620", "441655", "441661"}, {"4479210", "4479214"}, NumberFormat{}),
              "441620,4479210,441655,4479214");

    parcela->MX = {"1", "2", "3"};
    parcela->MY = {"1", "2", "3"};
    edificio->MX = parcela->MX;
    edificio->MY = parcela->MY;
    // No other zone is drawn as zone 30: the page is not written at all.
    for (const char* zona : {"0", "27", "61", "3'0", "123456789012345678901"}) {
        parcela->CBHuso = zona;
        edificio->CBHuso = zona;
        for (auto [vista, opcion, archivo] : {std::tuple{static_cast<TFVistaWeb*>(app->FVPrevWeb2.get()), 0,
                                                         "ejemplo_catastro_montado.html"},
                                              std::tuple{static_cast<TFVistaWeb*>(app->FVPrevWeb.get()), 1,
                                                         "ejemplo_catastro_montado2.html"}}) {
            std::filesystem::remove(dir / archivo);
            vista->opcion = opcion;
            EXPECT_THROW(vista->BBSiClick(), Failure) << zona;
            EXPECT_FALSE(std::filesystem::exists(dir / archivo)) << zona;
        }
    }
}

TEST_F(WebMapTest, RefusalsWriteNoPage)
{
    parcela->MX = {};
    parcela->MY = {};
    app->FVPrevWeb2->BBSiClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. No hay coordenadas que mostrar."});
    EXPECT_FALSE(std::filesystem::exists(dir / "ejemplo_catastro_montado.html"));

    // No text reaches the page's script unchecked.
    for (const char* malo : {"1]);alert(1);//", "Infinity", "nan", "1e999"}) {
        parcela->MX = {"1", malo, "3"};
        parcela->MY = {"1", "2", "3"};
        EXPECT_THROW(app->FVPrevWeb2->BBSiClick(), Failure) << malo;
        EXPECT_FALSE(std::filesystem::exists(dir / "ejemplo_catastro_montado.html")) << malo;
    }

    // Unequal lists: told, and the page is written without the polygon's points.
    ui.messages.clear();
    parcela->MX = {"1", "2", "3"};
    parcela->MY = {"1", "2"};
    app->FVPrevWeb2->BBSiClick();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error. Debe haber el mismo número de coordenadas en X que en Y."});
    EXPECT_TRUE(tiene(pagina(), "[[]] },"));

    // A stored construction with unequal lists is told; no page.
    edificio->MX = {"1", "2", "3"};
    edificio->MY = {"1", "2"};
    edificio->MXExit();
    app->FVPrevWeb->opcion = 1;
    app->FVPrevWeb->BBSiClick();
    EXPECT_EQ(ui.messages.back(),
              "Error en la edificación 0: Nueva Edificación 1. Debe haber el mismo número de coordenadas en X que en Y.");
    EXPECT_FALSE(std::filesystem::exists(dir / "ejemplo_catastro_montado2.html"));
}
