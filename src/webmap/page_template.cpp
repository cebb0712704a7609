#include "webmap/page_template.hpp"

#include <cctype>

namespace vadrel {

namespace {

// The page around the polygons, up to the projection (lines 1 to 62).
constexpr std::string_view kCabecera[] = {
    "<!DOCTYPE html>",
    "<html>",
    "<head>",
    "<meta charset=\"UTF-8\">",
    "<title>WMS Leaflet</title>",
    "<link rel=\"stylesheet\" href=\"leaflet/leaflet.css\" />",
    "<style>",
    "",
    "  body {",
    "    padding: 0;",
    "    margin: 0;",
    "  }",
    "  html, body, #map {",
    "    height: 100%;",
    "    width: 100%;",
    "  }",
    "",
    "  .leaflet-popup-content-wrapper {",
    "    width: 420px;",
    "    height: 400px;",
    "  }",
    "",
    "  iframe {",
    "    width: 400px;",
    "    height: 350px;",
    "  }",
    "</style>",
    "</head>",
    "<body>",
    "<script src=\"leaflet/leaflet.js\"></script>",
    "<script src=\"leaflet.wms.js\"></script>",
    "<script src=\"./Proj4Leaflet/lib/proj4-compressed.js\"></script>",
    "<script src=\"./Proj4Leaflet/src/proj4leaflet.js\"></script>",
    "",
    "<div id =\"map\"> </div>",
    "<script>",
    "",
    "",
    "  var map = L.map('map');",
    "",
    "  var foto = L.tileLayer.wms(\"http://www.ign.es/wms-inspire/pnoa-ma?SERVICE=WMS&\", {",
    "    layers: \"OI.OrthoimageCoverage\",//nombre de la capa (ver get capabilities)",
    "    format: 'image/jpeg',",
    "    transparent: true,",
    "    maxZoom: 30,",
    "    version: '1.3.0',//wms version (ver get capabilities)",
    "    attribution: \"PNOA WMS. Cedido por © Instituto Geográfico Nacional de España\"",
    "  }).addTo(map);",
    "",
    "  var pnoa = L.tileLayer.wms(\"http://ovc.catastro.meh.es/Cartografia/WMS/ServidorWMS.aspx?\", {",
    "    layers: \"Catastro\",//nombre de la capa (ver get capabilities)",
    "    styles: 'ELFCadastre',",
    "    format: 'image/jpeg',",
    "    transparent: true,",
    "    opacity: 0.6,",
    "    maxZoom: 30",
    "  }).addTo(map);",
    "",
    "",
    "  proj4.defs('EPSG:<#husogeo#>', '+proj=utm +zone=<#zonageo#> +ellps=GRS80 +datum=NAD83 +units=m +no_defs');",
    "",
    "",
};

// One polygon (lines 63 to 86).
constexpr std::string_view kPoligono[] = {
    "  var <#var_poligono> = {",
    "    \"type\": \"Feature\", \"geometry\": { \"type\": \"Polygon\", \"color\" : \"red\", \"coordinates\":",
    "    [[<#coordenadas>]] },",
    "    'properties': {",
    "      'name': 'Parcela',",
    "      'enlace':'http://ovc.catastro.meh.es/Cartografia/INSPIRE/spadgcwms.aspx?service=wms&request=getfeatureinfo"
    "&srs=epsg:<#husogeo#>&width=50&height=50&FORMAT=image/png&query_Layers=BU.BUILDING&bbox=<#box>&i=25&j=25',",
    "      'color':'red',",
    "    },",
    "    'crs': {",
    "      'type': 'name',",
    "      'properties': {",
    "        'name': 'urn:ogc:def:crs:EPSG::<#husogeo#>'",
    "      }",
    "    }",
    "  };",
    "",
    "  L.Proj.geoJson(<#var_poligono>, {",
    "    style: function (feature) {",
    "      return {color: feature.properties.color};",
    "    }",
    "  })",
    "  .on('click', function() {window.open(<#var_poligono>.properties.enlace);",
    "",
    "  }).addTo(map);",
};

// The view on the first vertex (lines 87 to 98).
constexpr std::string_view kPie[] = {
    "",
    "  var utm=\"+proj=longlat +ellps=WGS84 +datum=WGS84 +no_defs\";",
    "  var EPSG=\"+proj=utm +zone=<#zonageo#> +ellps=GRS80 +datum=NAD83 +units=m +no_defs\";",
    "",
    "  var cadena = \"\" + proj4(EPSG,utm,<#centro>);",
    "  var coorx = \"\"+cadena.slice(cadena.indexOf(\",\")+1,cadena.length);",
    "  var coory = \"\"+cadena.slice(0,cadena.indexOf(\",\"));",
    "  map.setView( [coorx,coory], 18);",
    "",
    "</script>",
    "</body>",
    "</html>",
};

template <std::size_t N>
void une(std::string& out, const std::string_view (&lines)[N])
{
    for (std::string_view l : lines) {
        out += l;
        out += "\r\n";
    }
}

}  // namespace

std::string plantillaUnPoligono()
{
    std::string t;
    une(t, kCabecera);
    une(t, kPoligono);
    une(t, kPie);
    return t;
}

std::string plantillaTodas()
{
    std::string t;
    une(t, kCabecera);
    t += "<#bucle>\r\n";
    une(t, kPie);
    return t;
}

std::string rellenaPagina(std::string_view plantilla, const Etiqueta& etiqueta)
{
    std::string out;
    out.reserve(plantilla.size());
    std::size_t i = 0;
    while (i < plantilla.size()) {
        const std::size_t tag = plantilla.find("<#", i);
        const std::size_t end = tag == std::string_view::npos ? std::string_view::npos : plantilla.find('>', tag);
        if (end == std::string_view::npos) {
            out += plantilla.substr(i);
            break;
        }
        out += plantilla.substr(i, tag - i);
        std::size_t n = tag + 2;
        std::string nombre;
        while (n < end && (std::isalnum(static_cast<unsigned char>(plantilla[n])) || plantilla[n] == '_'))
            nombre += static_cast<char>(std::tolower(static_cast<unsigned char>(plantilla[n++])));
        out += etiqueta(nombre);
        i = end + 1;
    }
    return out;
}

std::string_view colorConstruccion(std::size_t k)
{
    static constexpr std::string_view kColores[] = {
        "#FF0000", "#00FF00", "#0000FF", "#FF00FF", "#004000", "#FFFF00", "#FF8080", "#804040", "#808000", "#008080",
        "#408080", "#8080FF", "#FF8000", "#0080FF", "#80FF80", "#400000", "#C00000", "#FF80FF", "#8000FF", "#00C020"};
    return kColores[k % std::size(kColores)];
}

}  // namespace vadrel
