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

    static CoordList xs(double base) { return {fmt(base), fmt(base + 10), fmt(base + 10), fmt(base)}; }
    static CoordList ys() { return {"0", "0", "10", "10"}; }
    static std::string fmt(double v) { return std::to_string(static_cast<long>(v)); }

    // A: exterior, B and C: its interiors, D: exterior, P: a pool.
    void abcdp()
    {
        valores();
        anade(kEdificacion, kExterior, {"0", "100", "100", "0"}, {"0", "0", "100", "100"}, true);
        anade(kEdificacion, kInterior, {"10", "20", "20"}, {"10", "10", "20"});
        anade(kEdificacion, kInterior, {"50", "60", "60"}, {"50", "50", "60"});
        anade(kEdificacion, kExterior, xs(200), ys());
        anade(kPiscina, kExterior, xs(400), ys());
        form->LBElementosIndex = 0;
        form->LBElementosClick();
    }

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
