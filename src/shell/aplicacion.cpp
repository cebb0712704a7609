#include "shell/aplicacion.hpp"

#include "building/building_form.hpp"
#include "core/failure.hpp"
#include "core/ui.hpp"
#include "io/list_form.hpp"
#include "parcel/parcel_form.hpp"
#include "parcel/ref_form.hpp"
#include "preview/preview_forms.hpp"
#include "shell/about_form.hpp"
#include "shell/menu_form.hpp"
#include "webmap/webmap_forms.hpp"

namespace vadrel {

namespace {

template <class F, class... Extra>
std::unique_ptr<F> create(const Aplicacion::UiFor& uiFor, std::string_view name, Aplicacion* app, Extra&&... extra)
{
    return std::make_unique<F>(uiFor(name), std::forward<Extra>(extra)..., app);
}

// A window whose creation handler fails still opens; the person is told why.
template <class F>
void creationHandler(F& form)
{
    try {
        form.FormCreate();
    } catch (const Failure& f) {
        form.ui().message(f.what());
    }
}

}  // namespace

Aplicacion::Aplicacion(const UiFor& uiFor, const Entorno& entorno, bool creationHandlers)
{
    FMenu = create<TFMenu>(uiFor, "FMenu", this);
    FParcelgen = create<TFParcelgen>(uiFor, "FParcelgen", this, entorno);
    if (creationHandlers) creationHandler(*FParcelgen);
    FAcercade = create<TFAcercade>(uiFor, "FAcercade", this);
    FVPrev = create<TFVPrev>(uiFor, "FVPrev", this);
    FVPrevMulti = create<TFVPrevMulti>(uiFor, "FVPrevMulti", this);
    FRef = create<TFRef>(uiFor, "FRef", this);
    FGMLEdif = create<TFGMLEdif>(uiFor, "FGMLEdif", this, entorno);
    if (creationHandlers) creationHandler(*FGMLEdif);
    FVPrevWeb = create<TFVPrevWeb>(uiFor, "FVPrevWeb", this);
    FVPrevTotal = create<TFVPrevTotal>(uiFor, "FVPrevTotal", this);
    FList = create<TFList>(uiFor, "FList", this);
    FVPrevWeb2 = create<TFVPrevWeb2>(uiFor, "FVPrevWeb2", this);

    // The windows that draw another window's lists are told where they are
    // here, where every window is known: they include nothing above them.
    FVPrev->dibujaOrigen = [this](const std::string& origen) {
        if (origen == "parcela")
            FParcelgen->DibujaGML();
        else
            FGMLEdif->DibujaGML();
    };
    TFParcelgen& p = *FParcelgen;
    FVPrevWeb2->fuente = {&p.MX, &p.MY, &p.CBHuso, &p.formato, &p.directorio};
}

Aplicacion::~Aplicacion() = default;

std::vector<Form*> Aplicacion::formularios() const
{
    return {FMenu.get(),     FParcelgen.get(), FAcercade.get(),   FVPrev.get(), FVPrevMulti.get(), FRef.get(),
            FGMLEdif.get(),  FVPrevWeb.get(),  FVPrevTotal.get(), FList.get(),  FVPrevWeb2.get()};
}

}  // namespace vadrel
