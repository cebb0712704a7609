#pragma once
// The signer's details of "Datos del informe", kept for the next report in
// a settings file of the person's own (never in the working folder, which
// travels with the jobs).

#include <filesystem>

#include "report/report_data.hpp"

namespace vadrel::report {

// vadrel/informe.conf in the person's settings folder ($XDG_CONFIG_HOME or
// ~/.config; %APPDATA% on Windows); empty when the system names none.
std::filesystem::path archivoFirma();

// The details the file keeps; empty fields for a file that is missing or
// unreadable (the dialog then starts empty, nothing is lost).
FirmaInforme leeFirma(const std::filesystem::path& archivo);

// Written whole or not at all, its folder made when missing; throws Failure
// with the file's message.
void guardaFirma(const std::filesystem::path& archivo, const FirmaInforme& firma);

}  // namespace vadrel::report
