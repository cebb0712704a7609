// The pages of both web-map dialogs: one polygon (the parcel, or the
// construction in the editor) and every stored construction.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/file_io.hpp"
#include "core/numeric_text.hpp"
#include "core/ui.hpp"
#include "io/coord_file.hpp"
#include "preview/scaling.hpp"
#include "shell/aplicacion.hpp"
#include "webmap/page_template.hpp"
#include "webmap/webmap_forms.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kPaginaUno = "ejemplo_catastro_montado.html";
const char* const kPaginaTodas = "ejemplo_catastro_montado2.html";
const char* const kSinCoordenadas = "Error. No hay coordenadas que mostrar.";
const char* const kEnlace = "http://ovc.catastro.meh.es/Cartografia/INSPIRE/spadgcwms.aspx?service=wms&"
                            "request=getfeatureinfo&srs=epsg:";

// "[X, Y], [X, Y]...", each checked.
std::string anillo(const CoordList& X, const CoordList& Y, const NumberFormat& fmt)
{
    const std::size_t n = std::min(X.size(), Y.size());
    std::size_t largo = 0;
    for (std::size_t j = 0; j < n; ++j) largo += X[j].size() + Y[j].size() + 6;
    std::string t;
    t.reserve(largo);
    for (std::size_t j = 0; j < n; ++j) {
        t += j == 0 ? "[" : ", [";
        t += coordenadaEnPagina(X[j], fmt);
        t += ", ";
        t += coordenadaEnPagina(Y[j], fmt);
        t += ']';
    }
    return t;
}

// The zone as the projection lines take it: the two digits of its EPSG
// code, so that only a valid zone reaches the page's script.
std::string zonaEnPagina(const std::string& huso) { return husoAEpsg(huso).substr(3); }

std::string centro(const CoordList& X, const CoordList& Y, const NumberFormat& fmt)
{
    std::string t = "[";
    t += coordenadaEnPagina(X.front(), fmt);
    t += ", ";
    t += coordenadaEnPagina(Y.front(), fmt);
    t += "]";
    return t;
}

}  // namespace

std::string coordenadaEnPagina(const std::string& texto, const NumberFormat& fmt)
{
    const double v = MiStrToFloat(texto, fmt);
    std::string t(trimmed(texto));
    bool limpia = std::isfinite(v) && !t.empty();
    for (char c : t)
        limpia = limpia && ((c >= '0' && c <= '9') || c == '.' || c == ',' || c == '-' || c == '+' || c == 'e' || c == 'E');
    if (!limpia) throw Failure("'" + texto + "' is not a valid floating point value");
    if (auto comma = t.find(','); comma != std::string::npos) t[comma] = '.';
    // A script reads 0441620 as an octal number and 0441620.5 not at all.
    const std::size_t digits = t[0] == '-' || t[0] == '+' ? 1 : 0;
    std::size_t zeros = digits;
    while (zeros + 1 < t.size() && t[zeros] == '0' && t[zeros + 1] >= '0' && t[zeros + 1] <= '9') ++zeros;
    t.erase(digits, zeros - digits);
    return t;
}

std::string calculaBox(const CoordList& MX, const CoordList& MY, const NumberFormat& fmt)
{
    // From the infinities: a box held at 0 would reach local coordinates
    // below zero up to the origin.
    // Over the vertices both lists have: a missing Y is no vertex at 0.
    double minX = std::numeric_limits<double>::infinity(), minY = minX, maxX = -minX, maxY = -minX;
    for (std::size_t i = 0; i < MX.size() && i < MY.size(); ++i) {
        const double x = MiStrToFloat(MX[i], fmt), y = MiStrToFloat(MY[i], fmt);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
        minX = std::min(minX, x);
        minY = std::min(minY, y);
    }
    // Whole numbers of any size, halves to the even neighbour.
    auto n = [](double v) {
        const double f = redondeoPar(v);
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.0f", f == 0 ? 0.0 : f);
        return std::string(buf);
    };
    if (minX > maxX) return "0,0,0,0";
    return n(minX) + "," + n(minY) + "," + n(maxX) + "," + n(maxY);
}

void TFVistaWeb::BBSiClick()
{
    if (opcion == 0)
        BActualizaClick();
    else if (opcion == 1)
        BActualTodoClick();
}

void TFVistaWeb::escribeYAbre(const std::filesystem::path& file, const std::string& page)
{
    AtomicFile out(file);
    out.write(page);
    out.write("\r\n");
    out.commit();
    abreDocumento(ui_, utf8Of(file), Visor::Navegador);
}

