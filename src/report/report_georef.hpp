#pragma once
// "Georreferenciación" in the client's report: the common points with
// their residuals, the fit's lines, the cadastre's area tolerance and the
// difference with the registered area. The cadastre and the registrar
// decide; the block gives the figures they look at.

#include <string>
#include <vector>

#include "georef/common_points.hpp"
#include "report/report_data.hpp"
#include "report/report_flow.hpp"

namespace vadrel::report {

inline constexpr const char* kTituloGeorreferenciacion = "Georreferenciación";
inline constexpr const char* kAplicadoAlInforme =
    "El desplazamiento se aplicó a las coordenadas: las de este informe ya están sobre la cartografía catastral.";
inline constexpr const char* kQuienDecide =
    "Estas cifras son las que examinan el catastro y el registro; la decisión es suya.";

// The shift "Calcular" gave into the block: its pairs and its lines, with
// the decimal comma as every figure of the report.
void anadeDesplazamiento(DatosInforme& d, const std::vector<georef::Pair>& pares, const georef::Fit& ajuste,
                         bool aplicado);

// The block with every text escaped and "m2" written "m²", as the report
// shows it.
Georreferenciacion visible(const Georreferenciacion& g);

// The block down the flow, `paso` mm a line: its heading (again on each
// page it goes on to), the table of pairs, the lines; nothing when empty.
void bloqueGeorreferenciacion(Flujo& flujo, const Georreferenciacion& g, double paso);

}  // namespace vadrel::report
