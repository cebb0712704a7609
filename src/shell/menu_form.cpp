#include "shell/menu_form.hpp"

#include "building/building_form.hpp"
#include "core/ui.hpp"
#include "parcel/parcel_form.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel {

void TFMenu::BBParcelaClick()
{
    if (app_) ui_.showModal(*app_->FParcelgen);
}

void TFMenu::BBEdifClick()
{
    if (app_) ui_.showModal(*app_->FGMLEdif);
}

}  // namespace vadrel
