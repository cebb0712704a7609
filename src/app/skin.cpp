#include "app/skin.hpp"

#include <QApplication>
#include <QIcon>

#include "app/about_window.hpp"
#include "app/building_window.hpp"
#include "app/list_window.hpp"
#include "app/logo.hpp"
#include "app/menu_window.hpp"
#include "app/parcel_window.hpp"
#include "app/preview_window.hpp"
#include "app/web_dialog.hpp"
#include "app/ref_window.hpp"
#include "building/building_form.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "preview/preview_forms.hpp"
#include "shell/about_form.hpp"
#include "shell/menu_form.hpp"
#include "webmap/webmap_forms.hpp"

namespace vadrel::app {

void identifyApplication()
{
    QApplication::setApplicationName(qs(Aplicacion::kTitulo));
    QGuiApplication::setDesktopFileName("vadrel");
    QApplication::setWindowIcon(QIcon(vadrelLogo(64)));
}

Skin::Skin(const Entorno& entorno, const UiMaker& makeUi)
{
    auto uiFor = [&](std::string_view name) -> Ui& {
        auto ui = makeUi ? makeUi(registry_) : std::make_unique<QtUi>(registry_);
        return *(uis_[std::string(name)] = std::move(ui));
    };
    app_ = std::make_unique<Aplicacion>(uiFor, entorno);

    Aplicacion& a = *app_;
    menu = add<MenuWindow>(*a.FMenu, nullptr);
    parcel = add<ParcelWindow>(*a.FParcelgen, menu);
    about = add<AboutWindow>(*a.FAcercade, menu);
    preview = add<PreviewWindow>(*a.FVPrev, menu);
    previewMulti = add<PreviewWindow>(*a.FVPrevMulti, menu);
    ref = add<RefWindow>(*a.FRef, menu);
    building = add<BuildingWindow>(*a.FGMLEdif, menu);
    add<WebDialog>(*a.FVPrevWeb, menu);
    previewTotal = add<PreviewWindow>(*a.FVPrevTotal, menu);
    list = add<ListWindow>(*a.FList, menu);
    add<WebDialog>(*a.FVPrevWeb2, menu);
}

template <class W, class F>
W* Skin::add(F& form, QWidget* parent)
{
    std::unique_ptr<W> window;
    if constexpr (std::is_same_v<W, MenuWindow>)
        window = std::make_unique<W>(form);
    else
        window = std::make_unique<W>(form, parent);
    W* raw = window.get();
    registry_[&form] = raw;
    uis_.at(std::string(form.instancia()))->setWindow(raw);
    windows_.push_back(std::move(window));
    return raw;
}

Skin::~Skin()
{
    // Children before the menu that parents them.
    while (!windows_.empty()) windows_.pop_back();
}

}  // namespace vadrel::app
