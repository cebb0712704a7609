<?xml version="1.0" encoding="UTF-8"?>
<gml:FeatureCollection gml:id="ES.SDGC.BU" xmlns:base="urn:x-inspire:specification:gmlas:BaseTypes:3.2" xmlns:bu-core2d="http://inspire.jrc.ec.europa.eu/schemas/bu-core2d/2.0" xmlns:bu-ext2d="http://inspire.jrc.ec.europa.eu/schemas/bu-ext2d/2.0" xmlns:gml="http://www.opengis.net/gml/3.2" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<gml:featureMember><bu-ext2d:Building gml:id="ES.SDGC.BU.1234567AB1234N">
<bu-core2d:beginLifespanVersion>2020-01-01T00:00:00</bu-core2d:beginLifespanVersion><bu-core2d:conditionOfConstruction>functional</bu-core2d:conditionOfConstruction>
<bu-core2d:dateOfConstruction><bu-core2d:DateOfEvent><bu-core2d:beginning>2000-01-01T00:00:00</bu-core2d:beginning><bu-core2d:end>2000-01-01T00:00:00</bu-core2d:end></bu-core2d:DateOfEvent></bu-core2d:dateOfConstruction>
<bu-core2d:endLifespanVersion xsi:nil="true" nilReason="other:unpopulated"/>
<bu-core2d:inspireId><base:Identifier><base:localId>1234567AB1234N</base:localId><base:namespace>ES.SDGC.BU</base:namespace></base:Identifier></bu-core2d:inspireId>
<bu-ext2d:geometry><bu-core2d:BuildingGeometry><bu-core2d:geometry><gml:Surface gml:id="Surface_ES.SDGC.BU.1234567AB1234N" srsName="urn:ogc:def:crs:EPSG::25830"><gml:patches><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension="2">500000 4100000 500040 4100000 500040 4100030 500000 4100030 500000 4100000</gml:posList></gml:LinearRing></gml:exterior><gml:interior><gml:LinearRing><gml:posList srsDimension="2">500010 4100010 500010 4100020 500020 4100020 500010 4100010</gml:posList></gml:LinearRing></gml:interior></gml:PolygonPatch><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension="2">500030 4100000 500070 4100000 500070 4100030 500030 4100000</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface></bu-core2d:geometry>
<bu-core2d:horizontalGeometryEstimatedAccuracy uom="m">0.1</bu-core2d:horizontalGeometryEstimatedAccuracy><bu-core2d:horizontalGeometryReference>footPrint</bu-core2d:horizontalGeometryReference><bu-core2d:referenceGeometry>true</bu-core2d:referenceGeometry>
</bu-core2d:BuildingGeometry></bu-ext2d:geometry>
<bu-ext2d:currentUse>1_residential</bu-ext2d:currentUse><bu-ext2d:numberOfBuildingUnits>1</bu-ext2d:numberOfBuildingUnits><bu-ext2d:numberOfDwellings>1</bu-ext2d:numberOfDwellings><bu-ext2d:numberOfFloorsAboveGround>2</bu-ext2d:numberOfFloorsAboveGround>
<bu-ext2d:officialArea><bu-ext2d:OfficialArea><bu-ext2d:officialAreaReference>grossFloorArea</bu-ext2d:officialAreaReference><bu-ext2d:value uom="m2">2400</bu-ext2d:value></bu-ext2d:OfficialArea></bu-ext2d:officialArea>
</bu-ext2d:Building></gml:featureMember>
<gml:featureMember><bu-ext2d:OtherConstruction gml:id="ES.SDGC.BU.1234567AB1234N_PI.1"><bu-core2d:beginLifespanVersion>2020-01-01T00:00:00</bu-core2d:beginLifespanVersion><bu-core2d:conditionOfConstruction xsi:nil="true" nilReason="other:unpopulated"/>
<bu-core2d:inspireId><base:Identifier><base:localId>1234567AB1234N_PI.1</base:localId><base:namespace>ES.SDGC.BU</base:namespace></base:Identifier></bu-core2d:inspireId>
<bu-ext2d:constructionNature>openAirPool</bu-ext2d:constructionNature>
<bu-ext2d:geometry><gml:Polygon gml:id="Polygon_ES.SDGC.BU.1234567AB1234N_PI.1" srsName="urn:ogc:def:crs:EPSG::25830"><gml:exterior><gml:LinearRing><gml:posList srsDimension="2">500050 4100000 500060 4100000 500060 4100005 500050 4100000</gml:posList></gml:LinearRing></gml:exterior></gml:Polygon></bu-ext2d:geometry>
</bu-ext2d:OtherConstruction></gml:featureMember>
</gml:FeatureCollection>
