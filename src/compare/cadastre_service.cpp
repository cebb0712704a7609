#include "compare/cadastre_service.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <pugixml.hpp>
#include <set>
#include <sstream>
#include <thread>

#include "check/check_text.hpp"
#include "check/gml_model.hpp"
#include "check/http_fetch.hpp"
#include "compare/comparison.hpp"
#include "compare/degrees.hpp"
#include "compare/service_answer.hpp"
#include "core/failure.hpp"
#include "core/numeric_text.hpp"
#include "core/xml_edit.hpp"

namespace vadrel::compare {

namespace {

// The service refuses a box of 1 km2 or more ("Area of extension out of
// limits"). Tiles of this side stay at 999 m or less once their corners
// are rounded to the centimetre.
constexpr double kLargestSide = 998.98;
// In zone 28 the box is asked in degrees: the box in degrees around a tile
// is larger than the tile, as the grid turns against the meridians.
constexpr double kLargestSide28 = 900.0;

// The service's words for a box without parcels, a box too large and a
// reference it does not know.
constexpr std::string_view kNoRecords = "No records";
constexpr std::string_view kOutOfLimits = "Area of extension out of limits";
constexpr std::string_view kParcelNotFound = "No se ha encontrado la parcela";

bool busy(long status) { return status == 500 || status == 502 || status == 503 || status == 504; }

struct Address {
    std::string scheme;
    std::string host;
};

Address addressOf(std::string_view url)
{
    Address a;
    const std::size_t colon = url.find("://");
    if (colon == std::string_view::npos) return a;
    a.scheme = url.substr(0, colon);
    std::string_view rest = url.substr(colon + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (rest.find('@') != std::string_view::npos) return {};  // no credentials in the address
    if (rest.starts_with('[')) {
        a.host = rest.substr(0, rest.find(']') + 1);
    } else {
        a.host = rest.substr(0, rest.find(':'));
    }
    return a;
}

// The service knows zones 29 to 31; zone 28 is asked for in degrees.
std::string zoneCode(int zone)
{
    if (zone == 28) return "EPSG:4326";
    if (zone < 29 || zone > 31)
        throw Failure(std::string(kNoMap) + "el huso " + std::to_string(zone) + " no es de España.");
    return "EPSG:258" + std::to_string(zone);
}

std::string degreesText(double v)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 8);
    return std::string(text, end.ptr);
}

// An answer in degrees for zone 28 brought to metres.
void toZone28(pugi::xml_document& doc)
{
    try {
        Zone28().convertDocument(doc);
    } catch (const Failure& e) {
        throw Failure(std::string(kNoMap) + e.what());
    }
}

// A box's answer as its parcels, read and checked as a file the person
// opens; zone 28 brought to metres.
std::vector<Shape> boxAnswer(const std::string& body, int zone, pugi::xml_document& doc)
{
    try {
        readAnswer(doc, body);
        checkAnswerZone(doc, zone);
    } catch (const Failure& e) {
        throw Failure(std::string(kNoMap) + "la respuesta del servicio no vale: " + e.what() + ".");
    }
    if (zone == 28) toZone28(doc);
    try {
        return parcelsOfAnswer(doc);
    } catch (const Failure& e) {
        throw Failure(std::string(kNoMap) + "la respuesta del servicio no vale: " + e.what() + ".");
    }
}

// The service's own words, fit to print: an escape sequence in them cannot
// drive the terminal or forge a line, and a text of megabytes is cut.
Failure serviceSays(const std::string& said)
{
    return Failure(std::string(kNoMap) + "el servicio del catastro responde «" +
                   check::printable(said, check::kLongestName) + "»");
}

Failure noParcel(const std::string& ref)
{
    return Failure(std::string(kNoMap) + "el catastro no da ninguna parcela con la referencia " + ref + ".");
}

}  // namespace

bool isLoopback(std::string_view host)
{
    if (host == "::1" || host == "[::1]") return true;
    // 127.a.b.c with four decimal parts.
    if (!host.starts_with("127.")) return false;
    int parts = 0;
    std::size_t start = 0;
    while (start <= host.size()) {
        const std::size_t dot = std::min(host.find('.', start), host.size());
        const std::string_view part = host.substr(start, dot - start);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string_view::npos ||
            std::stoi(std::string(part)) > 255)
            return false;
        ++parts;
        start = dot + 1;
    }
    return parts == 4;
}

