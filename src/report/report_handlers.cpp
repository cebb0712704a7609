// "Informe PDF" of the parcel and building windows: the report of the GML
// "Crear GML" writes, from the same filled template, checked offline.

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/geometry.hpp"
#include "core/file_io.hpp"
#include "core/xml_file.hpp"
#include "parcel/parcel_form.hpp"
#include "compare/area_tolerance.hpp"
#include "report/report_comparison.hpp"
#include "report/report_georef.hpp"
#include "report/report_layout.hpp"

namespace vadrel {

namespace {

const FileFilter kFiltroPdf{"Documentos PDF|*.pdf", "pdf"};

// The document written to a folder of its own and checked there, without
// the network: schemas from a catalog or the cache, or the summary says so.
std::vector<std::string> compruebaSinRed(const pugi::xml_document& gml)
{
    CarpetaTemporal carpeta("vadrel-informe");
    if (carpeta.path().empty()) throw Failure("Error. No se ha podido crear una carpeta temporal para comprobar el GML.");
    const std::filesystem::path file = carpeta.path() / "informe.gml";
    saveXml(gml, file);
    return report::comprobacionSinRed(file);
}

void escribeInforme(Ui& ui, report::DatosInforme& datos)
{
    if (!ui.pideFirma(datos.firma)) return;
    // Laid out before the file dialog: a coordinate that is no number is
    // told before the person picks a file.
    const report::Informe informe = report::componeInforme(datos, ui.medidaTexto());
    auto file = ui.saveFileName(kFiltroPdf);
    if (!file) return;
    ui.writeReport(informe, *file);
    abreDocumento(ui, *file, Visor::LectorPdf);
}

}  // namespace

void TFParcelgen::BBInformeClick()
{
    if (!preparaGml(true)) return;
    // The rings of the document just filled: the report shows what the
    // GML holds, every surface of it.
    report::DatosInforme datos = report::datosDeParcela(*this, XMLParcela);
    datos.comprobacion = compruebaSinRed(XMLParcela);
    const std::optional<double> registral = compare::registeredArea(ESupRegistral);
    report::anadeCartografia(datos, cartografia, registral);
    // Without a map the registered area still has its difference with the ring's.
    if (registral && datos.georreferenciacion.registral.empty())
        datos.georreferenciacion.registral = compare::registeredLine(CalculaArea(MX, MY, formato), *registral, ',');
    if (const auto* c = FDesplazamiento.paraInforme())
        report::anadeDesplazamiento(datos, c->pares, c->ajuste, c->aplicado);
    escribeInforme(ui_, datos);
}

void TFGMLEdif::BBInformeClick()
{
    if (!preparaGml()) return;
    report::DatosInforme datos = report::datosDeEdificio(*this);
    datos.comprobacion = compruebaSinRed(XMLEdificio);
    report::anadeParcelaCatastral(datos, parcelaCatastral);
    escribeInforme(ui_, datos);
}

}  // namespace vadrel
