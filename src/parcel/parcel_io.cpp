// The parcel window's coordinate imports and export: DXF, AutoCAD LIST and
// the spreadsheet table.

#include <utility>

#include "core/numeric_text.hpp"
#include "core/zone_change.hpp"
#include "io/dxf_scan.hpp"
#include "io/excel_table.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "shell/aplicacion.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

const char* const kVariasPolilineas =
    "Se han encontrado varias polilíneas. Se han cargado solo las coordenadas de la primera.";

}  // namespace

void TFParcelgen::SBCargarDXFClick()
{
    auto file = ui_.openFileName(kFiltroDxf);
    if (!file) return;
    DibujoDxf dibujo;
    const CargaDxf carga = cargaDxf(ui_, pathFromUtf8(*file), husoNumero(CBHuso), Polilineas::primera, dibujo, flecha);
    // The path shows what was loaded: a drawing that gave nothing leaves the
    // field as it was. One that could not be read is shown, as the person
    // chose it.
    if (carga == CargaDxf::vacio) return;
    EArchivoDXF = *file;
    if (carga != CargaDxf::cargado) return;
    // The drawing's points come after what the lists hold.
    anadeAlFinal(MX, std::move(dibujo.x.front()));
    anadeAlFinal(MY, std::move(dibujo.y.front()));
    recuerdaListas();
    if (dibujo.varias) ui_.message(kVariasPolilineas);
}

void TFParcelgen::BBListClick()
{
    if (app_) cargaEnListas([this] { importaList(ui_, *app_->FList, MX, MY, flecha); });
}

void TFParcelgen::BBCambiarHusoClick()
{
    const int desde = husoNumero(CBHuso);
    const std::optional<int> hasta = utm::pideHuso(ui_, desde);
    if (!hasta || *hasta == desde) return;
    // Lists as loaded stay so once converted: no question before dropping them.
    const bool recordadas = MX == listasX_ && MY == listasY_;
    if (!utm::cambiaHuso(ui_, {{&MX, &MY}}, desde, *hasta, formato)) return;
    CBHuso = std::to_string(*hasta);
    if (recordadas) recuerdaListas();
}

void TFParcelgen::BBExcelClick()
{
    if (exportaExcel(ui_, ERefCatas, MX, MY)) recuerdaListas();
}

}  // namespace vadrel
