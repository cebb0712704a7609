#pragma once

#include <filesystem>

#include "cli/command.hpp"

namespace vadrel {
class TFVistaWeb;
}

namespace vadrel::cli {

// vadrel-cli map: the parcel's web-map page for a coordinate file.
int map(const std::vector<std::string>& words, Context& ctx);

extern const char* const kMapUsage;

class BatchUi;

// "Sí" of a web-map dialog, its page (written as `name` in the output's
// folder) then renamed to `output`, and the scripts it loads put beside it
// from the start-up folder or the data folders of `entorno`.
// The page is written into a new folder beside the output, given to the
// dialog's window as its working folder (`directorio`), and removed after.
int paginaComo(BatchUi& ui, TFVistaWeb& dialog, std::filesystem::path& directorio, const char* name,
               const std::filesystem::path& output, const Entorno& entorno);

}  // namespace vadrel::cli
