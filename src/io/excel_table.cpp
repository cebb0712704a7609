#include "io/excel_table.hpp"

#include <charconv>

#include "core/numeric_text.hpp"
#include "core/text_file.hpp"
#include "io/coord_file.hpp"
#include "core/utf8_path.hpp"

namespace vadrel {

namespace {

std::string escapado(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void celdaCabecera(std::vector<std::string>& l, const char* texto)
{
    l.insert(l.end(), {"         <th>", std::string("           ") + texto, "         </th>"});
}

// A number cell: the text as typed, and its value in the forms that
// spreadsheets read whatever their locale ("sdval"/"sdnum" for one, "x:num"
// for the other); a Spanish sheet reads "384464.656" as 384,464,656. A text
// that is no number stops the table with the conversion message: a cell
// holding "=1+1" would be computed by the sheet.
void celdaNumero(std::vector<std::string>& l, const std::string& texto)
{
    const double valor = MiStrToFloat(texto, NumberFormat::batch());
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, valor);
    const std::string v(buffer, ec == std::errc() ? end : buffer);
    l.insert(l.end(), {"         <td sdval=\"" + v + "\" sdnum=\"1033;0;General\" x:num=\"" + v + "\">",
                       "           " + escapado(texto), "         </td>"});
}

}  // namespace

TablaExcel::TablaExcel(const std::string& valor, bool edificio)
{
    // The Excel namespace, for the cells' "x:num".
    lineas_ = {"<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\">", "<body>", "   <table align='right'>"};
    titulo("Referencia:");
    lineas_.insert(lineas_.end(), {"       <tr>", "         <th colspan='3'>",
                                   std::string("           <") + (edificio ? "h2>" : "h3>") + escapado(valor) +
                                       (edificio ? "</h2>" : "</h3>"),
                                   "         </th>", "       </tr>"});
}

void TablaExcel::titulo(const char* texto)
{
    lineas_.insert(lineas_.end(), {"       <tr>", "         <th colspan='3' align='left'>",
                                   std::string("           ") + texto, "         </th>", "       </tr>"});
}

void TablaExcel::edificacion(const std::string& nombre)
{
    titulo("Edificación:");
    lineas_.insert(lineas_.end(), {"       <tr>", "         <th colspan='3'>", "           <h3>" + escapado(nombre) + "</h3>",
                                   "         </th>", "       </tr>"});
}

void TablaExcel::vertices(const CoordList& X, const CoordList& Y)
{
    lineas_.push_back("       <tr>");
    celdaCabecera(lineas_, "Num.");
    celdaCabecera(lineas_, "Coord. X");
    celdaCabecera(lineas_, "Coord. Y");
    lineas_.push_back("       </tr>");
    lineas_.reserve(lineas_.size() + X.size() * 11 + 3);
    for (std::size_t i = 0; i < X.size() && i < Y.size(); ++i) {
        lineas_.push_back("       <tr>");
        celdaNumero(lineas_, std::to_string(i + 1));
        celdaNumero(lineas_, X[i]);
        celdaNumero(lineas_, Y[i]);
        lineas_.push_back("       </tr>");
    }
}

void TablaExcel::separador() { lineas_.push_back("       <tr><td></td></tr>"); }

std::vector<std::string> TablaExcel::cierra()
{
    lineas_.insert(lineas_.end(), {"   </table>", "</body>", "</html>"});
    return std::move(lineas_);
}

bool exportaExcel(Ui& ui, const std::string& valor, CoordList& MX, CoordList& MY)
{
    auto file = ui.saveFileName(kFiltroExcel);
    if (!file) return false;
    limpiaComas(MX, MY, ui);
    if (MX.size() != MY.size()) {
        ui.message(std::string(kCoordenadasDistintas));
        return false;
    }
    TablaExcel tabla(valor, false);
    tabla.vertices(MX, MY);
    writeTextLines(pathFromUtf8(*file), tabla.cierra());
    ui.message(kExcelGenerado);
    return true;
}

}  // namespace vadrel
