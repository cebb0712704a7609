#pragma once
// The program's windows, each created once at start-up in a fixed order and
// alive until the program ends. Forms reach each other through here.

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/environment.hpp"
#include "core/form.hpp"

namespace vadrel {

class Ui;
class TFMenu;
class TFParcelgen;
class TFAcercade;
class TFVPrev;
class TFVPrevMulti;
class TFRef;
class TFGMLEdif;
class TFVPrevWeb;
class TFVPrevTotal;
class TFList;
class TFVPrevWeb2;

class Aplicacion {
public:
    static constexpr std::string_view kTitulo = "Vadrel";

    // The Ui each window reaches the person through, by instance name.
    using UiFor = std::function<Ui&(std::string_view instancia)>;

    // Creates the eleven windows in table order, each running its creation
    // handler; a failing one is reported through that window's Ui. The batch
    // command asks for none and runs the one of the window it drives, so a
    // template that window does not use cannot end its command.
    Aplicacion(const UiFor& uiFor, const Entorno& entorno, bool creationHandlers = true);
    ~Aplicacion();

    std::unique_ptr<TFMenu> FMenu;
    std::unique_ptr<TFParcelgen> FParcelgen;
    std::unique_ptr<TFAcercade> FAcercade;
    std::unique_ptr<TFVPrev> FVPrev;
    std::unique_ptr<TFVPrevMulti> FVPrevMulti;
    std::unique_ptr<TFRef> FRef;
    std::unique_ptr<TFGMLEdif> FGMLEdif;
    std::unique_ptr<TFVPrevWeb> FVPrevWeb;
    std::unique_ptr<TFVPrevTotal> FVPrevTotal;
    std::unique_ptr<TFList> FList;
    std::unique_ptr<TFVPrevWeb2> FVPrevWeb2;

    // All of them, in creation order.
    std::vector<Form*> formularios() const;
};

}  // namespace vadrel
