#include "check/gml_builder.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

namespace vadrel::test {

namespace {

std::string patchesGml(const std::vector<Patch>& patches)
{
    std::string out;
    for (const Patch& p : patches) {
        out += "<gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">";
        out += p.exterior;
        out += "</gml:posList></gml:LinearRing></gml:exterior>";
        for (const std::string& hole : p.interiors) {
            out += "<gml:interior><gml:LinearRing><gml:posList srsDimension=\"2\">";
            out += hole;
            out += "</gml:posList></gml:LinearRing></gml:interior>";
        }
        out += "</gml:PolygonPatch>";
    }
    return out;
}

}  // namespace

std::string parcelsGml(const std::vector<ParcelSpec>& parcels)
{
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<FeatureCollection xmlns=\"http://www.opengis.net/wfs/2.0\" xmlns:gml=\"http://www.opengis.net/gml/3.2\" "
        "xmlns:cp=\"http://inspire.ec.europa.eu/schemas/cp/4.0\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" timeStamp=\"2026-01-01T00:00:00\" numberMatched=\"1\" "
        "numberReturned=\"1\">\n";
    for (const ParcelSpec& p : parcels) {
        const std::string id = p.ns + "." + p.ref;
        out += "<member>\n<cp:CadastralParcel gml:id=\"" + id + "\">\n";
        out += "<cp:areaValue uom=\"m2\">" + p.area + "</cp:areaValue>\n";
        out += "<cp:beginLifespanVersion xsi:nil=\"true\" nilReason=\"other:unpopulated\"/>\n";
        out += "<cp:endLifespanVersion xsi:nil=\"true\" nilReason=\"other:unpopulated\"/>\n";
        out += "<cp:geometry><gml:MultiSurface gml:id=\"MultiSurface_" + id + "\" srsName=\"" + p.srs + "\">";
        for (std::size_t k = 0; k < p.patches.size(); ++k) {
            out += "<gml:surfaceMember><gml:Surface gml:id=\"Surface_" + id + "." + std::to_string(k + 1) +
                   "\" srsName=\"" + p.srs + "\"><gml:patches>";
            out += patchesGml({p.patches[k]});
            out += "</gml:patches></gml:Surface></gml:surfaceMember>";
        }
        out += "</gml:MultiSurface></cp:geometry>\n";
        out += "<cp:inspireId><Identifier xmlns=\"http://inspire.ec.europa.eu/schemas/base/3.3\"><localId>" + p.ref +
               "</localId><namespace>" + p.ns + "</namespace></Identifier></cp:inspireId>\n";
        out += "<cp:label>34</cp:label>\n<cp:nationalCadastralReference>" + p.ref +
               "</cp:nationalCadastralReference>\n</cp:CadastralParcel>\n</member>\n";
    }
    out += "</FeatureCollection>\n";
    return out;
}

std::string buildingGml(const BuildingSpec& b)
{
    const std::string id = "ES.SDGC.BU." + b.ref;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<gml:FeatureCollection gml:id=\"ES.SDGC.BU\" "
        "xmlns:base=\"urn:x-inspire:specification:gmlas:BaseTypes:3.2\" "
        "xmlns:bu-core2d=\"http://inspire.jrc.ec.europa.eu/schemas/bu-core2d/2.0\" "
        "xmlns:bu-ext2d=\"http://inspire.jrc.ec.europa.eu/schemas/bu-ext2d/2.0\" "
        "xmlns:gml=\"http://www.opengis.net/gml/3.2\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
        "<gml:featureMember>\n<bu-ext2d:Building gml:id=\"" +
        id +
        "\">\n"
        "<bu-core2d:beginLifespanVersion>2020-01-01T00:00:00</bu-core2d:beginLifespanVersion>\n"
        "<bu-core2d:conditionOfConstruction>functional</bu-core2d:conditionOfConstruction>\n"
        "<bu-core2d:dateOfConstruction><bu-core2d:DateOfEvent><bu-core2d:beginning>2000-01-01T00:00:00"
        "</bu-core2d:beginning><bu-core2d:end>2000-01-01T00:00:00</bu-core2d:end></bu-core2d:DateOfEvent>"
        "</bu-core2d:dateOfConstruction>\n"
        "<bu-core2d:endLifespanVersion xsi:nil=\"true\" nilReason=\"other:unpopulated\"/>\n"
        "<bu-core2d:inspireId><base:Identifier><base:localId>" +
        b.ref +
        "</base:localId><base:namespace>ES.SDGC.BU</base:namespace></base:Identifier></bu-core2d:inspireId>\n"
        "<bu-ext2d:geometry><bu-core2d:BuildingGeometry><bu-core2d:geometry><gml:Surface gml:id=\"Surface_" +
        id + "\" srsName=\"" + b.srs + "\"><gml:patches>" + patchesGml(b.patches) +
        "</gml:patches></gml:Surface></bu-core2d:geometry>\n"
        "<bu-core2d:horizontalGeometryEstimatedAccuracy uom=\"m\">0.1</bu-core2d:horizontalGeometryEstimatedAccuracy>\n"
        "<bu-core2d:horizontalGeometryReference>footPrint</bu-core2d:horizontalGeometryReference>\n"
        "<bu-core2d:referenceGeometry>true</bu-core2d:referenceGeometry>\n"
        "</bu-core2d:BuildingGeometry></bu-ext2d:geometry>\n"
        "<bu-ext2d:currentUse>1_residential</bu-ext2d:currentUse>\n"
        "<bu-ext2d:numberOfBuildingUnits>1</bu-ext2d:numberOfBuildingUnits>\n"
        "<bu-ext2d:numberOfDwellings>1</bu-ext2d:numberOfDwellings>\n"
        "<bu-ext2d:numberOfFloorsAboveGround>2</bu-ext2d:numberOfFloorsAboveGround>\n"
        "<bu-ext2d:officialArea><bu-ext2d:OfficialArea><bu-ext2d:officialAreaReference>grossFloorArea"
        "</bu-ext2d:officialAreaReference><bu-ext2d:value uom=\"m2\">" +
        b.value +
        "</bu-ext2d:value></bu-ext2d:OfficialArea></bu-ext2d:officialArea>\n"
        "</bu-ext2d:Building>\n</gml:featureMember>\n";
    if (!b.pool.empty()) {
        const std::string pool = id + "_PI.1";
        out += "<gml:featureMember>\n<bu-ext2d:OtherConstruction gml:id=\"" + pool +
               "\">\n"
               "<bu-core2d:beginLifespanVersion>2020-01-01T00:00:00</bu-core2d:beginLifespanVersion>\n"
               "<bu-core2d:conditionOfConstruction xsi:nil=\"true\" nilReason=\"other:unpopulated\"/>\n"
               "<bu-core2d:inspireId><base:Identifier><base:localId>" +
               b.ref +
               "_PI.1</base:localId><base:namespace>ES.SDGC.BU</base:namespace></base:Identifier>"
               "</bu-core2d:inspireId>\n"
               "<bu-ext2d:constructionNature>openAirPool</bu-ext2d:constructionNature>\n"
               "<bu-ext2d:geometry><gml:Polygon gml:id=\"Polygon_" +
               pool + "\" srsName=\"" + b.srs + "\"><gml:exterior><gml:LinearRing><gml:posList srsDimension=\"2\">" +
               b.pool +
               "</gml:posList></gml:LinearRing></gml:exterior></gml:Polygon></bu-ext2d:geometry>\n"
               "</bu-ext2d:OtherConstruction>\n</gml:featureMember>\n";
    }
    out += "</gml:FeatureCollection>\n";
    return out;
}

check::SchemaSettings testSchemas()
{
    const auto shared = sharedDir();
    if (!shared.empty()) return check::SchemaSettings::fromFolder(shared / "schemas");
    return {};
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "no " << from << " in the file";
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace vadrel::test
