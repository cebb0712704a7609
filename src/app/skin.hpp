#pragma once
// The desktop program put together: the forms created in table order, one
// window and one QtUi for each.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/qt_ui.hpp"
#include "core/environment.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel::app {

class FormWindow;
class MenuWindow;
class ParcelWindow;
class AboutWindow;
class RefWindow;
class BuildingWindow;
class ListWindow;
class PreviewWindow;

// The program's name for the desktop ("Vadrel") and its icon. No display
// name is set: the toolkit would append it to every window's title.
void identifyApplication();

class Skin {
public:
    // How each window's Ui is made; tests script the dialogs this way.
    using UiMaker = std::function<std::unique_ptr<QtUi>(WindowRegistry&)>;

    explicit Skin(const Entorno& entorno, const UiMaker& makeUi = {});
    ~Skin();

    Aplicacion& app() { return *app_; }
    FormWindow* windowOf(const Form& form) const { return registry_.at(&form); }

    MenuWindow* menu = nullptr;
    ParcelWindow* parcel = nullptr;
    AboutWindow* about = nullptr;
    RefWindow* ref = nullptr;
    BuildingWindow* building = nullptr;
    ListWindow* list = nullptr;
    PreviewWindow* preview = nullptr;
    PreviewWindow* previewMulti = nullptr;
    PreviewWindow* previewTotal = nullptr;

private:
    template <class W, class F>
    W* add(F& form, QWidget* parent);

    WindowRegistry registry_;
    std::map<std::string, std::unique_ptr<QtUi>> uis_;
    std::unique_ptr<Aplicacion> app_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
};

}  // namespace vadrel::app
