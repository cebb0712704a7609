#pragma once
// "Acerca de": title and version, authors, publisher and the licence.

#include "app/form_window.hpp"
#include "shell/about_form.hpp"

namespace vadrel::app {

class AboutWindow : public FormWindow {
public:
    explicit AboutWindow(TFAcercade& form, QWidget* parent = nullptr);
};

}  // namespace vadrel::app
