#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli parcel write: fills the parcel window as a person would and
// presses "Crear GML".
int parcelWrite(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli parcel read: "Cargar GML", then the fields on standard output;
// with -o, the lists saved as with "Guardar".
int parcelRead(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli parcel export: the lists filled as for write, then "Exportar".
int parcelExport(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli parcel group: the files moved to the right of the grouping
// page, then "Agrupar GMLs", answered from the options.
int parcelGroup(const std::vector<std::string>& words, Context& ctx);

extern const char* const kParcelWriteUsage;
extern const char* const kParcelGroupUsage;
extern const char* const kParcelExportUsage;
extern const char* const kParcelReadUsage;

}  // namespace vadrel::cli
