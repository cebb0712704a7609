// Every surface of a parcel GML into the report: its patches and surface
// members, each with its holes; the area is their sum, the holes taken
// away, and the centroid that of them all.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "core/failure.hpp"
#include "core/messages.hpp"
#include "report/report_layout.hpp"

using namespace vadrel;
using namespace vadrel::report;

namespace {

// A w x h metre box's ring from (x, y) metres off 440000 4470000, closed.
std::string caja(int x, int y, int w, int h)
{
    const auto p = [](int dx, int dy) {
        return " " + std::to_string(440000 + dx) + " " + std::to_string(4470000 + dy);
    };
    return "<gml:LinearRing><gml:posList>" + p(x, y) + p(x + w, y) + p(x + w, y + h) + p(x, y + h) + p(x, y) +
           "</gml:posList></gml:LinearRing>";
}

// A patch of a 10 x 10 m exterior at (x, 0) with a 2 x 2 m hole per entry.
std::string parche(int x, int huecos = 0, const char* elemento = "gml:PolygonPatch")
{
    std::string s = std::string("<") + elemento + "><gml:exterior>" + caja(x, 0, 10, 10) + "</gml:exterior>";
    for (int i = 0; i < huecos; ++i) s += "<gml:interior>" + caja(x + 1 + 3 * i, 1, 2, 2) + "</gml:interior>";
    return s + "</" + elemento + ">";
}

std::string superficie(const std::string& parches)
{
    return "<gml:Surface srsName=\"http://www.opengis.net/def/crs/EPSG/0/25830\"><gml:patches>" + parches +
           "</gml:patches></gml:Surface>";
}

std::string miembros(std::initializer_list<std::string> superficies)
{
    std::string s = "<gml:MultiSurface>";
    for (const std::string& m : superficies) s += "<gml:surfaceMember>" + m + "</gml:surfaceMember>";
    return s + "</gml:MultiSurface>";
}

std::string parcela(const std::string& geometria, const char* ref = "A1")
{
    return std::string("<member><cp:CadastralParcel gml:id=\"ES.LOCAL.CP.") + ref +
           "\"><cp:areaValue uom=\"m2\">200</cp:areaValue><cp:geometry>" + geometria +
           "</cp:geometry></cp:CadastralParcel></member>";
}

std::string coleccion(const std::string& miembros)
{
    return "<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
           "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\">" +
           miembros + "</FeatureCollection>";
}

pugi::xml_document documento(const std::string& xml)
{
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml.c_str())) << xml;
    return doc;
}

struct CasoParcela {
    const char* nombre;
    std::string gml;
    std::vector<std::string> titulos;  // each ring's heading, in order
    const char* superficie;
    const char* perimetro;
    const char* centroide;  // of every surface, weighed by its area
};

class SuperficiesDeParcela : public ::testing::TestWithParam<CasoParcela> {};

TEST_P(SuperficiesDeParcela, TodasEnLaTablaYEnLaSuma)
{
    const CasoParcela& c = GetParam();
    const pugi::xml_document doc = documento(c.gml);
    DatosInforme d;
    d.huso = "30";
    d.superficieDeclarada = "200";
    d.anillos = anillosDeParcela(doc);
    std::vector<std::string> titulos;
    for (const AnilloInforme& a : d.anillos) titulos.push_back(a.titulo);
    EXPECT_EQ(titulos, c.titulos);

    const Informe inf = componeInforme(d, MedidaHolgada());
    EXPECT_EQ(inf.cifras.at(0).texto, std::string("Superficie calculada con las coordenadas: ") + c.superficie);
    EXPECT_EQ(inf.cifras.at(2).texto, std::string("Perímetro: ") + c.perimetro);
    EXPECT_EQ(inf.cifras.at(4).texto, std::string("Centroide: ") + c.centroide);
    // Every ring in the plan, its headed vertices in the table, each once.
    EXPECT_EQ(inf.plano.anillos.size(), d.anillos.size());
    std::vector<std::string> encabezados;
    std::size_t vertices = 0;
    for (const Pagina& p : inf.paginas)
        for (const Fila& f : p.filas) {
            if (f.titulo) encabezados.push_back(f.texto);
            else ++vertices;
        }
    std::vector<std::string> noVacios;
    for (const std::string& t : c.titulos)
        if (!t.empty()) noVacios.push_back(t);
    EXPECT_EQ(encabezados, noVacios);
    EXPECT_EQ(vertices, 4 * d.anillos.size());
}

const CasoParcela kParcelas[] = {
    {"una", coleccion(parcela(miembros({superficie(parche(0))}))), {""}, "100,00 m²", "40,00 m",
     "X 440005,00   Y 4470005,00"},
    {"una_con_dos_huecos", coleccion(parcela(miembros({superficie(parche(0, 2))}))),
     {"Anillo exterior", "Anillo interior 1", "Anillo interior 2"}, "92,00 m²", "40,00 m",
     "X 440005,13   Y 4470005,26"},
    {"dos_miembros", coleccion(parcela(miembros({superficie(parche(0)), superficie(parche(20))}))),
     {"Superficie 1", "Superficie 2"}, "200,00 m²", "80,00 m", "X 440015,00   Y 4470005,00"},
    {"dos_parches_el_primero_con_hueco", coleccion(parcela(superficie(parche(0, 1) + parche(20)))),
     {"Superficie 1", "Superficie 1 · Anillo interior 1", "Superficie 2"}, "196,00 m²", "80,00 m",
     "X 440015,27   Y 4470005,06"},
    {"poligonos_en_la_multisuperficie",
     coleccion(parcela(miembros({parche(0, 0, "gml:Polygon"), parche(20, 1, "gml:Polygon")}))),
     {"Superficie 1", "Superficie 2", "Superficie 2 · Anillo interior 1"}, "196,00 m²", "80,00 m",
     "X 440014,86   Y 4470005,06"},
    // The report is of one parcel: the first, as "Cargar GML" takes it.
    {"la_primera_de_dos_parcelas",
     coleccion(parcela(miembros({superficie(parche(0))}), "A1") + parcela(miembros({superficie(parche(20))}), "A2")),
     {""}, "100,00 m²", "40,00 m", "X 440005,00   Y 4470005,00"},
};

INSTANTIATE_TEST_SUITE_P(Informe, SuperficiesDeParcela, ::testing::ValuesIn(kParcelas),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST(Informe, MedioVerticeEnCualquierSuperficieSeRechaza)
{
    const std::string bien = parche(20);
    std::string mal = bien;
    mal.insert(mal.find("</gml:posList>"), " 440001");
    const pugi::xml_document doc = documento(coleccion(parcela(miembros({superficie(parche(0)), superficie(mal)}))));
    try {
        anillosDeParcela(doc);
        ADD_FAILURE() << "no refusal";
    } catch (const Failure& f) {
        EXPECT_STREQ(f.what(), msg::kPosListImpar);
    }
}

}  // namespace
