#include "compare_inputs.hpp"

#include <cmath>
#include <cstdio>

namespace vadrel::bench {

namespace {

constexpr double kX0 = 441000, kY0 = 4479000;

std::string twoDecimals(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string reference(int i)
{
    char ref[32];
    std::snprintf(ref, sizeof ref, "%07dVK%04dN", 2000000 + i % 1000000, i % 10000);
    return ref;
}

// The road's centre line: a bend of 30 m every 2 km.
double centre(double x) { return kY0 + 30 * std::sin(2 * M_PI * x / 2000); }

}  // namespace

std::string mapFile(const std::vector<MapParcel>& parcels)
{
    std::string s =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FeatureCollection xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
        "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" xmlns:base=\"http://inspire.ec.europa.eu/schemas/base/3.3\" "
        "xmlns=\"http://www.opengis.net/wfs/2.0\">\n";
    for (const MapParcel& p : parcels) {
        s += "<member><cp:CadastralParcel gml:id=\"ES.SDGC.CP." + p.ref + "\"><cp:areaValue uom=\"m2\">1</cp:areaValue>"
             "<cp:geometry><gml:MultiSurface srsName=\"http://www.opengis.net/def/crs/EPSG/0/25830\"><gml:surfaceMember>"
             "<gml:Surface><gml:patches><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">";
        for (std::size_t i = 0; i < p.ring.size(); ++i) {
            if (i) s += ' ';
            s += twoDecimals(p.ring[i].x) + ' ' + twoDecimals(p.ring[i].y);
        }
        s += "</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface>"
             "</gml:surfaceMember></gml:MultiSurface></cp:geometry><cp:inspireId><base:Identifier><base:localId>" +
             p.ref + "</base:localId><base:namespace>ES.SDGC.CP</base:namespace></base:Identifier></cp:inspireId>"
                     "</cp:CadastralParcel></member>\n";
    }
    s += "</FeatureCollection>\n";
    return s;
}

Ring listsOf(const std::vector<Punto>& closedRing)
{
    Ring r;
    for (std::size_t i = 0; i + 1 < closedRing.size(); ++i) {
        r.x.push_back(twoDecimals(closedRing[i].x));
        r.y.push_back(twoDecimals(closedRing[i].y));
    }
    return r;
}

std::vector<Punto> square(double side)
{
    return {{kX0, kY0}, {kX0 + side, kY0}, {kX0 + side, kY0 + side}, {kX0, kY0 + side}, {kX0, kY0}};
}

namespace {

// The road's ring, its north side raised by `north` metres.
std::vector<Punto> road(double length, double north)
{
    const int steps = static_cast<int>(length / 25);
    std::vector<Punto> ring;
    for (int i = 0; i <= steps; ++i) ring.push_back({kX0 + 25.0 * i, centre(25.0 * i) - 5});
    for (int i = steps; i >= 0; --i) ring.push_back({kX0 + 25.0 * i, centre(25.0 * i) + 5 + north});
    ring.push_back(ring.front());
    return ring;
}

}  // namespace

std::vector<MapParcel> roadMap(double length)
{
    std::vector<MapParcel> map{{kRoadRef, road(length, 0)}};
    const int steps = static_cast<int>(length / 25);
    for (int k = 0; 4 * k + 4 <= steps; ++k)
        for (const double side : {-1.0, 1.0}) {
            std::vector<Punto> ring;
            for (int i = 4 * k; i <= 4 * k + 4; ++i) ring.push_back({kX0 + 25.0 * i, centre(25.0 * i) + 5 * side});
            const double x1 = 25.0 * (4 * k + 4), x0 = 25.0 * (4 * k);
            ring.push_back({kX0 + x1, centre(x1) + 45 * side});
            ring.push_back({kX0 + x0, centre(x0) + 45 * side});
            ring.push_back(ring.front());
            map.push_back({reference(static_cast<int>(map.size())), std::move(ring)});
        }
    return map;
}

std::vector<Punto> widenedRoad(double length) { return road(length, 0.3); }

std::vector<MapParcel> municipality(int columns, int rows)
{
    std::vector<MapParcel> map;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            // Grid points 5 m apart, so that neighbours share every vertex.
            const int i0 = 5 * column, j0 = 5 * row;
            auto at = [](int i, int j) { return Punto{kX0 + 5.0 * i, kY0 + 5.0 * j}; };
            std::vector<Punto> ring;
            for (int k = 0; k < 5; ++k) ring.push_back(at(i0 + k, j0));
            for (int k = 0; k < 5; ++k) ring.push_back(at(i0 + 5, j0 + k));
            for (int k = 0; k < 5; ++k) ring.push_back(at(i0 + 5 - k, j0 + 5));
            for (int k = 0; k < 5; ++k) ring.push_back(at(i0, j0 + 5 - k));
            ring.push_back(ring.front());
            map.push_back({reference(static_cast<int>(map.size())), std::move(ring)});
        }
    return map;
}

std::vector<Punto> saw(int columns, int teeth)
{
    const double width = 25.0 * columns, south = kY0 + 250, north = kY0 + 500;
    std::vector<Punto> ring{{kX0, south}, {kX0 + width, south}, {kX0 + width, north}};
    const double half = width / teeth / 2;
    for (int j = 1; j < 2 * teeth; ++j) ring.push_back({kX0 + width - j * half, north + (j % 2 ? 3 : -3)});
    ring.push_back({kX0, north});
    ring.push_back(ring.front());
    return ring;
}

}  // namespace vadrel::bench
