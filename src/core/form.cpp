#include "core/form.hpp"

#include "core/messages.hpp"
#include "core/ui.hpp"

namespace vadrel {

void Form::funcionNoDisponible() { ui_.message(msg::kNoDisponible); }

}  // namespace vadrel
