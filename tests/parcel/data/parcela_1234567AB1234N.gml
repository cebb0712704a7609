<?xml version="1.0" encoding="utf-8"?>
<!--Parcela catastral generada con Vadrel. Formato INSPIRE Cadastral Parcel 4.0.-->
<FeatureCollection xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xmlns:gml="http://www.opengis.net/gml/3.2" xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:cp="http://inspire.ec.europa.eu/schemas/cp/4.0" xmlns:gmd="http://www.isotc211.org/2005/gmd" xsi:schemaLocation="http://www.opengis.net/wfs/2.0 http://schemas.opengis.net/wfs/2.0/wfs.xsd http://inspire.ec.europa.eu/schemas/cp/4.0 http://inspire.ec.europa.eu/schemas/cp/4.0/CadastralParcels.xsd" xmlns="http://www.opengis.net/wfs/2.0" timeStamp="2026-01-01T00:00:00" numberMatched="1" numberReturned="1">
  <member>
    <cp:CadastralParcel gml:id="ES.SDGC.CP.1234567AB1234N">
      <gml:boundedBy>
        <gml:Envelope srsName="http://www.opengis.net/def/crs/EPSG/0/25830">
          <gml:lowerCorner>441618.77 4479169.8</gml:lowerCorner>
          <gml:upperCorner>441661.02 4479214.47</gml:upperCorner>
        </gml:Envelope>
      </gml:boundedBy>
      <cp:areaValue uom="m2">1443.3014</cp:areaValue>
      <cp:beginLifespanVersion xsi:nil="true" nilReason="http://inspire.ec.europa.eu/codelist/VoidReasonValue/Unpopulated" />
      <cp:endLifespanVersion xsi:nil="true" nilReason="http://inspire.ec.europa.eu/codelist/VoidReasonValue/Unpopulated" />
      <cp:geometry>
        <gml:MultiSurface gml:id="Multisurface_ES.SDGC.CP.1234567AB1234N" srsName="http://www.opengis.net/def/crs/EPSG/0/25830">
          <gml:surfaceMember>
            <gml:Surface gml:id="Surface_ES.SDGC.CP.1234567AB1234N" srsName="http://www.opengis.net/def/crs/EPSG/0/25830">
              <gml:patches>
                <gml:PolygonPatch>
                  <gml:exterior>
                    <gml:LinearRing>
                      <gml:posList srsDimension="2"> 441620.35 4479210.12 441655.80 4479214.47 441661.02 4479178.93 441633.41 4479169.80 441618.77 4479186.55 441620.35 4479210.12</gml:posList>
                    </gml:LinearRing>
                  </gml:exterior>
                </gml:PolygonPatch>
              </gml:patches>
            </gml:Surface>
          </gml:surfaceMember>
        </gml:MultiSurface>
      </cp:geometry>
      <cp:inspireId>
        <Identifier xmlns="http://inspire.ec.europa.eu/schemas/base/3.3">
          <localId>1234567AB1234N</localId>
          <namespace>ES.SDGC.CP</namespace>
        </Identifier>
      </cp:inspireId>
      <cp:label />
      <cp:nationalCadastralReference />
      <cp:referencePoint>
        <gml:Point gml:id="ReferencePoint_ES.SDGC.CP.1234567AB1234N" srsName="http://www.opengis.net/def/crs/EPSG/0/25830">
          <gml:pos>441639.763529795 4479193.22630439</gml:pos>
        </gml:Point>
      </cp:referencePoint>
    </cp:CadastralParcel>
  </member>
</FeatureCollection>
