#pragma once
// A parcel form in a fresh working directory with the program's templates.

#include <gtest/gtest.h>

#include <optional>
#include <pugixml.hpp>

#include "core/xml_search.hpp"
#include "parcel/parcel_form.hpp"
#include "support/scripted_ui.hpp"
#include "support/temp_dir.hpp"

namespace vadrel::test {

class ParcelFormTest : public ::testing::TestWithParam<char> {
protected:
    TempDir dir;
    ScriptedUi ui;
    std::optional<TFParcelgen> form;

    void SetUp() override
    {
        stageTemplates(dir.path());
        createForm();
    }

    void createForm()
    {
        form.emplace(ui, Entorno{dir.path(), NumberFormat::withDecimal(GetParam()), {}});
        form->FormCreate();
    }

    // Presses "Crear GML" answering the save dialog with `name`; the written
    // document, or an empty one when no file appeared.
    pugi::xml_document write(const std::string& name = "out.gml")
    {
        ui.saveAnswers.push_back((dir / name).string());
        form->BBgmlClick();
        pugi::xml_document doc;
        if (std::filesystem::exists(dir / name)) {
            EXPECT_TRUE(doc.load_file((dir / name).c_str()));
        }
        return doc;
    }

    void square(std::string ref = "1234567AB1234N")
    {
        form->ERefCatas = std::move(ref);
        form->ESup = "100";
        form->MX = {"500000", "500010", "500010", "500000"};
        form->MY = {"4100000", "4100000", "4100010", "4100010"};
    }

    static std::string text(const pugi::xml_document& doc, const char* name)
    {
        return buscaNodo(name, doc).text().get();
    }
    static std::string attr(const pugi::xml_document& doc, const char* name, const char* attribute)
    {
        return buscaNodo(name, doc).attribute(attribute).value();
    }
};

}  // namespace vadrel::test
