#pragma once

#include "cli/command.hpp"

namespace vadrel::cli {

// vadrel-cli building write: the building window filled as a person would,
// one construction per ring option, then "Crear GML".
int buildingWrite(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli building read: "Cargar GML", then the values and the list of
// constructions on standard output.
int buildingRead(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli building export: the constructions added as for write, then
// the "Exportar" of every construction.
int buildingExport(const std::vector<std::string>& words, Context& ctx);

// vadrel-cli building map: the constructions added as for write, then the
// all-constructions web-map page.
int buildingMap(const std::vector<std::string>& words, Context& ctx);

extern const char* const kBuildingWriteUsage;
extern const char* const kBuildingMapUsage;
extern const char* const kBuildingExportUsage;
extern const char* const kBuildingReadUsage;

}  // namespace vadrel::cli