void TFVistaWeb::paginaUnPoligono(const CoordList& MX, const CoordList& MY, const std::string& huso,
                                  const NumberFormat& fmt, const std::filesystem::path& directorio)
{
    if (MX.empty() || MY.empty()) return ui_.message(kSinCoordenadas);
    // Every text checked before anything is written.
    const std::string epsg = husoAEpsg(huso);
    const std::string box = calculaBox(MX, MY, fmt);
    const std::string primero = centro(MX, MY, fmt);
    std::string coordenadas;
    if (MX.size() == MY.size())
        coordenadas = anillo(MX, MY, fmt);
    else
        ui_.message(std::string(kCoordenadasDistintas));

    const std::string page = rellenaPagina(plantillaUnPoligono(), [&](std::string_view nombre) -> std::string {
        if (nombre == "husogeo") return epsg;
        if (nombre == "zonageo") return zonaEnPagina(huso);
        if (nombre == "var_poligono") return "poligono1";
        if (nombre == "coordenadas") return coordenadas;
        if (nombre == "box") return box;
        if (nombre == "centro") return primero;
        return {};
    });
    escribeYAbre(directorio / kPaginaUno, page);
}

void TFVPrevWeb2::BActualizaClick()
{
    const FuentePoligono& p = fuente;
    if (!p.MX || !p.MY || !p.huso || !p.formato || !p.directorio) return;
    // The parcel's own zone: drawn in zone 30 whatever the zone, a parcel of
    // zone 29 or 31 lay hundreds of kilometres away.
    paginaUnPoligono(*p.MX, *p.MY, *p.huso, *p.formato, *p.directorio);
}

void TFVPrevWeb::BActualizaClick()
{
    if (!app_) return;
    const TFGMLEdif& e = *app_->FGMLEdif;
    paginaUnPoligono(e.MX, e.MY, e.CBHuso, e.formato, e.directorio);
}

void TFVPrevWeb::BActualTodoClick()
{
    if (!app_) return;
    const TFGMLEdif& e = *app_->FGMLEdif;
    const std::string epsg = husoAEpsg(e.CBHuso);

    std::string bucle;
    std::size_t k = 0;
    const EdifProp* primera = nullptr;
    for (std::size_t i = 0; i < e.Edificaciones.size(); ++i) {
        const EdifProp& c = e.Edificaciones[i];
        if (c.coorx.size() != c.coory.size())
            return ui_.message(errorEnEdificacion(i, c, kXYDistintas));
        if (!primera && !c.coorx.empty()) primera = &c;
        std::string color;
        if (c.e_i == kInterior) {
            color = "#FFFFFF";
        } else if (c.tipo == kPiscina) {
            color = "#00FFFF";
        } else {
            color = colorConstruccion(k);
            k = (k + 1) % 20;
        }
        const std::string n = std::to_string(i);
        // Each construction's link asks where it is, in the zone's code.
        const std::string box = c.coorx.empty() ? std::string() : calculaBox(c.coorx, c.coory, e.formato);
        bucle += "var poligono" + n + " = {";
        bucle += "\"type\": \"Feature\", \"geometry\": { \"type\": \"Polygon\", \"color\" : \"red\", \"coordinates\":";
        bucle += "[[";
        for (std::size_t j = 0; j < c.coorx.size(); ++j)
            bucle += std::string(j == 0 ? "[" : ", [") + coordenadaEnPagina(c.coorx[j], e.formato) + ", " +
                     coordenadaEnPagina(c.coory[j], e.formato) + "] ";
        bucle += "]] },";
        bucle += " 'properties': {";
        bucle += " 'name': 'Parcela', ";
        bucle += std::string(" 'enlace':'") + kEnlace + epsg +
                 "&width=50&height=50&FORMAT=image/png&query_Layers=BU.BUILDING&bbox=" + box + "&i=25&j=25', ";
        bucle += " 'color': '" + color + "',";
        bucle += "}, ";
        bucle += "'crs': {";
        bucle += "'type': 'name', ";
        bucle += "'properties': { ";
        bucle += "'name': 'urn:ogc:def:crs:EPSG::" + epsg + "' ";
        bucle += "} } }; ";
        bucle += "L.Proj.geoJson(poligono" + n + ", {";
        bucle += "style: function (feature) {";
        bucle += "return {color: feature.properties.color};";
        bucle += "} }).on('click', function() {window.open(poligono" + n + ".properties.enlace)";
        bucle += "}).addTo(map);";
    }
    // The view opens on the editor's first vertex, or on the first one drawn.
    const bool editor = !e.MX.empty() && !e.MY.empty();
    if (!primera) return ui_.message(kSinCoordenadas);
    const std::string vista = editor ? centro(e.MX, e.MY, e.formato) : centro(primera->coorx, primera->coory, e.formato);

    const std::string page = rellenaPagina(plantillaTodas(), [&](std::string_view nombre) -> std::string {
        if (nombre == "husogeo") return epsg;
        if (nombre == "zonageo") return zonaEnPagina(e.CBHuso);
        if (nombre == "centro") return vista;
        if (nombre == "bucle") return bucle;
        return {};
    });
    escribeYAbre(e.directorio / kPaginaTodas, page);
}

}  // namespace vadrel
