#include "shell/working_folder.hpp"

#include <gtest/gtest.h>

#include "support/temp_dir.hpp"

using namespace vadrel;
using test::readFile;
using test::TempDir;
using test::writeFile;

namespace {

class WorkingFolderTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path inicio = dir / "inicio", personal = dir / "home" / "Vadrel", datos = dir / "share" / "vadrel";

    void SetUp() override
    {
        std::filesystem::create_directories(inicio);
        std::filesystem::create_directories(datos / "Proj4Leaflet" / "lib");
        writeFile(datos / "BASE_PARCELAS.XML", "instalada");
        writeFile(datos / "BASE_EDIFICIOS.XML", "instalada");
        writeFile(datos / "ayuda.pdf", "%PDF");
        writeFile(datos / "Proj4Leaflet" / "lib" / "proj4-compressed.js", "js");
    }
};

}  // namespace

TEST_F(WorkingFolderTest, AStartFolderWithTheTemplatesIsKept)
{
    writeFile(inicio / "BASE_PARCELAS.XML", "propia");
    const auto c = eligeCarpetaDeTrabajo(inicio, personal, datos);
    EXPECT_EQ(c.carpeta, inicio);
    EXPECT_TRUE(c.aviso.empty());
    EXPECT_FALSE(std::filesystem::exists(personal));
}

TEST_F(WorkingFolderTest, FirstStartCreatesAndFillsThePersonalFolder)
{
    const auto c = eligeCarpetaDeTrabajo(inicio, personal, datos);
    EXPECT_EQ(c.carpeta, personal);
    EXPECT_TRUE(c.aviso.empty()) << c.aviso;
    EXPECT_EQ(readFile(personal / "BASE_PARCELAS.XML"), "instalada");
    EXPECT_EQ(readFile(personal / "ayuda.pdf"), "%PDF");
    EXPECT_EQ(readFile(personal / "Proj4Leaflet" / "lib" / "proj4-compressed.js"), "js");
}

TEST_F(WorkingFolderTest, FilesAlreadyThereAreNeverReplacedAndMissingOnesAreAdded)
{
    std::filesystem::create_directories(personal);
    writeFile(personal / "BASE_PARCELAS.XML", "editada por el usuario");
    writeFile(personal / "mi_parcela.gml", "suya");
    const auto c = eligeCarpetaDeTrabajo(inicio, personal, datos);
    EXPECT_EQ(c.carpeta, personal);
    EXPECT_EQ(readFile(personal / "BASE_PARCELAS.XML"), "editada por el usuario");
    EXPECT_EQ(readFile(personal / "mi_parcela.gml"), "suya");
    EXPECT_EQ(readFile(personal / "BASE_EDIFICIOS.XML"), "instalada");
}

TEST_F(WorkingFolderTest, AFolderThatCannotBeMadeIsToldAndTheStartFolderUsed)
{
    std::filesystem::create_directories(personal.parent_path());
    writeFile(personal, "un archivo donde iría la carpeta");
    const auto c = eligeCarpetaDeTrabajo(inicio, personal, datos);
    EXPECT_EQ(c.carpeta, inicio);
    EXPECT_NE(c.aviso.find("No se ha podido preparar la carpeta de trabajo '" + personal.string() + "'"),
              std::string::npos)
        << c.aviso;
}

TEST_F(WorkingFolderTest, WithoutInstalledDataAPreparedPersonalFolderStillServes)
{
    std::filesystem::remove_all(datos);
    EXPECT_EQ(eligeCarpetaDeTrabajo(inicio, personal, datos).carpeta, inicio);
    std::filesystem::create_directories(personal);
    EXPECT_EQ(eligeCarpetaDeTrabajo(inicio, personal, datos).carpeta, personal);
}
