#pragma once
// The start menu, the program's main window.

#include "app/form_window.hpp"
#include "shell/menu_form.hpp"

namespace vadrel::app {

class MenuWindow : public FormWindow {
public:
    explicit MenuWindow(TFMenu& form);
};

}  // namespace vadrel::app
