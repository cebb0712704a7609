#pragma once
// A building form in a fresh working directory with the program's
// templates, shown as the window would be.

#include <gtest/gtest.h>

#include <optional>
#include <pugixml.hpp>

#include "building/building_form.hpp"
#include "core/xml_search.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {

class BuildingFormTest : public ::testing::TestWithParam<char> {
protected:
    TempDir dir;
    ScriptedUi ui;
    std::optional<TFGMLEdif> form;

    void SetUp() override
    {
        stageTemplates(dir.path());
        form.emplace(ui, Entorno{dir.path(), NumberFormat::withDecimal(GetParam()), {}});
        form->FormCreate();
        form->FormShow();
    }

    // Building values that pass every check.
    void valores()
    {
        form->ERefCatas = "1234567AB1234N";
        form->EFechaConstruc = "03/07/2015";
        form->ENInmueble = "2";
        form->ENViv = "1";
        form->ENSobreRas = "3";
        form->ESuptot = "250";
    }

    // Adds a construction as a person would: new (except for the first),
    // type, role, points, then leaving the lists stores it.
    void anade(const char* tipo, const char* e_i, CoordList x, CoordList y, bool primera = false)
    {
        if (!primera) form->SBNuevoClick();
        form->CBTipo = tipo;
        form->CBIE = e_i;
        form->MX = std::move(x);
        form->MY = std::move(y);
        form->MXExit();
    }

    // The constructions' names, in list order.
    std::vector<std::string> nombres() const
    {
        std::vector<std::string> n;
        for (const auto& e : form->Edificaciones) n.push_back(e.nombre);
        return n;
    }

    // A 10 m square `base` metres east of (440000, 4470000), in zone 30.
    static CoordList xs(double base)
    {
        return {fmt(kX0 + base), fmt(kX0 + base + 10), fmt(kX0 + base + 10), fmt(kX0 + base)};
    }
    static CoordList ys() { return {"4470000", "4470000", "4470010", "4470010"}; }
    static std::string fmt(double v) { return std::to_string(static_cast<long>(v)); }
    static constexpr double kX0 = 440000;

    // A: exterior, B and C: its interiors, D: exterior, P: a pool.
    void abcdp()
    {
        valores();
        anade(kEdificacion, kExterior, {"440000", "440100", "440100", "440000"},
              {"4470000", "4470000", "4470100", "4470100"}, true);
        anade(kEdificacion, kInterior, {"440010", "440020", "440020"}, {"4470010", "4470010", "4470020"});
        anade(kEdificacion, kInterior, {"440050", "440060", "440060"}, {"4470050", "4470050", "4470060"});
        anade(kEdificacion, kExterior, xs(200), ys());
        anade(kPiscina, kExterior, xs(400), ys());
        form->LBElementosIndex = 0;
        form->LBElementosClick();
    }

    // Every stored construction moved by (dx, dy) metres, the editor
    // showing the selected one again: the same building drawn elsewhere
    // (the Canaries, for zone 28).
    void traslada(long dx, long dy)
    {
        for (EdifProp& e : form->Edificaciones) {
            for (std::string& v : e.coorx) v = std::to_string(std::stol(v) + dx);
            for (std::string& v : e.coory) v = std::to_string(std::stol(v) + dy);
        }
        form->MuestraElem();
    }
    static constexpr long kACanarias[2] = {372600 - 440000, 3142200 - 4470000};

    pugi::xml_document write(const std::string& name = "edif.gml")
    {
        ui.saveAnswers.push_back((dir / name).string());
        form->BBgmlClick();
        pugi::xml_document doc;
        if (std::filesystem::exists(dir / name)) {
            EXPECT_TRUE(doc.load_file((dir / name).c_str()));
        }
        return doc;
    }
};

}  // namespace vadrel::test
