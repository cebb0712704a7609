// The signer's details kept between reports: what is written reads back,
// whatever the person typed, and a missing or foreign file starts empty.

#include <gtest/gtest.h>

#include <fstream>

#include "report/report_signer.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::report {
namespace {

bool operator==(const FirmaInforme& a, const FirmaInforme& b)
{
    return a.autor == b.autor && a.colegiado == b.colegiado && a.cliente == b.cliente && a.situacion == b.situacion;
}

TEST(ReportSignerTest, WhatIsKeptReadsBack)
{
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "nueva/carpeta/informe.conf";
    const struct {
        const char* name;
        FirmaInforme kept, read;
    } cases[] = {
        {"all filled", {"Ana Pérez", "Arquitecta técnica, nº 12", "Juan", "Calle Mayor 1, Segovia"},
         {"Ana Pérez", "Arquitecta técnica, nº 12", "Juan", "Calle Mayor 1, Segovia"}},
        {"empty ones stay empty", {"", "", "Juan", ""}, {"", "", "Juan", ""}},
        {"an equals sign is part of the value", {"a=b", "", "", "x = y"}, {"a=b", "", "", "x = y"}},
        // A line break would start a line the reader takes for a key.
        {"line breaks become blanks", {"Ana\ncliente=Otro", "", "Juan", "a\r\nb"}, {"Ana cliente=Otro", "", "Juan", "a  b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        guardaFirma(file, c.kept);
        EXPECT_TRUE(leeFirma(file) == c.read);
    }
}

TEST(ReportSignerTest, AMissingOrForeignFileGivesEmptyFields)
{
    test::TempDir dir;
    EXPECT_TRUE(leeFirma(dir.path() / "no.conf") == FirmaInforme{});
    EXPECT_TRUE(leeFirma({}) == FirmaInforme{});
    std::ofstream(dir.path() / "otro.conf", std::ios::binary) << "\x89PNG\r\n[seccion]\nnombre=Ana\nautor\ncliente=Juan\r\n";
    EXPECT_TRUE(leeFirma(dir.path() / "otro.conf") == (FirmaInforme{"", "", "Juan", ""}));
}

}  // namespace
}  // namespace vadrel::report