CadastreService::CadastreService(std::string base) : base_(std::move(base))
{
    const Address a = addressOf(base_);
    const bool secure = a.scheme == "https" && a.host == kServiceHost;
    const bool local = a.scheme == "http" && isLoopback(a.host);
    if (!secure && !local)
        throw Failure("La dirección del servicio del catastro '" + base_ + "' no vale: ha de ser https://" +
                      kServiceHost + "/… o http:// en este mismo equipo (127.0.0.1 o ::1).");
    if (!base_.ends_with('/')) base_ += '/';
}

CadastreService CadastreService::fromEnvironment(const std::optional<std::string>& given)
{
    if (given) return CadastreService(*given);
    const char* variable = std::getenv(kServiceVariable);
    if (variable && *variable) return CadastreService(variable);
    return CadastreService();
}

std::string parcelUrl(const std::string& base, const std::string& ref, int zone)
{
    return base + "wfsCP.aspx?service=wfs&version=2.0.0&request=getfeature&StoredQuerie_id=GetParcel&refcat=" + ref +
           "&srsname=" + zoneCode(zone);
}

std::string boxUrl(const std::string& base, double minX, double minY, double maxX, double maxY, int zone)
{
    const std::string start =
        base + "wfsCP.aspx?service=wfs&version=2.0.0&request=getfeature&typenames=CP.CADASTRALPARCEL&bbox=";
    if (zone != 28)
        return start + twoDecimals(minX) + "," + twoDecimals(minY) + "," + twoDecimals(maxX) + "," +
               twoDecimals(maxY) + "&srsname=" + zoneCode(zone);
    // The box in degrees holding the four corners, latitude first.
    const Zone28 convert;
    double minLat = 90, minLon = 180, maxLat = -90, maxLon = -180;
    for (const Punto& corner : {Punto{minX, minY}, Punto{maxX, minY}, Punto{maxX, maxY}, Punto{minX, maxY}}) {
        const Degrees d = convert.degrees(corner);
        minLat = std::min(minLat, d.lat);
        maxLat = std::max(maxLat, d.lat);
        minLon = std::min(minLon, d.lon);
        maxLon = std::max(maxLon, d.lon);
    }
    return start + degreesText(minLat) + "," + degreesText(minLon) + "," + degreesText(maxLat) + "," +
           degreesText(maxLon) + "&srsname=" + zoneCode(zone);
}

std::optional<std::string> exceptionText(const std::string& body)
{
    pugi::xml_document doc;
    if (!doc.load_buffer(body.data(), body.size())) return std::nullopt;
    const pugi::xml_node root = doc.document_element();
    if (check::localName(root) != "ExceptionReport") return std::nullopt;
    std::string text;
    for (pugi::xml_node n = root; n; n = check::nextElement(n, root, true))
        if (check::localName(n) == "ExceptionText") {
            const std::string said(trimmed(textOf(n)));
            if (!said.empty()) text += (text.empty() ? "" : " ") + said;
        }
    return text.empty() ? std::string("sin explicación") : text;
}

double tileSide(int zone) { return zone == 28 ? kLargestSide28 : kLargestSide; }

void CadastreService::stopIfCancelled() const
{
    if (progress && progress->cancelled()) throw Failure(kDownloadCancelled);
}

void CadastreService::wait(std::chrono::milliseconds pause) const
{
    const auto until = std::chrono::steady_clock::now() + pause;
    while (std::chrono::steady_clock::now() < until) {
        if (progress) progress->waiting();
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(20), until - std::chrono::steady_clock::now()));
    }
}

