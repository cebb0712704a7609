// Damaged files of every kind through the readers: each ends in a message
// or a result, never a crash (the sanitizers watch every run).

#include <gtest/gtest.h>

#include <random>

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "io/coord_file.hpp"
#include "parcel/parcel_form.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

using namespace vadrel;
using test::readFile;
using test::ScriptedUi;
using test::TempDir;
using test::writeFile;

namespace {

// Truncations at many points, then bytes overwritten with characters that
// matter to XML and to the number texts.
std::vector<std::string> mutations(const std::string& original, int count)
{
    std::vector<std::string> out;
    std::mt19937 rng(20261208);
    const std::string alphabet = "<>/\"'=&;: \t\n,.-+eE0123456789abcXYZ\x80\xC3\xFF";
    for (int i = 0; i < count; ++i) {
        std::string m = original;
        if (i % 3 == 0) {
            m.resize(rng() % (m.size() + 1));
        } else {
            for (int k = 0, n = 1 + static_cast<int>(rng() % 8); k < n && !m.empty(); ++k)
                m[rng() % m.size()] = alphabet[rng() % alphabet.size()];
        }
        out.push_back(std::move(m));
    }
    return out;
}

template <class Read>
void survives(const std::string& original, Read read, TempDir& dir)
{
    int failures = 0, reads = 0;
    for (const std::string& m : mutations(original, 150)) {
        writeFile(dir / "m.gml", m);
        try {
            read((dir / "m.gml").string());
            ++reads;
        } catch (const Failure&) {
            ++failures;
        }
    }
    EXPECT_GT(reads, 0);
    EXPECT_GT(failures, 0);
}

}  // namespace

TEST(Robustness, DamagedParcelAndBuildingFiles)
{
    TempDir dir;
    test::stageTemplates(dir.path());
    ScriptedUi ui;
    Entorno env{dir.path(), NumberFormat::batch(), {}};

    TFParcelgen parcel(ui, env);
    parcel.FormCreate();
    parcel.ERefCatas = "1234567AB1234N";
    parcel.ESup = "100";
    parcel.MX = {"500000", "500010", "500010", "500000"};
    parcel.MY = {"4100000", "4100000", "4100010", "4100010"};
    ui.saveAnswers.push_back((dir / "p.gml").string());
    parcel.BBgmlClick();
    survives(readFile(dir / "p.gml"), [&](const std::string& path) {
        ui.openAnswers.push_back(path);
        parcel.BBCargarXMLClick();
        // What was read goes on to the other operations as a person would.
        try {
            parcel.BBCalcularClick();
        } catch (const Failure&) {
        }
    }, dir);

    TFGMLEdif building(ui, env);
    building.FormCreate();
    building.FormShow();
    building.CBIE = kExterior;
    building.MX = {"440000", "440010", "440010"};
    building.MY = {"4470000", "4470000", "4470010"};
    building.MXExit();
    building.SBNuevoClick();
    building.CBTipo = kPiscina;
    building.MX = {"440020", "440030", "440030"};
    building.MY = {"4470000", "4470000", "4470010"};
    building.MXExit();
    building.ERefCatas = "R";
    building.EFechaConstruc = "01/01/2000";
    building.ENInmueble = building.ENViv = building.ENSobreRas = "1";
    building.ESuptot = "50";
    ui.saveAnswers.push_back((dir / "b.gml").string());
    building.BBgmlClick();
    ASSERT_TRUE(std::filesystem::exists(dir / "b.gml"));
    survives(readFile(dir / "b.gml"), [&](const std::string& path) {
        ui.confirmAnswers.push_back(true);
        ui.openAnswers.push_back(path);
        building.BBCargarXMLClick();
        ui.confirmAnswers.clear();
        ui.saveAnswers.push_back((dir / "again.gml").string());
        building.BBgmlClick();
        ui.saveAnswers.clear();
    }, dir);
}

TEST(Robustness, DamagedCoordinateFiles)
{
    TempDir dir;
    ScriptedUi ui;
    std::string original = "1;441620.35;4479210.12\r\n2;441655.80;4479214.47\r\n3;441661.02;4479178.93\r\n";
    for (const std::string& m : mutations(original, 150)) {
        writeFile(dir / "c.txt", m);
        CoordList x, y;
        ui.openAnswers.push_back((dir / "c.txt").string());
        cargarCoordenadas(ui, x, y);
        EXPECT_EQ(x.size(), y.size());
    }
}
