#pragma once
// The coordinates as a table that spreadsheet programs open: an HTML table
// in a file named .xls, one item per line.

#include <string>
#include <vector>

#include "core/coord_list.hpp"
#include "core/ui.hpp"

namespace vadrel {

inline const FileFilter kFiltroExcel{"Archivos Excel|*.xls", "xls"};
inline constexpr const char* kExcelGenerado = "Fichero excel generado";

// The table's lines, in order. Every text is written with "&", "<", ">" and
// '"' escaped, so that the sheet shows it as typed; number cells also carry
// their value in the forms every spreadsheet reads whatever its locale.
class TablaExcel {
public:
    // The opening lines: the reference heading and its value in an <h3>
    // (one list) or an <h2> (a whole building).
    TablaExcel(const std::string& valor, bool edificio);

    // One construction's name block (a whole building only).
    void edificacion(const std::string& nombre);
    // The column headings and one row per vertex, numbered from 1. A
    // coordinate that is no number throws its conversion Failure.
    void vertices(const CoordList& X, const CoordList& Y);
    // The building's empty separator row after a construction.
    void separador();
    // The closing lines; the table is then whole.
    std::vector<std::string> cierra();

private:
    void titulo(const char* texto);  // a left-aligned heading row
    std::vector<std::string> lineas_;
};

// "Exportar" of one pair of lists: asks for the file, normalises the
// commas, refuses unequal lists, writes the table and says so. True when
// the table was written.
bool exportaExcel(Ui& ui, const std::string& valor, CoordList& MX, CoordList& MY);

}  // namespace vadrel
