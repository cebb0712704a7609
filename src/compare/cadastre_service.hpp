#pragma once
// The cadastre's map services: a parcel by reference, the parcels of a box.
// Nothing is cached: the map changes.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "compare/shapes.hpp"

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

class CadastreService {
public:
    // `base` replaces kServiceBase: https on the cadastre's host, or plain
    // http on this machine (127.0.0.0/8, ::1). Throws Failure otherwise.
    explicit CadastreService(std::string base = kServiceBase);
    // The base given, else VADREL_SERVICIO_CATASTRO, else kServiceBase.
    static CadastreService fromEnvironment(const std::optional<std::string>& given = std::nullopt);

    long timeoutSeconds = 30;
    std::size_t maxBody = std::size_t{64} << 20;

    // The service's answer for the parcel of `ref` (a cadastre GML document;
    // for zone 28 brought to metres). Every failure, an answer without the
    // parcel too, throws Failure with a message starting with kNoMap.
    std::string parcelDocument(const std::string& ref, int zone) const;
    // The same, read into `doc` as well.
    std::string parcelDocument(const std::string& ref, int zone, pugi::xml_document& doc) const;
    // The parcels in the box (metres of `zone`), asked tile by tile within
    // the service's limit of 1 km2 a request; each parcel once.
    std::vector<Shape> parcelsInBox(double minX, double minY, double maxX, double maxY, int zone) const;
    // The parcels around the new geometry: its box grown by kBoxMargin.
    std::vector<Shape> parcelsAround(const std::vector<Shape>& fresh, int zone) const;
    // The parcel of the reference; throws Failure when the cadastre has none.
    std::vector<Shape> parcelOf(const std::string& ref, int zone) const;

    const std::string& base() const { return base_; }

private:
    std::string get(const std::string& url) const;
    // One tile's parcels into `shapes`; a tile the service cuts short is
    // asked again in four quarters.
    void tileInto(std::vector<Shape>& shapes, std::set<std::string>& seen, double minX, double minY, double maxX,
                  double maxY, int zone, int depth) const;
    std::string base_;
};

// The request addresses, for tests and for the messages.
std::string parcelUrl(const std::string& base, const std::string& ref, int zone);
std::string boxUrl(const std::string& base, double minX, double minY, double maxX, double maxY, int zone);

// True for 127.0.0.0/8 and ::1 (with or without brackets).
bool isLoopback(std::string_view host);

// The service's own words when `body` is an ExceptionReport; nothing else.
std::optional<std::string> exceptionText(const std::string& body);

}  // namespace vadrel::compare
