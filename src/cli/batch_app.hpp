#pragma once
// The program as the batch command runs it: every window created, all of
// them answered by one BatchUi, no creation handler run until a command
// runs the one of the window it drives.

#include "cli/batch_ui.hpp"
#include "cli/command.hpp"
#include "shell/aplicacion.hpp"

namespace vadrel {
class TFParcelgen;
}

namespace vadrel::cli {

struct BatchApp {
    explicit BatchApp(Context& ctx)
        : ui(ctx.err), app([this](std::string_view) -> Ui& { return ui; }, ctx.entorno, false)
    {
    }
    BatchUi ui;
    Aplicacion app;
};

// The paste dialog answered with the lines of a text file, as if pasted.
void pegaListDesde(BatchUi& ui, const std::string& file);

// The files chosen with "Cargar GMLs" on the grouping page and moved to its
// right-hand list in the order given, from whatever folders; a file given
// twice is taken once, as the page does.
void aLaDerecha(BatchUi& ui, TFParcelgen& form, const std::vector<std::string>& files);

// The coordinates file loaded into the parcel window with "Cargar" and
// cleaned as "Crear GML" cleans the lists: an X without its Y (or the
// reverse) is refused with the window's message, never taken as 0. False
// when a message ended it.
bool cargaCoordenadas(BatchUi& ui, TFParcelgen& form, const std::string& file);

}  // namespace vadrel::cli