CadastreService::Answer CadastreService::get(const std::string& url, std::string& body) const
{
    check::FetchLimits limits;
    limits.maxBody = maxBody;
    limits.timeoutSeconds = timeoutSeconds;
    limits.plainHttp = base_.starts_with("http://");
    limits.direct = isLoopback(addressOf(base_).host);
    limits.tooLarge = "pasa de " + std::to_string(maxBody >> 20) + " MB";
    limits.elsewhere = "fuera del servicio del catastro";
    if (progress) limits.waiting = [this] { progress->waiting(); };
    const std::string host = addressOf(base_).host;
    for (int attempt = 0;; ++attempt) {
        stopIfCancelled();
        if (lastRequest_) wait(std::chrono::duration_cast<std::chrono::milliseconds>(
                              spacing - (std::chrono::steady_clock::now() - *lastRequest_)));
        ++sent_;
        planned_ = std::max(planned_, sent_);
        if (progress) progress->step(kDownloading + std::to_string(sent_) + " de " + std::to_string(planned_));
        check::HttpAnswer answer;
        try {
            answer = check::httpFetch(url, [&](std::string_view h) { return h == host; }, limits);
            lastRequest_ = std::chrono::steady_clock::now();
        } catch (const check::TimedOut& e) {
            lastRequest_ = std::chrono::steady_clock::now();
            if (attempt > 0) throw Failure(std::string(kNoMap) + e.what());
            ++planned_;
            wait(retryPause);
            continue;
        } catch (const Failure& e) {
            lastRequest_ = std::chrono::steady_clock::now();
            throw Failure(std::string(kNoMap) + e.what());
        }
        const std::optional<std::string> said = exceptionText(answer.body);
        // The service says so with any status, 200 included.
        if (said && said->find(kNoRecords) != std::string::npos) {
            body = *said;
            return Answer::NoRecords;
        }
        if (answer.status == 403)
            throw Failure(std::string(kNoMap) + "el servicio del catastro rechaza las peticiones (403); espere unos "
                                                "minutos y vuelva a intentarlo.");
        if (attempt == 0 && busy(answer.status)) {
            ++planned_;
            wait(retryPause);
            continue;
        }
        if (said) {
            body = *said;
            if (said->find(kOutOfLimits) != std::string::npos) return Answer::BoxTooLarge;
            if (said->find(kParcelNotFound) != std::string::npos) return Answer::NoSuchParcel;
            throw serviceSays(*said);
        }
        if (answer.status != 200)
            throw Failure(std::string(kNoMap) + "el servicio del catastro responde con el código " +
                          std::to_string(answer.status));
        body = std::move(answer.body);
        return Answer::Body;
    }
}

std::string CadastreService::parcelDocument(const std::string& ref, int zone, pugi::xml_document& doc) const
{
    sent_ = 0;
    planned_ = 1;
    std::string body;
    switch (get(parcelUrl(base_, ref, zone), body)) {
    case Answer::Body: break;
    case Answer::NoRecords:
    case Answer::NoSuchParcel: throw noParcel(ref);
    case Answer::BoxTooLarge: throw serviceSays(body);
    }
    stopIfCancelled();
    // Nothing is used, or saved, that is not the parcel asked for as a file
    // of it would be.
    const Failure notAsked(std::string(kNoMap) + "la respuesta del servicio no es la parcela pedida (" + ref + ").");
    try {
        readAnswer(doc, body);
        checkAnswerZone(doc, zone);
    } catch (const Failure&) {
        throw notAsked;
    }
    if (zone == 28) {
        toZone28(doc);
        std::ostringstream converted;
        doc.save(converted, "  ", pugi::format_default, pugi::encoding_utf8);
        body = converted.str();
    }
    std::vector<Shape> shapes;
    try {
        shapes = parcelsOfAnswer(doc);
    } catch (const Failure&) {
        throw notAsked;
    }
    if (shapes.empty()) throw noParcel(ref);
    for (const Shape& s : shapes)
        if (s.name != ref) throw notAsked;
    return body;
}

std::string CadastreService::parcelDocument(const std::string& ref, int zone) const
{
    pugi::xml_document doc;
    return parcelDocument(ref, zone, doc);
}

