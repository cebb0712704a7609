#pragma once
// The cadastre's map services: a parcel by reference, the parcels of a box.
// Nothing is cached: the map changes.

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compare/shapes.hpp"
#include "core/progress.hpp"

namespace vadrel::compare {

inline constexpr const char* kServiceBase = "https://ovc.catastro.meh.es/INSPIRE/";
inline constexpr const char* kServiceHost = "ovc.catastro.meh.es";
inline constexpr const char* kServiceVariable = "VADREL_SERVICIO_CATASTRO";
// What every failure to get the map starts with.
inline constexpr const char* kNoMap = "No se ha podido descargar la cartografía catastral: ";
// Around the new geometry, so that its neighbours come with the map.
inline constexpr double kBoxMargin = 25.0;  // m
// The most parcels the service gives in one answer.
inline constexpr int kMostParcels = 5000;
// The most requests a box is asked in (about 100 km2).
inline constexpr int kMostRequests = 100;
// The progress shown for each request.
inline constexpr const char* kDownloading = "Descargando la cartografía catastral: petición ";
inline constexpr const char* kDownloadCancelled = "Se ha cancelado la descarga.";

class CadastreService {
public:
    // `base` replaces kServiceBase: https on the cadastre's host, or plain
    // http on this machine (127.0.0.0/8, ::1). Throws Failure otherwise.
    explicit CadastreService(std::string base = kServiceBase);
    // The base given, else VADREL_SERVICIO_CATASTRO, else kServiceBase.
    static CadastreService fromEnvironment(const std::optional<std::string>& given = std::nullopt);

    // A large box can take the service half a minute.
    long timeoutSeconds = 90;
    std::size_t maxBody = std::size_t{64} << 20;
    // One request at a time, this far apart at least: the service refuses
    // (403) whoever asks too fast.
    std::chrono::milliseconds spacing{500};
    // A busy service (500, 502, 503, 504, no answer in time) is asked once
    // more after this pause.
    std::chrono::milliseconds retryPause{2000};
    // Told of every request; when it is cancelled, the download stops
    // before the next one with kDownloadCancelled. Not owned.
    Progress* progress = nullptr;

    // The service's answer for the parcel of `ref` (a cadastre GML document;
    // for zone 28 brought to metres). Every failure, an answer without the
    // parcel too, throws Failure with a message starting with kNoMap.
    std::string parcelDocument(const std::string& ref, int zone) const;
    // The same, read into `doc` as well.
    std::string parcelDocument(const std::string& ref, int zone, pugi::xml_document& doc) const;
    // The parcels in the box (metres of `zone`), asked tile by tile within
    // the service's limit of 1 km2 a request; each parcel once. A tile with
    // no parcels (at sea) is no failure.
    std::vector<Shape> parcelsInBox(double minX, double minY, double maxX, double maxY, int zone) const;
    // The parcels around the new geometry: its box grown by kBoxMargin.
    // None at all is a failure: the coordinates are not where the person
    // thinks (another zone, a slip of a digit).
    std::vector<Shape> parcelsAround(const std::vector<Shape>& fresh, int zone) const;
    // The parcel of the reference; throws Failure when the cadastre has none.
    std::vector<Shape> parcelOf(const std::string& ref, int zone) const;

    const std::string& base() const { return base_; }

    // What an answer turned out to be, once the service's own refusals are
    // read.
    enum class Answer { Body, NoRecords, BoxTooLarge, NoSuchParcel };

private:
    // The body of the answer in `body`; the service's refusals that are no
    // failure as Answer, the others thrown.
    Answer get(const std::string& url, std::string& body) const;
    // Throws kDownloadCancelled once the person has cancelled: before each
    // request and when the last one is in.
    void stopIfCancelled() const;
    // Waits out `pause`, keeping the progress alive.
    void wait(std::chrono::milliseconds pause) const;
    // One tile's parcels into `shapes`; a tile the service cuts short, or
    // finds too large, is asked again in four quarters.
    void tileInto(std::vector<Shape>& shapes, std::set<std::string>& seen, double minX, double minY, double maxX,
                  double maxY, int zone, int depth) const;
    std::string base_;
    // The requests sent and planned in this download, and when the last
    // one ended.
    mutable int sent_ = 0;
    mutable int planned_ = 0;
    mutable std::optional<std::chrono::steady_clock::time_point> lastRequest_;
};

// The side of the tiles a box is asked in, for `zone`: the service refuses
// boxes of 1 km2 or more, and a zone-28 tile is asked as the box in
// degrees around it, larger than the tile itself.
double tileSide(int zone);

// The request addresses, for tests and for the messages.
std::string parcelUrl(const std::string& base, const std::string& ref, int zone);
std::string boxUrl(const std::string& base, double minX, double minY, double maxX, double maxY, int zone);

// True for 127.0.0.0/8 and ::1 (with or without brackets).
bool isLoopback(std::string_view host);

// The service's own words when `body` is an ExceptionReport; nothing else.
std::optional<std::string> exceptionText(const std::string& body);

}  // namespace vadrel::compare
