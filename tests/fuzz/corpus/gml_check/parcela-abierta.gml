<?xml version="1.0" encoding="UTF-8"?>
<FeatureCollection xmlns="http://www.opengis.net/wfs/2.0" xmlns:gml="http://www.opengis.net/gml/3.2" xmlns:cp="http://inspire.ec.europa.eu/schemas/cp/4.0" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" timeStamp="2026-01-01T00:00:00" numberMatched="1" numberReturned="1">
<member><cp:CadastralParcel gml:id="ES.SDGC.CP.1234567AB1234N"><cp:areaValue uom="m2">1200</cp:areaValue>
<cp:beginLifespanVersion xsi:nil="true" nilReason="other:unpopulated"/><cp:endLifespanVersion xsi:nil="true" nilReason="other:unpopulated"/>
<cp:geometry><gml:MultiSurface gml:id="MultiSurface_ES.SDGC.CP.1234567AB1234N" srsName="http://www.opengis.net/def/crs/EPSG/0/25830"><gml:surfaceMember><gml:Surface gml:id="Surface_ES.SDGC.CP.1234567AB1234N.1" srsName="http://www.opengis.net/def/crs/EPSG/0/25830"><gml:patches><gml:PolygonPatch><gml:exterior><gml:LinearRing><gml:posList srsDimension="2">500000 4100000 500040 4100000 500040 4100030 500000 4100031</gml:posList></gml:LinearRing></gml:exterior></gml:PolygonPatch></gml:patches></gml:Surface></gml:surfaceMember></gml:MultiSurface></cp:geometry>
<cp:inspireId><Identifier xmlns="http://inspire.ec.europa.eu/schemas/base/3.3"><localId>1234567AB1234N</localId><namespace>ES.SDGC.CP</namespace></Identifier></cp:inspireId>
<cp:label>34</cp:label><cp:nationalCadastralReference>1234567AB1234N</cp:nationalCadastralReference></cp:CadastralParcel></member>
</FeatureCollection>