namespace {

// An answer the service cut short: more parcels matched than it returned,
// or as many as it ever returns.
bool cutShort(const pugi::xml_document& doc)
{
    const pugi::xml_node root = doc.document_element();
    const long long matched = root.attribute("numberMatched").as_llong(-1);
    const long long returned = root.attribute("numberReturned").as_llong(-1);
    return (matched >= 0 && returned >= 0 && matched > returned) || returned >= kMostParcels;
}

// A tile split in four this many times at most (1 km2 down to about 4,000 m2).
constexpr int kDeepestSplit = 4;

}  // namespace

void CadastreService::tileInto(std::vector<Shape>& shapes, std::set<std::string>& seen, double minX, double minY,
                               double maxX, double maxY, int zone, int depth) const
{
    std::string body;
    const Answer answer = get(boxUrl(base_, minX, minY, maxX, maxY, zone), body);
    if (answer == Answer::NoRecords) return;  // a tile at sea, past a coast
    if (answer == Answer::NoSuchParcel) throw serviceSays(body);
    pugi::xml_document doc;
    std::vector<Shape> parcels;
    if (answer == Answer::Body) parcels = boxAnswer(body, zone, doc);
    if (answer == Answer::BoxTooLarge || cutShort(doc)) {
        if (depth == kDeepestSplit && answer == Answer::BoxTooLarge) throw serviceSays(body);
        if (depth == kDeepestSplit)
            throw Failure(std::string(kNoMap) + "la zona tiene más parcelas de las que el servicio da en una respuesta (" +
                          std::to_string(kMostParcels) + ").");
        planned_ += 4;
        const double midX = (minX + maxX) / 2, midY = (minY + maxY) / 2;
        tileInto(shapes, seen, minX, minY, midX, midY, zone, depth + 1);
        tileInto(shapes, seen, midX, minY, maxX, midY, zone, depth + 1);
        tileInto(shapes, seen, minX, midY, midX, maxY, zone, depth + 1);
        tileInto(shapes, seen, midX, midY, maxX, maxY, zone, depth + 1);
        return;
    }
    for (Shape& s : parcels)
        if (s.name.empty() || seen.insert(s.name).second) shapes.push_back(std::move(s));
}

std::vector<Shape> CadastreService::parcelsInBox(double minX, double minY, double maxX, double maxY, int zone) const
{
    const double side = tileSide(zone);
    const double across = std::max(1.0, std::ceil((maxX - minX) / side));
    const double down = std::max(1.0, std::ceil((maxY - minY) / side));
    // A slip of a digit can make a box of thousands of requests: refused
    // before any is sent.
    if (!(across * down <= kMostRequests))
        throw Failure(std::string(kNoMap) + "la zona pasa de " + std::to_string(kMostRequests) +
                      " km²; compare con un archivo de la cartografía catastral.");
    const double w = (maxX - minX) / across, h = (maxY - minY) / down;
    sent_ = 0;
    planned_ = static_cast<int>(across * down);
    std::vector<Shape> shapes;
    std::set<std::string> seen;  // a parcel across tiles comes in each
    for (int i = 0; i < across; ++i)
        for (int j = 0; j < down; ++j)
            tileInto(shapes, seen, minX + i * w, minY + j * h, minX + (i + 1) * w, minY + (j + 1) * h, zone, 0);
    stopIfCancelled();
    return shapes;
}

std::vector<Shape> CadastreService::parcelsAround(const std::vector<Shape>& fresh, int zone) const
{
    Extension e;
    for (const Shape& s : fresh)
        for (const Patch& p : s.patches) e.anade(p.rings.front());
    if (e.vacia()) throw Failure(std::string(kNoMap) + "no hay geometría con que pedirla.");
    std::vector<Shape> map =
        parcelsInBox(e.minX - kBoxMargin, e.minY - kBoxMargin, e.maxX + kBoxMargin, e.maxY + kBoxMargin, zone);
    if (map.empty())
        throw Failure(std::string(kNoMap) + "el catastro no tiene parcelas alrededor de estas coordenadas; compruebe "
                                            "el huso (" + std::to_string(zone) + ") y las coordenadas.");
    return map;
}

std::vector<Shape> CadastreService::parcelOf(const std::string& ref, int zone) const
{
    pugi::xml_document doc;
    parcelDocument(ref, zone, doc);
    return shapesOf(doc, Kind::Parcels);
}

}  // namespace vadrel::compare
