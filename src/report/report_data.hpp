#pragma once
// What the client's report tells, taken from the same fields the GML is
// written from: the heading, the rings with their vertices' texts, and the
// check's summary.

#include <filesystem>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "check/problem.hpp"
#include "core/geometry.hpp"
#include "core/number_format.hpp"

namespace vadrel {
class TFParcelgen;
class TFGMLEdif;
}  // namespace vadrel

namespace vadrel::report {

struct AnilloInforme {
    std::string titulo;  // the table's line above its vertices; empty: none
    std::string nombre;  // a construction's name
    bool interior = false;
    bool piscina = false;
    // The vertices as written in the GML, the closing repetition left out.
    std::vector<std::string> x, y;
};

// A cadastre parcel drawn in grey behind the plan, with its reference.
struct ParcelaFondo {
    std::string referencia;
    std::vector<Punto> anillo;
};

// Who signs the report and for whom, from "Datos del informe" or the batch
// command's options; an empty one is left out of the heading.
struct FirmaInforme {
    std::string autor;
    std::string colegiado;  // "Titulación y nº de colegiado"
    std::string cliente;
    std::string situacion;  // address or paraje, municipality
};

// A row of the comparison's table: what is measured, and its figure with a
// decimal comma and its unit ("Solape con 1234567AB1234N", "3,25 m²,
// profundidad 0,60 m").
struct FilaComparacion {
    std::string concepto;
    std::string valor;
    bool operator==(const FilaComparacion&) const = default;
};

// A common point of the map's shift: its name, the four coordinates and
// the rigid fit's residual, with a decimal comma.
struct ParInforme {
    std::string nombre, xm, ym, xc, yc, residuo;
    bool operator==(const ParInforme&) const = default;
};

// "Georreferenciación": the shift computed in the session and the area
// figures. Shown when there are pairs or a registered area's line.
struct Georreferenciacion {
    std::vector<ParInforme> pares;
    std::vector<std::string> lineas;  // the fit's lines, as "Calcular" gave them
    bool aplicado = false;            // moved onto the map before this report
    std::string tolerancia;           // "margen de tolerancia técnica: ..."
    std::string registral;            // "superficie registral: ..."
    bool vacia() const { return pares.empty() && registral.empty(); }
};

struct DatosInforme {
    bool edificio = false;
    std::string referencia;
    bool catastral = true;
    std::string huso;  // "28" to "31"
    std::string superficieDeclarada;  // the parcel's text as written; empty for none
    std::string superficieConstruida;  // the building's declared total, as written
    std::vector<AnilloInforme> anillos;  // exteriors before the interiors they hold
    NumberFormat formato;  // how the window's texts write decimals
    std::string fecha;  // dd/mm/yyyy
    FirmaInforme firma;
    std::vector<std::string> comprobacion;  // the check's summary, line by line
    // Filled when a cadastre map is at hand: parcels behind the plan and
    // the comparison's figures.
    std::vector<ParcelaFondo> fondo;
    std::vector<std::vector<Punto>> solapes;  // overlaps, or what leaves the parcel
    std::vector<FilaComparacion> comparacion;
    Georreferenciacion georreferenciacion;
};

// "ETRS89 / UTM huso 30N" for "25830"; empty for a code the program does not write.
std::string nombreEpsg(const std::string& epsg);

// The parcel window's reference, zone and area, and every ring of `gml`:
// the document "Crear GML" filled, or the file "Cargar GML" read (the
// window keeps only its first exterior).
DatosInforme datosDeParcela(const TFParcelgen& form, const pugi::xml_document& gml);
// Every surface of the document's first parcel, each exterior before its
// interiors: headed "Superficie 1", "Superficie 2"... when there are
// several, the rings of one with holes headed "Anillo exterior" and
// "Anillo interior 1"... Throws Failure for a list of values of odd count.
std::vector<AnilloInforme> anillosDeParcela(const pugi::xml_document& doc);
// The building window's values and every construction in list order.
DatosInforme datosDeEdificio(const TFGMLEdif& form);
// The building window's values and every ring of the file "Cargar GML"
// read: each surface of its buildings, then of its other constructions
// (pools), named as that button names them.
DatosInforme datosDeEdificio(const TFGMLEdif& form, const pugi::xml_document& gml);

// "Sin problemas" (only for a file the schemas checked too), or the count
// of errors and warnings and the first few problems, their points with a
// decimal comma; the note that the schemas were not at hand goes last.
// Without the machine's paths (see sinRutas), `raices` among them.
std::vector<std::string> resumenComprobacion(const check::Problems& problems,
                                             const std::vector<std::string>& raices = {});
// That summary of the file's check without the network: schemas from a
// catalog or the cache, or none (which the summary tells).
std::vector<std::string> comprobacionSinRed(const std::filesystem::path& gml);

}  // namespace vadrel::report
