#pragma once
// The whole program's forms, every window answered by one scripted Ui, in a
// fresh working directory with the templates: for what goes from one window
// to another (dialogs, previews, web maps).

#include <gtest/gtest.h>

#include <optional>

#include "shell/aplicacion.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {

class ProgramaTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedUi ui;
    std::optional<Aplicacion> app;

    void SetUp() override
    {
        stageTemplates(dir.path());
        app.emplace([this](std::string_view) -> Ui& { return ui; }, Entorno{dir.path(), NumberFormat::withDecimal(','), {}});
        ui.messages.clear();  // what creation said is no test's business
    }
};

}  // namespace vadrel::test
