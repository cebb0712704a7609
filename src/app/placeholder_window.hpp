#pragma once
// A window whose contents arrive with a later capability: it exists from
// start-up with its title, so the program's structure is whole already.

#include "app/form_window.hpp"

namespace vadrel::app {

class PlaceholderWindow : public FormWindow {
public:
    explicit PlaceholderWindow(Form& form, QWidget* parent = nullptr);
};

}  // namespace vadrel::app
