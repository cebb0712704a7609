#pragma once
// The client's report as a PDF file: A4, vector, fonts embedded. The header
// is free of Qt so that the batch command stays so.

#include <filesystem>
#include <string>

#include "report/report_layout.hpp"

namespace vadrel::app {

// The document's bytes. Starts an application without a screen when none
// runs (fonts need one).
std::string pdfDeInforme(const report::Informe& informe);

// Written whole or not at all; throws Failure with the file's message.
void guardaInformePdf(const report::Informe& informe, const std::filesystem::path& file);

}  // namespace vadrel::app
