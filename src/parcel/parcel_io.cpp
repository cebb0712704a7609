// The parcel window's coordinate imports and export: DXF, AutoCAD LIST and
// the spreadsheet table.

#include <utility>

#include "io/dxf_scan.hpp"
#include "io/excel_table.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel {

namespace {

const char* const kVariasPolilineas =
    "Se han encontrado varias polilíneas. Se han cargado solo las coordenadas de la primera.";

}  // namespace

void TFParcelgen::SBCargarDXFClick()
{
    auto file = ui_.openFileName(kFiltroDxf);
    if (!file) return;
    // The path shows what was loaded: a drawing that gave nothing leaves the
    // field as it was.
    std::string anterior = std::exchange(EArchivoDXF, *file);
    if (cargaDxf(ui_, *file, MX, MY, [this] {
            ui_.message(kVariasPolilineas);
            return false;
        }) == CargaDxf::vacio)
        EArchivoDXF = std::move(anterior);
}

void TFParcelgen::BBListClick()
{
    if (app_) importaList(ui_, *app_->FList, MX, MY);
}

void TFParcelgen::BBExcelClick() { exportaExcel(ui_, ERefCatas, MX, MY); }

}  // namespace vadrel
