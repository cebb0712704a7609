// The building window's coordinate imports and exports: DXF (one
// construction per polyline), AutoCAD LIST, and the spreadsheet tables of
// the shown construction or of all of them.

#include "building/building_form.hpp"
#include "core/numeric_text.hpp"
#include "core/text_file.hpp"
#include "core/zone_change.hpp"
#include "io/dxf_scan.hpp"
#include "io/excel_table.hpp"
#include "io/list_form.hpp"
#include "shell/aplicacion.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

void TFGMLEdif::BBCargaDXFClick()
{
    // The file's points go into a construction of their own, unless the
    // shown one holds no ring yet; each further polyline into another.
    const bool conAnillo = MX.size() > 1 || MY.size() > 1;
    auto file = ui_.openFileName(kFiltroDxf);
    if (!file) {
        // As always: the button has started the next construction.
        if (conAnillo) SBNuevoClick();
        return;
    }
    // The drawing is read and judged whole first: one refused leaves the
    // list of constructions and the editor as they were.
    DibujoDxf dibujo;
    if (cargaDxf(ui_, pathFromUtf8(*file), husoNumero(CBHuso), Polilineas::todas, dibujo, flecha) != CargaDxf::cargado) return;
    for (std::size_t k = 0; k < dibujo.x.size(); ++k) {
        if (k > 0 || conAnillo) SBNuevoClick();
        anadeAlFinal(MX, std::move(dibujo.x[k]));
        anadeAlFinal(MY, std::move(dibujo.y[k]));
    }
}

void TFGMLEdif::BBListClick()
{
    if (app_) importaList(ui_, *app_->FList, MX, MY, flecha);
}

void TFGMLEdif::BBCambiarHusoClick()
{
    const int desde = husoNumero(CBHuso);
    const std::optional<int> hasta = utm::pideHuso(ui_, desde);
    if (!hasta || *hasta == desde) return;
    // Every construction and the editor, which may hold what is not yet
    // stored: all converted or none.
    std::vector<utm::ListasXY> anillos;
    for (EdifProp& e : Edificaciones) anillos.push_back({&e.coorx, &e.coory});
    anillos.push_back({&MX, &MY});
    if (!utm::cambiaHuso(ui_, anillos, desde, *hasta, formato)) return;
    CBHuso = std::to_string(*hasta);
}

void TFGMLEdif::BBExcelClick() { exportaExcel(ui_, EArchivoDXF, MX, MY); }

void TFGMLEdif::BBExcelTodoClick()
{
    auto file = ui_.saveFileName(kFiltroExcel);
    if (!file) return;
    TablaExcel tabla(ERefCatas, true);
    for (std::size_t i = 0; i < Edificaciones.size(); ++i) {
        limpiaComas(MX, MY, ui_);
        const EdifProp& e = Edificaciones[i];
        if (e.coorx.size() != e.coory.size()) {
            ui_.message(errorEnEdificacion(i, e, kXYDistintas));
            continue;
        }
        // The sheet always reads ".", whatever the stored lists hold.
        CoordList x = e.coorx, y = e.coory;
        sustituyeComas(x);
        sustituyeComas(y);
        tabla.edificacion(e.nombre);
        tabla.vertices(x, y);
        tabla.separador();
    }
    writeTextLines(pathFromUtf8(*file), tabla.cierra());
    ui_.message(kExcelGenerado);
}

}  // namespace vadrel
