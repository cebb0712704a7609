#pragma once
// The dialog filter the GML buttons of both windows share.

#include "core/messages.hpp"
#include "core/ui.hpp"

namespace vadrel::msg {

inline const FileFilter kFiltroGml{"Archivos GML|*.gml", "gml"};

}  // namespace vadrel::msg
