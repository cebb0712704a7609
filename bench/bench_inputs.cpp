#include "bench_inputs.hpp"

#include <cmath>
#include <fstream>
#include <stdexcept>

#include "building/building_form.hpp"
#include "core/number_format.hpp"
#include "null_ui.hpp"
#include "parcel/parcel_form.hpp"

namespace vadrel::bench {

namespace {

// UTM-like text with 2 to 4 decimals, as surveyors' files mix them.
std::string coordinate(double v, std::size_t i)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(2 + i % 3), v);
    return buf;
}

void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

Ring ring(std::size_t n, double cx, double cy, double radius)
{
    // By default the radius grows with n so that 2-decimal vertices stay distinct.
    const double r = radius > 0 ? radius : 250 + static_cast<double>(n) / 100;
    Ring out;
    out.x.reserve(n);
    out.y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double a = 2 * M_PI * static_cast<double>(i) / static_cast<double>(n);
        out.x.push_back(coordinate(cx + r * std::cos(a), i));
        out.y.push_back(coordinate(cy + r * std::sin(a), i));
    }
    return out;
}

std::string coordinateFile(const Ring& r)
{
    std::string s;
    for (std::size_t i = 0; i < r.x.size(); ++i) {
        s += std::to_string(i + 1);
        s += ';';
        s += r.x[i];
        s += ';';
        s += r.y[i];
        s += "\r\n";
    }
    return s;
}

std::string dxfFile(const Ring& r)
{
    std::string s = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLWPOLYLINE\r\n  5\r\n2F\r\n  8\r\nPARCELA\r\n 90\r\n";
    s += std::to_string(r.x.size());
    s += "\r\n 70\r\n1\r\n";
    for (std::size_t i = 0; i < r.x.size(); ++i) {
        s += " 10\r\n";
        s += r.x[i];
        s += "\r\n 20\r\n";
        s += r.y[i];
        s += "\r\n";
    }
    s += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    return s;
}

std::string listText(const Ring& r)
{
    std::string s =
        "                  LWPOLYLINE  Layer: \"PARCELA\"\r\n"
        "                            Space: Model space\r\n"
        "                   Handle = 2f\r\n"
        "              Closed\r\n\r\n";
    for (std::size_t i = 0; i < r.x.size(); ++i) {
        s += "          at point  X=";
        s += r.x[i];
        s += "  Y=";
        s += r.y[i];
        s += "  Z=   0.0000\r\n";
    }
    return s;
}

std::string geoJson(const Ring& r)
{
    std::string s = "{\"type\":\"FeatureCollection\",\"features\":[{\"type\":\"Feature\",\"properties\":{},"
                    "\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[";
    for (std::size_t i = 0; i <= r.x.size(); ++i) {
        const std::size_t k = i % r.x.size();
        if (i) s += ',';
        s += '[';
        s += r.x[k];
        s += ',';
        s += r.y[k];
        s += ']';
    }
    s += "]]}}]}\n";
    return s;
}

void writeParcel(const std::filesystem::path& templates, const Ring& r, const std::string& ref,
                 const std::filesystem::path& out)
{
    NullUi ui;
    ui.target = out;
    TFParcelgen form(ui, Entorno{templates, NumberFormat::batch(), {}});
    form.FormCreate();
    form.MX = r.x;
    form.MY = r.y;
    form.ERefCatas = ref;
    form.BBCalcularClick();
    form.BBgmlClick();
}

void fillBuilding(TFGMLEdif& form, std::size_t constructions, std::size_t vertices)
{
    form.FormShow();
    form.Edificaciones.clear();
    for (std::size_t c = 0; c < constructions; ++c) {
        // Each exterior followed by three interiors, side by side along X.
        const double cx = 441000 + static_cast<double>(c / 4) * 40;
        Ring r = ring(vertices, cx, 4479000, 15);
        EdifProp e{static_cast<int>(c + 1), std::to_string(c), kEdificacion, c % 4 == 0 ? kExterior : kInterior,
                   std::move(r.x), std::move(r.y)};
        form.Edificaciones.push_back(std::move(e));
    }
    form.MX = form.Edificaciones[0].coorx;
    form.MY = form.Edificaciones[0].coory;
    form.ERefCatas = "1234567AB1234N";
    form.EFechaConstruc = "01/01/2000";
    form.ENInmueble = "1";
    form.ENViv = "1";
    form.ENSobreRas = "1";
    form.ESuptot = "1000";
}

std::vector<std::filesystem::path> writeParcelFiles(const std::filesystem::path& templates, std::size_t m,
                                                    const std::filesystem::path& dir)
{
    std::filesystem::create_directories(dir);
    std::vector<std::filesystem::path> files;
    for (std::size_t i = 0; i < m; ++i) {
        // A grid of small parcels of 40 vertices, each its own reference.
        const double cx = 441000 + static_cast<double>(i % 100) * 30;
        const double cy = 4479000 + static_cast<double>(i / 100) * 30;
        Ring r = ring(40, cx, cy, 12);
        char ref[16];
        std::snprintf(ref, sizeof ref, "%07zuAB1234N", 1000000 + i);
        files.push_back(dir / (std::string(ref) + ".gml"));
        writeParcel(templates, r, ref, files.back());
    }
    return files;
}

void writeText(const std::filesystem::path& path, const std::string& text) { writeFile(path, text); }

std::string parcelCollection(std::size_t m)
{
    std::string s =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
        "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" xmlns:base=\"http://inspire.ec.europa.eu/schemas/base/3.3\" "
        "xmlns=\"http://www.opengis.net/wfs/2.0\">\n";
    for (std::size_t i = 0; i < m; ++i) {
        const Ring r = ring(40, 441000 + static_cast<double>(i % 100) * 30, 4479000 + static_cast<double>(i / 100) * 30, 12);
        const std::string ref = std::to_string(1000000 + i) + "AB1234N";
        s += "<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP." + ref + "\"><cp:areaValue uom=\"m2\">452</cp:areaValue>"
             "<cp:geometry><gml:MultiSurface><gml:surfaceMember><gml:Surface><gml:patches><gml:PolygonPatch>"
             "<gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">";
        for (std::size_t v = 0; v <= r.x.size(); ++v) {
            if (v) s += ' ';
            s += r.x[v % r.x.size()];
            s += ' ';
            s += r.y[v % r.x.size()];
        }
        s += "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
             "</gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId><base:Identifier><base:localId>" +
             ref + "</base:localId><base:namespace>ES.SDGC.CP</base:namespace></base:Identifier></cp:inspireId>"
                   "</cp:CadastralParcel></member>\n";
    }
    s += "</FeatureCollection>\n";
    return s;
}

}  // namespace vadrel::bench
